#include "forms/controls.h"

#include "caption.h"
#include "forms/errors.h"
#include "forms/look.h"
#include "host.h"
#include "option_button_widget.h"
#include "picture_box_widget.h"
#include "text_box_widget.h"

#include <QPushButton>

#include <cmath>

namespace forms {

Control::Control(FormHost& host, const ControlRow& row)
    : host_(host)
    , row_(row)
    , visible_(row.visible)
{
}

Control::~Control() = default;

void Control::setVisible(bool visible)
{
    if (visible_ == visible)
        return;
    visible_ = visible;
    if (widget_) {
        // Cleared first, so that the focus makes no stop on whichever control
        // Qt would pick while the handler is still changing the window.
        const bool hadFocus = !visible && widget_->hasFocus();
        if (hadFocus)
            widget_->clearFocus();
        widget_->setVisible(visible);
        if (hadFocus)
            host_.focusLost(*this);
    } else {
        host_.surface().update();
    }
    host_.visibilityChanged(*this);
}

void Control::raise(Trigger trigger) { host_.dispatch(trigger, event_); }

namespace {

// Places a windowed control on the client area at its described rectangle.
template <class W>
W* place(W* widget, const ControlRow& row)
{
    widget->setGeometry(pixelRect(row));
    widget->setFont(resolveFont(row.font));
    widget->setEnabled(row.enabled);
    widget->setVisible(row.visible);
    widget->setFocusPolicy(Qt::StrongFocus);
    // Windowed controls are opaque: printed text beneath them is hidden.
    widget->setAutoFillBackground(true);
    return widget;
}

}  // namespace

CommandButton::CommandButton(FormHost& host, const ControlRow& row)
    : Control(host, row)
{
    auto* button = place(new QPushButton(literalCaption(row.caption), &host.surface()), row);
    // Enter presses the focused button, as the space bar does.
    button->setAutoDefault(true);
    QObject::connect(button, &QPushButton::clicked, button, [this] { raise(); });
    widget_ = button;
}

OptionButton::OptionButton(FormHost& host, const ControlRow& row)
    : Control(host, row)
{
    // All option buttons are children of the client area, which makes them one
    // exclusive group; none is selected at start.
    auto* option = place(new OptionButtonWidget(literalCaption(row.caption), &host.surface()), row);
    QObject::connect(option, &QRadioButton::clicked, option, [this] { raise(); });
    widget_ = option;
}

bool OptionButton::value() const { return static_cast<QRadioButton*>(widget_)->isChecked(); }

TextBox::TextBox(FormHost& host, const ControlRow& row)
    : Control(host, row)
{
    auto* edit = place(new TextBoxWidget(qstring(row.caption), &host.surface()), row);
    edit->setCursorPosition(0);
    widget_ = edit;
}

QString TextBox::text() const { return static_cast<QLineEdit*>(widget_)->text(); }

void TextBox::setText(const QString& text)
{
    auto* edit = static_cast<QLineEdit*>(widget_);
    // The text it already holds leaves the box as it is: the caret and the
    // selection stay, and a screen reader has nothing new to say.
    if (edit->text() == text)
        return;
    host_.textSet(*this, [&] {
        edit->setText(text);
        edit->setCursorPosition(0);
    });
}

PictureBox::PictureBox(FormHost& host, const ControlRow& row)
    : Control(host, row)
{
    widget_ = place(new PictureBoxWidget(loadPicture(row.picture), &host.surface()), row);
}

Label::Label(FormHost& host, const ControlRow& row)
    : Control(host, row)
{
}

Image::Image(FormHost& host, const ControlRow& row)
    : Control(host, row)
    , left_(float(row.left))
    , picture_(std::make_unique<QPixmap>(loadPicture(row.picture)))
{
}

Image::~Image() = default;

QRect Image::rect() const
{
    const int x = int(std::lround(double(left_) / twipsPerPixel));
    if (row_.stretch)
        return { x, toPixels(row_.top), toPixels(row_.width), toPixels(row_.height) };
    return { QPoint(x, toPixels(row_.top)), picture_->size() };
}

void Image::setLeft(float twips)
{
    // Positions live in the 16-bit twip range; anything else cannot be shown.
    if (!std::isfinite(twips) || std::fabs(twips) > 1.0e9f)
        throw RuntimeError(RuntimeError::InvalidPropertyValue);
    const QRect before = rect();
    left_ = twips;
    // A picture that stays on its pixels needs no repaint.
    if (visible_ && rect() != before)
        host_.surface().update(before.united(rect()));
}

Line::Line(FormHost& host, const ControlRow& row)
    : Control(host, row)
{
}

Timer::Timer(FormHost& host, const ControlRow& row)
    : Control(host, row)
    , enabled_(false)
{
    setEnabled(row.enabled);
}

Timer::~Timer() = default;

void Timer::setEnabled(bool enabled)
{
    enabled_ = enabled;
    if (!enabled)
        ticker_.reset();
    else if (!ticker_)
        ticker_ = host_.clock().every(std::chrono::milliseconds(row_.interval), [this] { raise(Trigger::Timer); });
}

std::unique_ptr<Control> makeControl(FormHost& host, const ControlRow& row)
{
    switch (row.kind) {
    case Kind::CommandButton: return std::make_unique<CommandButton>(host, row);
    case Kind::OptionButton: return std::make_unique<OptionButton>(host, row);
    case Kind::TextBox: return std::make_unique<TextBox>(host, row);
    case Kind::PictureBox: return std::make_unique<PictureBox>(host, row);
    case Kind::Label: return std::make_unique<Label>(host, row);
    case Kind::Image: return std::make_unique<Image>(host, row);
    case Kind::Line: return std::make_unique<Line>(host, row);
    case Kind::Timer: return std::make_unique<forms::Timer>(host, row);
    }
    return nullptr;
}

MenuItem::MenuItem(const MenuRow& row)
    : row_(row)
{
}

}  // namespace forms
