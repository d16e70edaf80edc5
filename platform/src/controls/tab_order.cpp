#include "tab_order.h"

#include <QWidget>

#include <algorithm>

namespace forms {

namespace {

// The controls that can take the focus, in ascending TabIndex.
std::vector<Control*> focusable(const std::vector<std::unique_ptr<Control>>& controls)
{
    std::vector<Control*> result;
    for (const auto& control : controls)
        if (control->widget() && control->row().tabIndex)
            result.push_back(control.get());
    std::stable_sort(result.begin(), result.end(),
                     [](const Control* a, const Control* b) { return *a->row().tabIndex < *b->row().tabIndex; });
    return result;
}

}  // namespace

void applyTabOrder(const std::vector<std::unique_ptr<Control>>& controls)
{
    const std::vector<Control*> order = focusable(controls);
    for (size_t i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1]->widget(), order[i]->widget());
}

Control* firstInTabOrder(const std::vector<std::unique_ptr<Control>>& controls)
{
    for (Control* control : focusable(controls))
        if (control->visible() && control->row().enabled)
            return control;
    return nullptr;
}

}  // namespace forms
