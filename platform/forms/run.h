// Running a program: everything its main() does.
#pragma once

#include "forms/program_info.h"

#include <functional>
#include <memory>

namespace forms {

class Form;

// Builds the program's form, raises Load, shows the window and runs until the
// program ends; returns its exit status.
int run(int argc, char** argv, const ProgramInfo& program, const std::function<std::unique_ptr<Form>()>& make);

template <class F>
int run(int argc, char** argv, const ProgramInfo& program)
{
    return run(argc, argv, program, [] { return std::make_unique<F>(); });
}

}  // namespace forms
