// How description colours look on the screen.
#pragma once

#include "forms/description.h"

#include <QColor>
#include <QPalette>

namespace forms {

// The light palette the windows were designed in (Fusion's own), whatever the
// desktop's colour scheme: a window always looks as it was designed.
const QPalette& standardPalette();

// A direct colour 0x00BBGGRR, or a system colour 0x800000nn resolved from the
// standard palette.
QColor resolveColour(Colour colour);

}  // namespace forms
