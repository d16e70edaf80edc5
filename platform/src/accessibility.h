// What screen readers are told about a form, through QAccessible: the window is a
// frame named by its caption; every control has a role and a name; labels,
// pictures and printed lines, which have no widgets, are children of the client
// area; a printed line is announced as it appears.
#pragma once

#include "forms/controls.h"
#include "forms/description.h"

#include <QString>

#include <memory>
#include <vector>

namespace forms {

class Form;

namespace accessibility {

// Installs the runtime's accessible interfaces, once per process, before any
// window is built.
void install();

// Makes a form's controls known to screen readers once they are all built.
void prepare(const Form& form);

// Gives each windowed control of a built form its accessible name.
void nameControls(const Form& form);

// The accessible name of a control: a button's or label's caption, a picture's
// description, and for a text box, or an option button without a caption, the
// caption of the label that belongs to it (see accessible_names.cpp).
QString nameOf(const Description& description, const ControlRow& control);

// The controls a screen reader sees, labels and pictures with the windowed ones
// (lines and timers are left out), in reading order: top to bottom in rows,
// each row left to right.
std::vector<const Control*> readingOrder(const std::vector<std::unique_ptr<Control>>& controls);

// Tells screen readers that the printed lines changed: lines printed since the
// last call are created and announced, lines Cls removed are destroyed.
void printedLinesChanged(const Form& form);

// Tells screen readers that a label or picture was shown or hidden.
void visibilityChanged(const Form& form, const Control& control);

}  // namespace accessibility
}  // namespace forms
