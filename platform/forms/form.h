// The form runtime: builds one window from its description and runs its handlers.
// A program derives its form from forms::Form, declares one typed accessor per
// control with FORMS_CONTROL and connects its handlers; see programs/ for examples.
#pragma once

#include "controls/host.h"
#include "forms/clock.h"
#include "forms/controls.h"
#include "forms/conversions.h"
#include "forms/description.h"
#include "forms/errors.h"
#include "forms/reporter.h"

#include <QString>

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string_view>
#include <type_traits>
#include <vector>

class QWidget;

namespace forms {

class Surface;
class Window;

// The services a form uses that tests replace: the clock and the error reporter.
struct Services {
    Clock* clock = nullptr;            // the system clock when null
    ErrorReporter* reporter = nullptr; // the standard reporter when null
};

// A form is the host of its controls (controls/host.h), which nothing outside
// the runtime sees.
class Form : private FormHost {
public:
    explicit Form(Description description, Services services = {});
    virtual ~Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    const Description& windowDescription() const { return description_; }

    // The window's own properties.
    bool visible() const;
    // Hiding the window ends the program once the running handler returns:
    // a program with no window left would otherwise run on unseen and unreachable.
    void setVisible(bool visible);
    Colour backColor() const;
    void setBackColor(Colour colour);

    // Printing on the window's surface, above labels, images and lines and
    // beneath every windowed control. Each Print is one line.
    void Print(const QString& text);
    void Cls();

    // Seconds since midnight, with fractions.
    double Timer() const;
    // Today with no time of day, and the time of day with no date.
    DateValue Date() const;
    DateValue Time() const;
    // Dispatches every pending event, running its handler to completion, then
    // returns; when none was pending, first waits up to 1 ms for one. Raises
    // ProgramEnding if the program ended meanwhile.
    void DoEvents();
    // DoEvents for a handler that waits until the clock reads `timer`, a Timer()
    // value (one of 86400 or more lies past midnight): when no event is pending
    // it sleeps until one arrives or until `timer`, at least the clock's 1 ms,
    // instead of waking every millisecond. The handler still tests the clock:
    //     t0 = Timer();
    //     while (seconds from t0 to Timer() < 0.17)
    //         DoEventsUntil(t0 + 0.17);
    // A deadline is taken as the nearer of its readings, within 12 hours either way.
    // The sleep is measured from the last Timer() reading on the monotonic
    // clock, so a step of the wall clock since that reading never lengthens it.
    void DoEventsUntil(double timer);

    // Running the form.
    void load();  // raises Load
    void show();  // shows the window, focus on the first control in TabIndex order
    // Set once the program has ended: 0 after a close or a hide, 1 after an error.
    std::optional<int> exitStatus() const { return exitStatus_; }
    // Closing the window (title bar, Alt+F4) ends the program with status 0.
    void close();

    // Runs a handler the way every event does: errors are reported and end the
    // program; nothing runs once it has ended. No exception leaves this call.
    // The trigger says what ran it: what a handler the user's action ran
    // changes on the screen is said to a screen reader once it ends.
    void dispatch(Trigger trigger, const std::function<void()>& handler) noexcept override;
    void dispatch(const std::function<void()>& handler) noexcept { dispatch(Trigger::Direct, handler); }
    // Drops events that arrive nested deeper than this inside DoEvents: as deep
    // as the stack limit leaves room for with a wide margin, and at most 1000.
    static int maxNesting();
    int nesting() const { return nesting_; }

    // For run(), tests and tools: the top-level window, the surface (the
    // client area below the menu bar, which the controls stand on), the
    // controls in stored order, one by name, and the printed lines in print
    // order. Handlers use their accessors.
    QWidget* window() const;
    QWidget& surface() const override;
    const std::vector<std::unique_ptr<Control>>& controls() const { return controls_; }
    Control* find(std::string_view name) const;
    const std::vector<PrintedLine>& printedLines() const;

    // The control or menu item of this name and type, for an accessor. A name
    // the description lacks, or a row of another kind, is a fault in the
    // program: the runtime says which and stops it at once.
    template <class T>
    T& bind(std::string_view name)
    {
        if constexpr (std::is_same_v<T, MenuItem>)
            return bindMenuItem(name);
        else
            return static_cast<T&>(bindControl(name, T::staticKind));
    }

protected:
    // Connecting handlers: Click of a button, option button or menu item, Timer of a timer.
    template <class F, class C>
    void connect(C& target, void (F::*handler)())
    {
        target.setEvent([this, handler] { (static_cast<F*>(this)->*handler)(); });
    }
    template <class F>
    void onLoad(void (F::*handler)())
    {
        load_ = [this, handler] { (static_cast<F*>(this)->*handler)(); };
    }

private:
    // The rest of what the controls see of the form.
    Clock& clock() override { return *clock_; }
    void visibilityChanged(const Control& control) override;
    void focusLost(const Control& control) override { focusLost_ = &control; }
    void printedLinesChanged() override;
    void textSet(const Control& box, const std::function<void()>& set) override;

    Control& bindControl(std::string_view name, Kind kind);
    MenuItem& bindMenuItem(std::string_view name);
    void dispatchPendingOrIdle(const std::function<std::chrono::milliseconds()>& idleLimit);
    void moveFocusOn();
    void end(int status);

    Description description_;
    std::unique_ptr<Clock> ownClock_;
    std::unique_ptr<ErrorReporter> ownReporter_;
    Clock* clock_;
    ErrorReporter* reporter_;
    std::unique_ptr<Window> window_;
    Surface* surface_ = nullptr;  // owned by the window
    std::vector<std::unique_ptr<Control>> controls_;  // stored order
    std::vector<std::unique_ptr<MenuItem>> menuItems_;
    std::function<void()> load_;
    const Control* focusLost_ = nullptr;  // hidden while it had the focus, by the running handler
    std::optional<int> exitStatus_;
    bool hidden_ = false;
    int nesting_ = 0;
    // The last Timer() reading and the monotonic clock's reading beside it.
    struct Reading {
        double timer = 0;
        std::chrono::nanoseconds monotonic { 0 };
        bool taken = false;
    };
    mutable Reading lastReading_;
};

// A program's typed accessor for one control or menu item, bound by name when
// the window is built; a handler calls it, `red().setVisible(false)`, and
// never looks a name up while it runs.
template <class T>
class Accessor {
public:
    Accessor(Form& form, std::string_view name)
        : target_(&form.bind<T>(name))
    {
    }
    T& operator()() const { return *target_; }

private:
    T* target_;
};

// Declares the accessor `name()` of a form for the control of that name, so the
// name is written once: FORMS_CONTROL(CommandButton, red);
#define FORMS_CONTROL(Type, name) ::forms::Accessor<::forms::Type> name { *this, #name }
#define FORMS_MENU_ITEM(name) ::forms::Accessor<::forms::MenuItem> name { *this, #name }

}  // namespace forms
