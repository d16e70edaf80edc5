// The Qt widgets and window parts the form runtime builds a window from.
#pragma once

#include "forms/controls.h"
#include "forms/description.h"

#include <QLineEdit>
#include <QPixmap>
#include <QRadioButton>
#include <QWidget>

#include <functional>
#include <memory>
#include <string_view>
#include <vector>

class QVBoxLayout;

namespace forms {

class Form;

inline QString qstring(std::string_view text) { return QString::fromUtf8(text.data(), qsizetype(text.size())); }

// A caption is shown verbatim: an '&' is a character, not an access-key mark.
inline QString literalCaption(std::string_view caption) { return qstring(caption).replace(u'&', QStringLiteral("&&")); }

// The top-level window: closing it, by the title bar or Alt+F4, ends the program.
class TopLevel final : public QWidget {
public:
    TopLevel(Form& form, Qt::WindowFlags flags);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    Form& form_;
};

// The window's own surface: the BackColor fill, then labels, images and lines in
// stored order, then the printed text. Windowed controls are its child widgets and
// so are drawn above all of it.
class ClientArea final : public QWidget {
public:
    ClientArea(Form& form, QWidget* parent);
    QSize sizeHint() const override;
    Form& form() const { return form_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Form& form_;
};

// An option button that is selected by a click anywhere in its rectangle, not only
// on its indicator, and that keeps its own Tab stop.
class OptionButtonWidget final : public QRadioButton {
public:
    using QRadioButton::QRadioButton;

protected:
    bool hitButton(const QPoint& pos) const override { return rect().contains(pos); }
    void focusInEvent(QFocusEvent* event) override;
};

// A text box that takes the editing keys every desktop shares and none of the
// Emacs-style ones Qt adds on X11.
class TextBoxWidget final : public QLineEdit {
public:
    using QLineEdit::QLineEdit;

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

// A picture box: a sunken two-pixel frame with the picture at natural size from
// the inner top-left corner, clipped to the inside of the frame; the style's
// focus rectangle inside the frame while it has the keyboard focus.
class PictureBoxWidget final : public QWidget {
public:
    PictureBoxWidget(QPixmap picture, QWidget* parent);
    static constexpr int frameWidth = 2;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap picture_;
};

// The menu bar of `menus` in `layout`, its items raising `chosen`.
std::vector<std::unique_ptr<MenuItem>> buildMenuBar(QWidget* window, QVBoxLayout* layout, const std::vector<MenuRow>& menus,
                                                    const std::function<void(const MenuItem&)>& chosen);

// Keyboard order: Tab visits the focusable controls in ascending TabIndex.
void applyTabOrder(const std::vector<std::unique_ptr<Control>>& controls);

// The control that takes the focus when the window shows: the first in TabIndex
// order that is visible and enabled; null when there is none.
Control* firstInTabOrder(const std::vector<std::unique_ptr<Control>>& controls);

}  // namespace forms
