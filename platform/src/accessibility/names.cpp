// How screen readers name and order a form's controls, found from the
// geometry of the window's description.
#include "accessibility/names.h"

#include "controls/surface.h"
#include "forms/geometry.h"
#include "forms/text.h"

#include <QWidget>

#include <algorithm>
#include <optional>

namespace forms::accessibility {

QString optionGroupName(const Description& description)
{
    std::optional<QRect> group;
    for (const ControlRow& row : description.controls) {
        if (row.kind != Kind::OptionButton)
            continue;
        QRect option = twipRect(row);
        if (const ControlRow* label = labelOf(description, row))
            option = option.united(twipRect(*label));
        group = group ? group->united(option) : option;
    }
    const ControlRow* label = group ? labelAbove(description, *group) : nullptr;
    return label ? qstring(label->caption) : QString();
}

void nameControls(const Surface& surface)
{
    for (const auto& control : surface.controls())
        if (QWidget* widget = control->widget())
            widget->setAccessibleName(control->accessibleName(surface.description()));
}

std::vector<const Control*> readingOrder(const std::vector<std::unique_ptr<Control>>& controls)
{
    std::vector<const Control*> rest;
    for (const auto& control : controls)
        if (control->accessibleRole() != QAccessible::NoRole)
            rest.push_back(control.get());
    const auto leftOf = [](const Control* a, const Control* b) { return a->row().left < b->row().left; };
    std::stable_sort(rest.begin(), rest.end(), [](const Control* a, const Control* b) { return a->row().top < b->row().top; });

    std::vector<const Control*> order;
    while (!rest.empty()) {
        // One row: the topmost control left and every other one level with it.
        const QRect first = twipRect(rest.front()->row());
        const auto end = std::stable_partition(rest.begin() + 1, rest.end(),
                                               [&](const Control* c) { return level(twipRect(c->row()), first); });
        std::stable_sort(rest.begin(), end, leftOf);
        order.insert(order.end(), rest.begin(), end);
        rest.erase(rest.begin(), end);
    }
    return order;
}

}  // namespace forms::accessibility
