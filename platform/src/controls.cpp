#include "forms/controls.h"

#include "accessibility.h"
#include "forms/errors.h"
#include "forms/form.h"
#include "forms/look.h"
#include "widgets.h"

#include <QLineEdit>
#include <QPushButton>

#include <cmath>

namespace forms {

Control::Control(Form& form, const ControlRow& row)
    : form_(form)
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
        widget_->setVisible(visible);
    } else {
        form_.changed();
        accessibility::visibilityChanged(form_, *this);
    }
}

void Control::raise() { form_.dispatch(event_); }

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

CommandButton::CommandButton(Form& form, const ControlRow& row)
    : Control(form, row)
{
    auto* button = place(new QPushButton(literalCaption(row.caption), form.clientArea()), row);
    // Enter presses the focused button, as the space bar does.
    button->setAutoDefault(true);
    QObject::connect(button, &QPushButton::clicked, button, [this] { raise(); });
    widget_ = button;
}

OptionButton::OptionButton(Form& form, const ControlRow& row)
    : Control(form, row)
{
    // All option buttons are children of the client area, which makes them one
    // exclusive group; none is selected at start.
    auto* option = place(new OptionButtonWidget(literalCaption(row.caption), form.clientArea()), row);
    QObject::connect(option, &QRadioButton::clicked, option, [this] { raise(); });
    widget_ = option;
}

bool OptionButton::value() const { return static_cast<QRadioButton*>(widget_)->isChecked(); }

TextBox::TextBox(Form& form, const ControlRow& row)
    : Control(form, row)
{
    auto* edit = place(new TextBoxWidget(qstring(row.caption), form.clientArea()), row);
    edit->setCursorPosition(0);
    widget_ = edit;
}

QString TextBox::text() const { return static_cast<QLineEdit*>(widget_)->text(); }

void TextBox::setText(const QString& text)
{
    auto* edit = static_cast<QLineEdit*>(widget_);
    edit->setText(text);
    edit->setCursorPosition(0);
}

PictureBox::PictureBox(Form& form, const ControlRow& row)
    : Control(form, row)
{
    widget_ = place(new PictureBoxWidget(loadPicture(row.picture), form.clientArea()), row);
}

Label::Label(Form& form, const ControlRow& row)
    : Control(form, row)
{
}

Image::Image(Form& form, const ControlRow& row)
    : Control(form, row)
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
        form_.clientArea()->update(before.united(rect()));
}

Line::Line(Form& form, const ControlRow& row)
    : Control(form, row)
{
}

Timer::Timer(Form& form, const ControlRow& row)
    : Control(form, row)
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
        ticker_ = form_.clock().every(std::chrono::milliseconds(row_.interval), [this] { raise(); });
}

std::unique_ptr<Control> makeControl(Form& form, const ControlRow& row)
{
    switch (row.kind) {
    case Kind::CommandButton: return std::make_unique<CommandButton>(form, row);
    case Kind::OptionButton: return std::make_unique<OptionButton>(form, row);
    case Kind::TextBox: return std::make_unique<TextBox>(form, row);
    case Kind::PictureBox: return std::make_unique<PictureBox>(form, row);
    case Kind::Label: return std::make_unique<Label>(form, row);
    case Kind::Image: return std::make_unique<Image>(form, row);
    case Kind::Line: return std::make_unique<Line>(form, row);
    case Kind::Timer: return std::make_unique<forms::Timer>(form, row);
    }
    return nullptr;
}

MenuItem::MenuItem(const MenuRow& row)
    : row_(row)
{
}

}  // namespace forms
