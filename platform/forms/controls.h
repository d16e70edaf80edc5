// The controls of a window: one object per control row, owned by the form.
// Handlers reach them through the program's accessors and change their
// properties; every change shows at once. A control knows its form only
// through the narrow FormHost interface. Each kind is built, drawn and named
// for screen readers in its own file, platform/src/controls/<kind>.cpp.
#pragma once

#include "forms/clock.h"
#include "forms/description.h"

#include <QAccessible>
#include <QRect>
#include <QString>

#include <functional>
#include <memory>

class QPainter;
class QPalette;
class QPixmap;
class QWidget;

namespace forms {

class FormHost;
class PictureSet;

// What ran a handler: the user's own action (a click, a key, a menu choice), a
// timer, the window's Load, or a direct call from run() or a test. What a
// handler the user's action ran changes on the screen is said to a screen
// reader once it ends; what a timer changes is not.
enum class Trigger { UserAction, Timer, Load, Direct };

// A line of text printed on the window's surface.
struct PrintedLine {
    int x, y;  // pixels from the client area's top-left
    QString text;
};

class Control {
public:
    Control(FormHost& host, const ControlRow& row);
    virtual ~Control();
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    const ControlRow& row() const { return row_; }
    Kind kind() const { return row_.kind; }

    bool visible() const { return visible_; }
    void setVisible(bool visible);

    // The child window of a windowed control, null for the others.
    QWidget* widget() const { return widget_; }

    // The Click or Timer handler; connected by Form::connect.
    void setEvent(std::function<void()> event) { event_ = std::move(event); }

    // Where it stands on the surface, in pixels: its row's rectangle.
    virtual QRect area() const;
    // Draws it on the surface, beneath the windowed controls; only the kinds
    // painted on the surface draw anything.
    virtual void paint(QPainter& painter, const QPalette& palette) const;
    // What screen readers take it for; NoRole for a control they are not shown
    // (a line, a timer).
    virtual QAccessible::Role accessibleRole() const { return QAccessible::NoRole; }
    // What screen readers call it; its name unless its kind says otherwise.
    virtual QString accessibleName(const Description& description) const;

protected:
    // The caption of the label that belongs to it (see labelOf), else its name.
    QString labelledName(const Description& description) const;

    // Runs the connected handler through the form, as every event does.
    void raise(Trigger trigger = Trigger::UserAction);

    FormHost& host_;
    const ControlRow& row_;
    bool visible_;
    QWidget* widget_ = nullptr;

private:
    std::function<void()> event_;
};

class CommandButton final : public Control {
public:
    static constexpr Kind staticKind = Kind::CommandButton;
    CommandButton(FormHost& host, const ControlRow& row);
    QAccessible::Role accessibleRole() const override { return QAccessible::PushButton; }
    QString accessibleName(const Description& description) const override;
};

class OptionButton final : public Control {
public:
    static constexpr Kind staticKind = Kind::OptionButton;
    OptionButton(FormHost& host, const ControlRow& row);
    bool value() const;  // selected
    QAccessible::Role accessibleRole() const override { return QAccessible::RadioButton; }
    QString accessibleName(const Description& description) const override;
};

class TextBox final : public Control {
public:
    static constexpr Kind staticKind = Kind::TextBox;
    TextBox(FormHost& host, const ControlRow& row);
    QString text() const;
    void setText(const QString& text);
    QAccessible::Role accessibleRole() const override { return QAccessible::EditableText; }
    QString accessibleName(const Description& description) const override;
};

class PictureBox final : public Control {
public:
    static constexpr Kind staticKind = Kind::PictureBox;
    PictureBox(FormHost& host, const ControlRow& row);
    QAccessible::Role accessibleRole() const override { return QAccessible::Graphic; }
    QString accessibleName(const Description& description) const override;
};

// Windowless controls are painted on the window's surface in stored order.
class Label final : public Control {
public:
    static constexpr Kind staticKind = Kind::Label;
    Label(FormHost& host, const ControlRow& row);
    void paint(QPainter& painter, const QPalette& palette) const override;
    QAccessible::Role accessibleRole() const override;
    QString accessibleName(const Description& description) const override;
};

class Image final : public Control {
public:
    static constexpr Kind staticKind = Kind::Image;
    Image(FormHost& host, const ControlRow& row);
    ~Image() override;
    float left() const { return left_; }
    // Raises InvalidPropertyValue for a value that is not a finite number.
    void setLeft(float twips);

    // Its 1× picture.
    const QPixmap& picture() const;
    // The picture a device of `ratio` device pixels per pixel shows
    // (PictureSet::forRatio).
    const QPixmap& picture(qreal ratio) const;
    // Where it stands on the surface, in pixels: at the picture's own size
    // unless it stretches the picture to its rectangle.
    QRect rect() const;

    QRect area() const override { return rect(); }
    void paint(QPainter& painter, const QPalette& palette) const override;
    QAccessible::Role accessibleRole() const override { return QAccessible::Graphic; }
    QString accessibleName(const Description& description) const override;

private:
    float left_;
    std::unique_ptr<PictureSet> picture_;
};

class Line final : public Control {
public:
    static constexpr Kind staticKind = Kind::Line;
    Line(FormHost& host, const ControlRow& row);
    void paint(QPainter& painter, const QPalette& palette) const override;
};

class Timer final : public Control {
public:
    static constexpr Kind staticKind = Kind::Timer;
    Timer(FormHost& host, const ControlRow& row);
    ~Timer() override;
    bool enabled() const { return enabled_; }
    // Enabling a running timer leaves its interval running; disabling stops it.
    void setEnabled(bool enabled);

private:
    bool enabled_;
    std::unique_ptr<Clock::Ticker> ticker_;
};

// The control object for a row of the description.
std::unique_ptr<Control> makeControl(FormHost& host, const ControlRow& row);

// An item of the menu bar; raises Click when chosen.
class MenuItem final {
public:
    explicit MenuItem(const MenuRow& row);
    const MenuRow& row() const { return row_; }
    const std::function<void()>& event() const { return event_; }
    void setEvent(std::function<void()> event) { event_ = std::move(event); }

private:
    const MenuRow& row_;
    std::function<void()> event_;
};

}  // namespace forms
