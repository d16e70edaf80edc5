// How description values look on the screen: colours, fonts and pictures.
#pragma once

#include "forms/description.h"

#include <QColor>
#include <QFont>
#include <QPalette>
#include <QPixmap>
#include <QRect>

namespace forms {

// The light palette the windows were designed in (Fusion's own), whatever the
// desktop's colour scheme: a window always looks as it was designed.
const QPalette& standardPalette();

// A direct colour 0x00BBGGRR, or a system colour 0x800000nn resolved from the
// standard palette.
QColor resolveColour(Colour colour);

// A description font, or the standard one (DejaVu Sans 8 pt) when none is given,
// sized as on the 120-dpi screen the descriptions were laid out on:
// points × 120 / 72 logical pixels.
QFont resolveFont(const std::optional<Font>& font);

// A control's rectangle in pixels on the client area.
QRect pixelRect(const ControlRow& row);

// An image compiled into the program or into Qt, read as the format it is
// ("BMP", "PNG") with detection off, so that no image-format plugin is loaded
// to be asked whether it knows the file. Null when it cannot be read.
QPixmap readImage(const QString& path, const char* format);

// The picture a description names; a missing picture is a fault in the build.
QPixmap loadPicture(std::string_view path);

// One look everywhere: the Fusion style, the standard palette and the standard
// font, set once per process.
void installStandardLook();

// Writes one line to stderr for each face the description names, and for the
// standard face, that the system does not have; each face once per process.
void warnMissingFaces(const Description& description);

}  // namespace forms
