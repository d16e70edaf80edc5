#include "forms/geometry.h"

#include <algorithm>
#include <optional>

namespace forms {

namespace {

// QRect's right and bottom are its last column and row; these are the first
// ones past it.
int pastRight(const QRect& r) { return r.left() + r.width(); }
int pastBottom(const QRect& r) { return r.top() + r.height(); }

// Some column of pixels crosses both rectangles.
bool sharesColumns(const QRect& a, const QRect& b) { return a.left() < pastRight(b) && b.left() < pastRight(a); }

// The twips between two rectangles side by side; 0 where they overlap.
int horizontalGap(const QRect& a, const QRect& b)
{
    return std::max({ 0, b.left() - pastRight(a), a.left() - pastRight(b) });
}

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
        if (const std::optional<Twips> g = gap(twipRect(row)); g && (!nearest || *g < nearestGap)) {
            nearest = &row;
            nearestGap = *g;
        }
    }
    return nearest;
}

}  // namespace

QRect twipRect(const ControlRow& row) { return { row.left, row.top, row.width, row.height }; }

QRect pixelRect(const ControlRow& row)
{
    return { toPixels(row.left), toPixels(row.top), toPixels(row.width), toPixels(row.height) };
}

bool level(const QRect& a, const QRect& b) { return a.top() < pastBottom(b) && b.top() < pastBottom(a); }

const ControlRow* labelAbove(const Description& description, const QRect& rect)
{
    return nearestLabel(description, [&](const QRect& label) -> std::optional<Twips> {
        if (pastBottom(label) <= rect.top() && sharesColumns(label, rect))
            return rect.top() - pastBottom(label);
        return std::nullopt;
    });
}

const ControlRow* labelOf(const Description& description, const ControlRow& control)
{
    const QRect rect = twipRect(control);
    const ControlRow* beside = nearestLabel(description, [&](const QRect& label) -> std::optional<Twips> {
        if (level(label, rect))
            return horizontalGap(label, rect);
        return std::nullopt;
    });
    return beside ? beside : labelAbove(description, rect);
}

}  // namespace forms
