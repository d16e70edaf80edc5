// The widget of a text box.
#pragma once

#include <QLineEdit>

namespace forms {

// A text box that takes the editing keys every desktop shares and none of the
// Emacs-style ones Qt adds on X11.
class TextBoxWidget final : public QLineEdit {
public:
    using QLineEdit::QLineEdit;

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace forms
