// How screen readers name and order a window's controls, found from the
// geometry of the window's description.
#pragma once

#include "forms/controls.h"
#include "forms/description.h"

#include <QString>

#include <memory>
#include <vector>

namespace forms {

class Surface;

namespace accessibility {

// The accessible name of a control: a button's or label's caption, a picture's
// description, and for a text box, or an option button without a caption, the
// caption of the label that belongs to it (see names.cpp).
QString nameOf(const Description& description, const ControlRow& control);

// Gives each windowed control on the surface its accessible name.
void nameControls(const Surface& surface);

// The controls a screen reader sees, labels and pictures with the windowed ones
// (lines and timers are left out), in reading order: top to bottom in rows,
// each row left to right.
std::vector<const Control*> readingOrder(const std::vector<std::unique_ptr<Control>>& controls);

}  // namespace accessibility
}  // namespace forms
