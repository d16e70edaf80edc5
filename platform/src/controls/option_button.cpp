// An option button: one of the window's exclusive group, selected by a click
// anywhere on it, raising Click; named by its caption or by its label.
#include "controls/option_button_widget.h"

#include "controls/caption.h"
#include "controls/host.h"
#include "controls/place.h"
#include "forms/controls.h"
#include "forms/text.h"

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

OptionButton::OptionButton(FormHost& host, const ControlRow& row)
    : Control(host, row)
{
    // All option buttons are children of the client area, which makes them one
    // exclusive group; none is selected at start.
    auto* option = new OptionButtonWidget(literalCaption(row.caption), &host.surface());
    place(*option, row);
    QObject::connect(option, &QRadioButton::clicked, option, [this] { raise(); });
    widget_ = option;
}

bool OptionButton::value() const { return static_cast<QRadioButton*>(widget_)->isChecked(); }

QString OptionButton::accessibleName(const Description& description) const
{
    return row_.caption.empty() ? labelledName(description) : qstring(row_.caption);
}

}  // namespace forms
