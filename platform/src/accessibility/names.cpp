// How screen readers name and order a form's controls, found from the
// geometry of the window's description.
#include "accessibility/names.h"

#include "controls/surface.h"
#include "forms/text.h"

#include <algorithm>
#include <optional>

namespace forms::accessibility {

namespace {

// A control's rectangle in twips; the right and bottom edges lie just outside it.
struct Box {
    explicit Box(const ControlRow& row)
        : left(row.left), top(row.top), right(row.left + row.width), bottom(row.top + row.height)
    {
    }
    // The smallest rectangle holding both.
    Box united(const Box& other) const
    {
        Box both = *this;
        both.left = std::min(left, other.left);
        both.top = std::min(top, other.top);
        both.right = std::max(right, other.right);
        both.bottom = std::max(bottom, other.bottom);
        return both;
    }
    Twips left, top, right, bottom;
};

// Two rectangles are level when their vertical extents overlap: some row of
// pixels crosses both. Rectangles that only touch are not level.
bool level(const Box& a, const Box& b) { return a.top < b.bottom && b.top < a.bottom; }

// Some column of pixels crosses both rectangles.
bool sharesColumns(const Box& a, const Box& b) { return a.left < b.right && b.left < a.right; }

// The twips between two rectangles side by side; 0 where they overlap.
Twips horizontalGap(const Box& a, const Box& b) { return std::max({ 0, b.left - a.right, a.left - b.right }); }

bool isNamingLabel(const ControlRow& row) { return row.kind == Kind::Label && !row.caption.empty(); }

// Of the labels with a caption for which `gap` gives a distance, the nearest;
// of equally near ones the first in stored order. Null when there is none.
template <class Gap>
const ControlRow* nearestLabel(const Description& description, Gap gap)
{
    const ControlRow* nearest = nullptr;
    Twips nearestGap = 0;
    for (const ControlRow& row : description.controls) {
        if (!isNamingLabel(row))
            continue;
        if (const std::optional<Twips> g = gap(Box(row)); g && (!nearest || *g < nearestGap)) {
            nearest = &row;
            nearestGap = *g;
        }
    }
    return nearest;
}

// Of the labels directly above `box` (the label's bottom edge at or above its
// top edge, and some column shared), the nearest: the smallest gap from the
// label's bottom edge down to the top edge.
const ControlRow* labelAbove(const Description& description, const Box& box)
{
    return nearestLabel(description, [&](const Box& label) -> std::optional<Twips> {
        if (label.bottom <= box.top && sharesColumns(label, box))
            return box.top - label.bottom;
        return std::nullopt;
    });
}

// The label that belongs to a control, or null:
//  1. of the labels level with it (on its left, on its right, or overlapping
//     it), the nearest: the smallest horizontal gap between the two rectangles;
//  2. else the label directly above it.
const ControlRow* labelOf(const Description& description, const ControlRow& control)
{
    const Box box(control);
    const ControlRow* beside = nearestLabel(description, [&](const Box& label) -> std::optional<Twips> {
        if (level(label, box))
            return horizontalGap(label, box);
        return std::nullopt;
    });
    return beside ? beside : labelAbove(description, box);
}

}  // namespace

QString nameOf(const Description& description, const ControlRow& control)
{
    switch (control.kind) {
    case Kind::CommandButton:
    case Kind::Label:
        return qstring(control.caption);
    case Kind::Image:
    case Kind::PictureBox:
        return qstring(control.description);
    case Kind::OptionButton:
        if (!control.caption.empty())
            return qstring(control.caption);
        [[fallthrough]];
    case Kind::TextBox:
        if (const ControlRow* label = labelOf(description, control))
            return qstring(label->caption);
        [[fallthrough]];
    default:
        return qstring(control.name);
    }
}

QString optionGroupName(const Description& description)
{
    std::optional<Box> group;
    for (const ControlRow& row : description.controls) {
        if (row.kind != Kind::OptionButton)
            continue;
        Box option(row);
        if (const ControlRow* label = labelOf(description, row))
            option = option.united(Box(*label));
        group = group ? group->united(option) : option;
    }
    const ControlRow* label = group ? labelAbove(description, *group) : nullptr;
    return label ? qstring(label->caption) : QString();
}

void nameControls(const Surface& surface)
{
    for (const auto& control : surface.controls())
        if (QWidget* widget = control->widget())
            widget->setAccessibleName(nameOf(surface.description(), control->row()));
}

std::vector<const Control*> readingOrder(const std::vector<std::unique_ptr<Control>>& controls)
{
    std::vector<const Control*> rest;
    for (const auto& control : controls)
        if (control->kind() != Kind::Line && control->kind() != Kind::Timer)
            rest.push_back(control.get());
    const auto leftOf = [](const Control* a, const Control* b) { return a->row().left < b->row().left; };
    std::stable_sort(rest.begin(), rest.end(), [](const Control* a, const Control* b) { return a->row().top < b->row().top; });

    std::vector<const Control*> order;
    while (!rest.empty()) {
        // One row: the topmost control left and every other one level with it.
        const Box first(rest.front()->row());
        const auto end = std::stable_partition(rest.begin() + 1, rest.end(),
                                               [&](const Control* c) { return level(Box(c->row()), first); });
        std::stable_sort(rest.begin(), end, leftOf);
        order.insert(order.end(), rest.begin(), end);
        rest.erase(rest.begin(), end);
    }
    return order;
}

}  // namespace forms::accessibility
