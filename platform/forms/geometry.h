// Where a description's controls stand: their rectangles in twips and in
// pixels, and the label that belongs to a control, found from those rectangles.
#pragma once

#include "forms/description.h"

#include <QRect>

namespace forms {

// A control's rectangle in twips, as its row gives it.
QRect twipRect(const ControlRow& row);

// A control's rectangle in pixels on the client area.
QRect pixelRect(const ControlRow& row);

// Two rectangles are level when their vertical extents overlap: some row of
// pixels crosses both. Rectangles that only touch are not level.
bool level(const QRect& a, const QRect& b);

// Of the labels with a caption directly above `rect` (in twips: the label's
// bottom edge at or above its top edge, and some column shared), the nearest:
// the smallest gap from the label's bottom edge down to the top edge; null
// when there is none.
const ControlRow* labelAbove(const Description& description, const QRect& rect);

// The label that belongs to a control, or null:
//  1. of the labels with a caption level with it (on its left, on its right,
//     or overlapping it), the nearest: the smallest horizontal gap between the
//     two rectangles;
//  2. else the label directly above it.
// Of equally near labels, the first in stored order.
const ControlRow* labelOf(const Description& description, const ControlRow& control);

}  // namespace forms
