// What screen readers are told about a form's window, through QAccessible: the
// window is a frame named by its caption; every control has a role and a name;
// labels, pictures and printed lines, which have no widgets, are children of
// the surface; what a handler run by the user's action changes is said once
// it ends (see announcements.h).
#pragma once

#include "forms/controls.h"

#include <functional>

namespace forms {

class Surface;

namespace accessibility {

// Installs the runtime's accessible interfaces, once per process, before any
// window is built, and the filter that keeps a text box's edits by a handler
// from screen readers (an update handler installed before it still gets the
// rest; one installed after it replaces it).
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

// A handler starts to run, or ends, nested in the ones running: while the
// innermost was run by the user's action, what changes on the screen is
// collected and said once it ends; while a timer's runs, nothing is said.
void handlerStarted(const Surface& surface, Trigger trigger);
void handlerEnded(const Surface& surface);

// Runs `set`, which sets a text box's text, telling screen readers nothing of
// the edit: they read the text when they come to the box. A user's action
// that writes it has it said after its handler.
void textSet(const Surface& surface, const Control& box, const std::function<void()>& set);

}  // namespace accessibility
}  // namespace forms
