// What the desktop and the command line know a program by, from its registry entry.
#pragma once

#include <string_view>

namespace forms {

struct ProgramInfo {
    std::string_view executable;  // the program's own name, as the build names it
    std::string_view command;     // the command the package installs it as
    std::string_view desktopId;   // its menu entry's id: the Wayland app id and the icon's name
    std::string_view summary;     // one line saying what it is
    std::string_view menuName;    // its menu entry's name on a Greek desktop
    std::string_view menuNameEnglish;  // and on any other
    std::string_view version;
};

}  // namespace forms
