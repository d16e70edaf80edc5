#include "widgets.h"

#include <QKeyEvent>
#include <QPainter>
#include <QStyleOptionFocusRect>
#include <qdrawutil.h>

namespace forms {

void OptionButtonWidget::focusInEvent(QFocusEvent* event)
{
    QRadioButton::focusInEvent(event);
    // Qt takes the other option buttons of an exclusive group out of the Tab
    // chain whenever one of them takes the focus, so that Tab passes the group
    // as one stop. Here Tab and Shift+Tab visit every option button in TabIndex
    // order; the arrow keys still move through the group as Qt has them do.
    for (auto* option : parentWidget()->findChildren<OptionButtonWidget*>(Qt::FindDirectChildrenOnly))
        option->setFocusPolicy(Qt::StrongFocus);
}

namespace {

// Ctrl with a letter is an editing key only for the commands every desktop
// shares. On X11 Qt's line edit also deletes a character on Ctrl+D, goes to the
// end of the line on Ctrl+E, deletes to the end on Ctrl+K and deletes the whole
// line on Ctrl+U; those, and every other Ctrl+letter, are not editing keys here.
bool isSharedEditingKey(const QKeyEvent& key)
{
    const Qt::KeyboardModifiers modifiers = key.modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier);
    if (modifiers != Qt::ControlModifier || key.key() < Qt::Key_A || key.key() > Qt::Key_Z)
        return true;
    for (QKeySequence::StandardKey shared : { QKeySequence::Undo, QKeySequence::Redo, QKeySequence::Cut, QKeySequence::Copy,
                                              QKeySequence::Paste, QKeySequence::SelectAll, QKeySequence::Deselect })
        if (key.matches(shared))
            return true;
    return false;
}

}  // namespace

void TextBoxWidget::keyPressEvent(QKeyEvent* event)
{
    if (isSharedEditingKey(*event))
        QLineEdit::keyPressEvent(event);
    else
        event->ignore();
}

PictureBoxWidget::PictureBoxWidget(QPixmap picture, QWidget* parent)
    : QWidget(parent)
    , picture_(std::move(picture))
{
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Button);
}

void PictureBoxWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QRect inner = rect().adjusted(frameWidth, frameWidth, -frameWidth, -frameWidth);
    painter.save();
    painter.setClipRect(inner);
    painter.drawPixmap(inner.topLeft(), picture_);
    painter.restore();
    qDrawWinPanel(&painter, rect(), palette(), true);
    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = inner;
        focus.backgroundColor = palette().color(QPalette::Button);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
    }
}

}  // namespace forms
