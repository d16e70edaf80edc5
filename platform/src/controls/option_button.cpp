#include "controls/option_button_widget.h"

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

}  // namespace forms
