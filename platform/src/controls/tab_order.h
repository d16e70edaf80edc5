// Keyboard order: Tab visits the focusable controls in ascending TabIndex.
#pragma once

#include "forms/controls.h"

#include <memory>
#include <vector>

namespace forms {

void applyTabOrder(const std::vector<std::unique_ptr<Control>>& controls);

// The control that takes the focus when the window shows: the first in TabIndex
// order that is visible and enabled; null when there is none.
Control* firstInTabOrder(const std::vector<std::unique_ptr<Control>>& controls);

// The control Tab leads to from `from`: the next in TabIndex order, round to
// the first again, that is visible and enabled; null when there is none.
Control* nextInTabOrder(const std::vector<std::unique_ptr<Control>>& controls, const Control& from);

}  // namespace forms
