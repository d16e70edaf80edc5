// Ties every window of the program to its menu entry on X11, as the Wayland
// app id does on Wayland: the window class, GTK's application id and KDE's
// desktop file name all carry the entry's id, which is plain ASCII.
#pragma once

#include <string_view>

namespace forms {

// From now on, each window the program creates on an X11 display is marked
// with `desktopId` before it is first shown. Does nothing on other platforms.
void markWindowsWithMenuEntry(std::string_view desktopId);

}  // namespace forms
