// Running a program: everything its main() does.
#pragma once

#include <functional>
#include <memory>
#include <string_view>

namespace forms {

class Form;

// What the desktop and the command line know a program by.
struct ProgramInfo {
    std::string_view executable;  // the program's own name, as the build names it
    std::string_view command;     // the command the package installs it as
    std::string_view desktopId;   // its menu entry's id: the Wayland app id and the icon's name
    std::string_view summary;     // one line saying what it is
    std::string_view version;
};

// Builds the program's form, raises Load, shows the window and runs until the
// program ends; returns its exit status.
int run(int argc, char** argv, const ProgramInfo& program, const std::function<std::unique_ptr<Form>()>& make);

template <class F>
int run(int argc, char** argv, const ProgramInfo& program)
{
    return run(argc, argv, program, [] { return std::make_unique<F>(); });
}

}  // namespace forms
