#include "accessibility/painted_items.h"

#include "controls/surface.h"
#include "forms/fonts.h"

#include <algorithm>

namespace forms::accessibility {

PaintedItem::PaintedItem(Surface* surface)
    : surface_(surface)
{
}

QWindow* PaintedItem::window() const { return surface_->window()->windowHandle(); }

QAccessibleInterface* PaintedItem::parent() const { return QAccessible::queryAccessibleInterface(surface_); }

QRect PaintedItem::rect() const { return { surface_->mapToGlobal(area().topLeft()), area().size() }; }

QAccessible::State PaintedItem::state() const
{
    QAccessible::State state;
    state.invisible = !shown() || !surface_->isVisible();
    // Off the surface, or wholly beneath a windowed control: no one sees it.
    state.offscreen = !surface_->rect().intersects(area()) || covered();
    return state;
}

bool PaintedItem::showing() const { return shown() && surface_->rect().intersects(area()) && !covered(); }

bool PaintedItem::covered() const
{
    for (const auto& control : surface_->controls())
        if (control->widget() && control->visible() && control->widget()->geometry().contains(area()))
            return true;
    return false;
}

PaintedControl::PaintedControl(Surface* surface, const Control& control)
    : PaintedItem(surface)
    , control_(control)
    , name_(control.accessibleName(surface->description()))
{
}

void* PaintedControl::interface_cast(QAccessible::InterfaceType type)
{
    return type == QAccessible::ImageInterface && isImage() ? static_cast<QAccessibleImageInterface*>(this) : nullptr;
}

PrintedLineItem::PrintedLineItem(Surface* surface, PrintedLine line)
    : PaintedItem(surface)
    , line_(std::move(line))
    , metrics_(resolveFont(std::nullopt))
{
}

void* PrintedLineItem::interface_cast(QAccessible::InterfaceType type)
{
    return type == QAccessible::TextInterface ? static_cast<QAccessibleTextInterface*>(this) : nullptr;
}

QRect PrintedLineItem::characterRect(int offset) const
{
    const QPoint left = surface_->mapToGlobal(QPoint(line_.x + advance(offset), line_.y));
    return { left, QSize(advance(offset + 1) - advance(offset), metrics_.height()) };
}

int PrintedLineItem::offsetAtPoint(const QPoint& point) const
{
    const QPoint at = surface_->mapFromGlobal(point);
    if (!area().contains(at))
        return -1;
    int offset = 0;
    while (offset + 1 < characterCount() && line_.x + advance(offset + 1) <= at.x())
        ++offset;
    return offset;
}

// The whole line is one run. A line in Greek letters says it is Greek, for a
// screen reader that chooses its voice by the text's language (Orca 43 reads
// the mark but still speaks with the voice of its settings).
QString PrintedLineItem::attributes(int, int* start, int* end) const
{
    *start = 0;
    *end = characterCount();
    const bool greek = std::any_of(line_.text.begin(), line_.text.end(), [](QChar c) {
        return (c.unicode() >= 0x0370 && c.unicode() <= 0x03FF) || (c.unicode() >= 0x1F00 && c.unicode() <= 0x1FFF);
    });
    return greek ? QStringLiteral("language:el;") : QString();
}

Notification::Notification(Surface* surface, QString text)
    : PaintedItem(surface)
    , text_(std::move(text))
{
}

void Notification::announce()
{
    announcing_ = true;
    QAccessibleEvent shown(this, QAccessible::ObjectShow);
    QAccessible::updateAccessibility(&shown);
    announcing_ = false;
    QAccessibleEvent hidden(this, QAccessible::ObjectHide);
    QAccessible::updateAccessibility(&hidden);
}

}  // namespace forms::accessibility
