#include "controls/tab_order.h"

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

namespace {

bool takesFocus(const Control& control) { return control.visible() && control.row().enabled; }

}  // namespace

Control* firstInTabOrder(const std::vector<std::unique_ptr<Control>>& controls)
{
    for (Control* control : focusable(controls))
        if (takesFocus(*control))
            return control;
    return nullptr;
}

Control* nextInTabOrder(const std::vector<std::unique_ptr<Control>>& controls, const Control& from)
{
    const std::vector<Control*> order = focusable(controls);
    const auto at = std::find(order.begin(), order.end(), &from);
    if (at == order.end())
        return nullptr;
    for (size_t step = 1; step < order.size(); ++step) {
        Control* next = order[(size_t(at - order.begin()) + step) % order.size()];
        if (takesFocus(*next))
            return next;
    }
    return nullptr;
}

}  // namespace forms
