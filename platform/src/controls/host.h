// What the controls, the surface and the menu bar need of the form they belong
// to, and nothing more: the surface to stand on and repaint, the clock, a way
// to run an event's handler, and a listener for what a screen reader must hear.
// The form implements it; nothing in this layer knows the form itself.
#pragma once

#include <functional>

class QWidget;

namespace forms {

class Clock;
class Control;
enum class Trigger;

class FormHost {
public:
    // The window's client area: windowed controls are its child widgets, and
    // windowless ones are painted on it.
    virtual QWidget& surface() const = 0;
    virtual Clock& clock() = 0;
    // Runs an event's handler the way every event is run: errors are reported
    // and end the program. No exception leaves this call.
    virtual void dispatch(Trigger trigger, const std::function<void()>& handler) noexcept = 0;

    // A control was shown or hidden.
    virtual void visibilityChanged(const Control& control) = 0;
    // A control that had the keyboard focus was hidden. The focus goes on once
    // the running handler returns, since the handler may yet show the control
    // that Tab leads to.
    virtual void focusLost(const Control& control) = 0;
    // Lines were printed on the surface, or cleared from it.
    virtual void printedLinesChanged() = 0;
    // A handler sets a text box's text: `set` changes it. Screen readers are
    // not told of each edit (a clock's box would talk at every tick); what a
    // user's action wrote is said once the handler ends.
    virtual void textSet(const Control& box, const std::function<void()>& set) = 0;

protected:
    ~FormHost() = default;
};

}  // namespace forms
