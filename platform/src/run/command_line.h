// The two options every program answers by itself, before Qt sees the command
// line: --help and --version.
#pragma once

#include "forms/program_info.h"

#include <optional>

namespace forms {

// When an argument is exactly --help or --version (the first such one counts),
// prints the usage or "<command> <version>" on stdout and returns the status to
// exit with: 0, or 1 when stdout cannot be written. Otherwise returns nothing
// and leaves every argument to Qt. Needs no display and opens no window.
std::optional<int> answerCommandLine(int argc, char** argv, const ProgramInfo& program);

}  // namespace forms
