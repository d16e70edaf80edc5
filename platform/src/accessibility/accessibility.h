// What screen readers are told about a form's window, through QAccessible: the
// window is a frame named by its caption; every control has a role and a name;
// labels, pictures and printed lines, which have no widgets, are children of
// the surface; a printed line is announced as it appears.
#pragma once

#include "forms/controls.h"

namespace forms {

class Surface;

namespace accessibility {

// Installs the runtime's accessible interfaces, once per process, before any
// window is built.
void install();

// Makes the surface's controls known to screen readers once they are all built.
void prepare(const Surface& surface);

// Tells screen readers that the printed lines changed: lines printed since the
// last call are created and announced, lines Cls removed are destroyed.
void printedLinesChanged(const Surface& surface);

// Tells screen readers of the labels and pictures that came into sight or went
// out of it when a control was shown or hidden (widgets tell them of
// themselves).
void visibilityChanged(const Surface& surface);

}  // namespace accessibility
}  // namespace forms
