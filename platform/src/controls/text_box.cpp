// A text box: one line of text to edit, named by its label.
#include "controls/text_box_widget.h"

#include "controls/host.h"
#include "controls/place.h"
#include "forms/controls.h"
#include "forms/text.h"

#include <QKeyEvent>
#include <QLocale>

namespace forms {

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

// The keypad's decimal key gives "." or "," after the keyboard layout, which
// need not match the regional settings the text is read by.
bool isKeypadDecimal(const QKeyEvent& key)
{
    return key.modifiers().testFlag(Qt::KeypadModifier) && (key.text() == u'.' || key.text() == u',');
}

}  // namespace

void TextBoxWidget::keyPressEvent(QKeyEvent* event)
{
    // As in a spreadsheet, the keypad's decimal key types the locale's separator.
    if (isKeypadDecimal(*event) && !isReadOnly()) {
        insert(QLocale().decimalPoint());
        event->accept();
    } else if (isSharedEditingKey(*event))
        QLineEdit::keyPressEvent(event);
    else
        event->ignore();
}

TextBox::TextBox(FormHost& host, const ControlRow& row)
    : Control(host, row)
{
    auto* edit = new TextBoxWidget(qstring(row.caption), &host.surface());
    place(*edit, row);
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

QString TextBox::accessibleName(const Description& description) const { return labelledName(description); }

}  // namespace forms
