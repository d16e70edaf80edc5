// The widget of an option button.
#pragma once

#include <QRadioButton>

namespace forms {

// An option button that is selected by a click anywhere in its rectangle, not
// only on its indicator, and that keeps its own Tab stop.
class OptionButtonWidget final : public QRadioButton {
public:
    using QRadioButton::QRadioButton;

protected:
    bool hitButton(const QPoint& pos) const override { return rect().contains(pos); }
    void focusInEvent(QFocusEvent* event) override;
};

}  // namespace forms
