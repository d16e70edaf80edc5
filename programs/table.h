// Every program of the registry as data, for the tools and tests that go
// through all of them (the screenshots, the command line, the families' tests): generated
// from the registry (programs/*/CMakeLists.txt) into the library forms_programs.
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
    std::string_view family;              // its folder under programs/
    std::string_view command;             // the command it is installed as
    std::string_view summary;             // what it does, in one line (its English menu comment)
    std::vector<std::string_view> shots;  // "<file name>[: <action>, ...]"
    std::function<std::unique_ptr<Form>(Services)> make;
};

// In registry order.
const std::vector<Program>& all();

}  // namespace forms::programs
