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

// The name of the group the window's option buttons form: the caption of the
// label directly above the option buttons and the labels that name them, found
// as a control's label above it is (see labelAbove); empty when there is none.
QString optionGroupName(const Description& description);

// Gives each windowed control on the surface its accessible name, as its kind
// names it (Control::accessibleName).
void nameControls(const Surface& surface);

// The controls a screen reader sees, labels and pictures with the windowed ones
// (those with no accessible role, lines and timers, are left out), in reading order: top to bottom in rows,
// each row left to right.
std::vector<const Control*> readingOrder(const std::vector<std::unique_ptr<Control>>& controls);

}  // namespace accessibility
}  // namespace forms
