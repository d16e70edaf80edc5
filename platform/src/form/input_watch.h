// Which of the keyboard and the mouse the user touched last, watched for the
// whole application: a focus the runtime moves after a key shows the focus
// frame, as Tab would, and one it moves after a click does not.
#pragma once

namespace forms {

// Starts watching, once per application; later calls do nothing.
void watchInput();
// Whether the last key or mouse button the user pressed was a key.
bool lastInputWasKey();

}  // namespace forms
