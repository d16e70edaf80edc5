// The form runtime: builds one window from its description and runs its handlers.
// A program derives its form from forms::Form, adds one typed accessor per control
// and connects its handlers; see programs/ for examples.
#pragma once

#include "forms/clock.h"
#include "forms/conversions.h"
#include "forms/description.h"
#include "forms/errors.h"

#include <QRect>
#include <QString>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QPixmap;
class QWidget;

namespace forms {

class Form;
class ErrorReporter;

// The services a form uses that tests replace: the clock and the error reporter.
struct Services {
    Clock* clock = nullptr;            // the system clock when null
    ErrorReporter* reporter = nullptr; // the standard reporter when null
};

// Shows a run-time error to the user. The standard one writes it to stderr and
// shows a modal message box.
class ErrorReporter {
public:
    virtual ~ErrorReporter() = default;
    virtual void report(const Form& form, const RuntimeError& error) = 0;
};

// ---- Controls ---------------------------------------------------------------
// One object per control row, owned by the form. Handlers reach them through
// the program's accessors and change their properties; every change shows at once.

class Control {
public:
    Control(Form& form, const ControlRow& row);
    virtual ~Control();
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    const ControlRow& row() const { return row_; }
    Kind kind() const { return row_.kind; }

    bool visible() const { return visible_; }
    void setVisible(bool visible);

    // The child window of a windowed control, null for the others.
    QWidget* widget() const { return widget_; }

protected:
    Form& form_;
    const ControlRow& row_;
    bool visible_;
    QWidget* widget_ = nullptr;
    std::function<void()> event_;  // Click or Timer handler

private:
    friend class Form;
};

class CommandButton final : public Control {
public:
    static constexpr Kind staticKind = Kind::CommandButton;
    CommandButton(Form& form, const ControlRow& row);
};

class OptionButton final : public Control {
public:
    static constexpr Kind staticKind = Kind::OptionButton;
    OptionButton(Form& form, const ControlRow& row);
    bool value() const;  // selected
};

class TextBox final : public Control {
public:
    static constexpr Kind staticKind = Kind::TextBox;
    TextBox(Form& form, const ControlRow& row);
    QString text() const;
    void setText(const QString& text);
};

class PictureBox final : public Control {
public:
    static constexpr Kind staticKind = Kind::PictureBox;
    PictureBox(Form& form, const ControlRow& row);
};

// Windowless controls are painted on the window's surface in stored order.
class Label final : public Control {
public:
    static constexpr Kind staticKind = Kind::Label;
    Label(Form& form, const ControlRow& row);
};

class Image final : public Control {
public:
    static constexpr Kind staticKind = Kind::Image;
    Image(Form& form, const ControlRow& row);
    ~Image() override;
    float left() const { return left_; }
    // Raises InvalidPropertyValue for a value that is not a finite number.
    void setLeft(float twips);

    const QPixmap& picture() const { return *picture_; }
    // Where it stands on the surface, in pixels: at the picture's own size
    // unless it stretches the picture to its rectangle.
    QRect rect() const;

private:
    float left_;
    std::unique_ptr<QPixmap> picture_;
};

class Line final : public Control {
public:
    static constexpr Kind staticKind = Kind::Line;
    Line(Form& form, const ControlRow& row);
};

class Timer final : public Control {
public:
    static constexpr Kind staticKind = Kind::Timer;
    Timer(Form& form, const ControlRow& row);
    ~Timer() override;
    bool enabled() const { return enabled_; }
    // Enabling a running timer leaves its interval running; disabling stops it.
    void setEnabled(bool enabled);

private:
    bool enabled_;
    std::unique_ptr<Clock::Ticker> ticker_;
};

class MenuItem final {
public:
    explicit MenuItem(const MenuRow& row);
    const MenuRow& row() const { return row_; }

private:
    friend class Form;
    const MenuRow& row_;
    std::function<void()> event_;
};

// ---- The form ---------------------------------------------------------------

class Form {
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
    Colour backColor() const { return backColor_; }
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
    void DoEventsUntil(double timer);

    // Running the form.
    void load();  // raises Load
    void show();  // shows the window, focus on the first control in TabIndex order
    // Set once the program has ended: 0 after a close or a hide, 1 after an error.
    std::optional<int> exitStatus() const { return exitStatus_; }
    // Closing the window (title bar, Alt+F4) ends the program with status 0.
    void close();

    // The top-level window and the client area, for main() and tests.
    QWidget* window() const;
    QWidget* clientArea() const;
    // The printed lines, in print order.
    struct PrintedLine {
        int x, y;  // pixels from the client area's top-left
        QString text;
    };
    const std::vector<PrintedLine>& printedLines() const { return printed_; }
    // Drops events that arrive nested deeper than this inside DoEvents.
    static constexpr int maxNesting = 1000;
    int nesting() const { return nesting_; }

    // Runs a handler the way every event does: errors are reported and end the
    // program; nothing runs once it has ended. No exception leaves this call.
    void dispatch(const std::function<void()>& handler) noexcept;

protected:
    // Typed access to a control by its creation index; asking for the wrong
    // kind is a fault in the program and stops it at once.
    template <class T>
    T& control(int index) { return static_cast<T&>(checkedControl(index, T::staticKind)); }
    MenuItem& menuItem(int index);

    // Connecting handlers: Click of a button, option button or menu item, Timer of a timer.
    template <class F, class C>
    void connect(C& control, void (F::*handler)())
    {
        bind(control.event_, handler);
    }
    template <class F>
    void onLoad(void (F::*handler)()) { bind(load_, handler); }

private:
    friend class Control;
    friend class Image;
    friend class forms::Timer;
    friend class ClientArea;
    struct Widgets;

    template <class F>
    void bind(std::function<void()>& slot, void (F::*handler)())
    {
        slot = [this, handler] { (static_cast<F*>(this)->*handler)(); };
    }
    Control& checkedControl(int index, Kind kind);
    void end(int status);
    void changed();  // the surface needs repainting
    Clock& clock() const { return *clock_; }

    Description description_;
    Clock* clock_;
    ErrorReporter* reporter_;
    std::unique_ptr<Clock> ownClock_;
    std::unique_ptr<ErrorReporter> ownReporter_;
    Colour backColor_;
    std::vector<std::unique_ptr<Control>> controls_;   // stored order
    std::vector<Control*> byIndex_;                    // creation index -> control
    std::vector<std::unique_ptr<MenuItem>> menuItems_;
    std::vector<PrintedLine> printed_;
    int printY_ = 0;
    std::function<void()> load_;
    std::optional<int> exitStatus_;
    bool hidden_ = false;
    int nesting_ = 0;
    std::unique_ptr<Widgets> widgets_;
};


// Builds the program's form, raises Load, shows the window and runs until the
// program ends; returns its exit status. Everything a program's main() does.
int run(int argc, char** argv, const std::function<std::unique_ptr<Form>()>& make);

template <class F>
int run(int argc, char** argv)
{
    return run(argc, argv, [] { return std::make_unique<F>(); });
}

}  // namespace forms
