// What every windowed control's widget is given when it is built.
#pragma once

#include "forms/description.h"

class QWidget;

namespace forms {

// Places a windowed control's widget on the client area at its described
// rectangle, in its font, enabled and shown as its row says, taking the focus
// by Tab and by a click.
void place(QWidget& widget, const ControlRow& row);

}  // namespace forms
