// One look for every window of the process.
#pragma once

namespace forms {

// The Fusion style, the standard palette and the standard font, set once per
// process.
void installStandardLook();

}  // namespace forms
