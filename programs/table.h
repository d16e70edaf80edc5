// Every program of the registry as data, for the tools and tests that go
// through all of them (the screenshots, the accessibility table): generated
// from programs/registry.cmake into the library forms_programs.
#pragma once

#include <forms/form.h>

#include <functional>
#include <memory>
#include <string_view>
#include <vector>

namespace forms::programs {

struct Program {
    std::string_view executable;
    std::string_view id;                  // the ASCII id of its target, menu entry and icon
    std::vector<std::string_view> shots;  // "<file name>[: <action>, ...]"
    std::function<std::unique_ptr<Form>(Services)> make;
};

// In registry order.
const std::vector<Program>& all();

}  // namespace forms::programs
