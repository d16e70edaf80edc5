#include "surface_interface.h"

#include "names.h"
#include "painted_items.h"
#include "surface.h"

namespace forms::accessibility {

SurfaceInterface::SurfaceInterface(Surface* surface)
    : QAccessibleWidget(surface, QAccessible::Client)
{
}

SurfaceInterface::~SurfaceInterface()
{
    for (const auto& [control, id] : painted_)
        QAccessible::deleteAccessibleInterface(id);
    for (QAccessible::Id id : lines_)
        QAccessible::deleteAccessibleInterface(id);
}

Surface* SurfaceInterface::surface() const { return static_cast<Surface*>(widget()); }

const std::vector<const Control*>& SurfaceInterface::order() const
{
    // Worked out once every control of the description has been built.
    const Surface& s = *surface();
    if (order_.empty() || s.controls().size() != s.description().controls.size())
        order_ = readingOrder(s.controls());
    return order_;
}

int SurfaceInterface::childCount() const { return int(order().size() + lines_.size()); }

QAccessibleInterface* SurfaceInterface::child(int index) const
{
    const auto& controls = order();
    if (index < 0 || index >= childCount())
        return nullptr;
    if (size_t(index) < controls.size())
        return interfaceOf(*controls[size_t(index)]);
    return QAccessible::accessibleInterface(lines_[size_t(index) - controls.size()]);
}

int SurfaceInterface::indexOfChild(const QAccessibleInterface* wanted) const
{
    for (int i = 0; i < childCount(); ++i)
        if (child(i) == wanted)
            return i;
    return -1;
}

QAccessibleInterface* SurfaceInterface::interfaceOf(const Control& control) const
{
    if (control.widget())
        return QAccessible::queryAccessibleInterface(control.widget());
    if (control.kind() != Kind::Label && control.kind() != Kind::Image)
        return nullptr;
    auto found = painted_.find(&control);
    if (found == painted_.end())
        found = painted_.emplace(&control, QAccessible::registerAccessibleInterface(new PaintedControl(surface(), control))).first;
    return QAccessible::accessibleInterface(found->second);
}

// The topmost child at a point, as the surface is drawn: a windowed control,
// else the last printed line there, else the label or picture painted last
// (controls are painted in stored order).
QAccessibleInterface* SurfaceInterface::childAt(int x, int y) const
{
    const auto seenAt = [x, y](QAccessibleInterface* item) {
        return item && !item->state().invisible && item->rect().contains(x, y);
    };
    QAccessibleInterface* painted = nullptr;
    for (const auto& control : surface()->controls()) {
        QAccessibleInterface* item = interfaceOf(*control);
        if (seenAt(item) && control->widget())
            return item;
        if (seenAt(item))
            painted = item;
    }
    for (auto line = lines_.rbegin(); line != lines_.rend(); ++line)
        if (seenAt(QAccessible::accessibleInterface(*line)))
            return QAccessible::accessibleInterface(*line);
    return painted;
}

void SurfaceInterface::followPrintedLines()
{
    const std::vector<PrintedLine>& printed = surface()->printedLines();
    while (lines_.size() > printed.size()) {
        const QAccessible::Id id = lines_.back();
        QAccessibleEvent gone(QAccessible::accessibleInterface(id), QAccessible::ObjectDestroyed);
        QAccessible::updateAccessibility(&gone);
        lines_.pop_back();
        QAccessible::deleteAccessibleInterface(id);
    }
    while (lines_.size() < printed.size()) {
        auto* line = new PrintedLineItem(surface(), printed[lines_.size()]);
        lines_.push_back(QAccessible::registerAccessibleInterface(line));
        // A new child of the surface, and its text inserted, so that a screen
        // reader can say the line as it appears.
        QAccessibleEvent created(line, QAccessible::ObjectCreated);
        QAccessible::updateAccessibility(&created);
        QAccessibleTextInsertEvent inserted(line, 0, line->text(QAccessible::Name));
        QAccessible::updateAccessibility(&inserted);
    }
}

void SurfaceInterface::followShowing()
{
    const bool first = showing_.empty();
    for (const auto& control : surface()->controls()) {
        if (control->kind() != Kind::Label && control->kind() != Kind::Image)
            continue;
        auto* item = static_cast<PaintedItem*>(interfaceOf(*control));
        const bool now = item->showing();
        const auto [known, added] = showing_.emplace(control.get(), now);
        if (!added && known->second == now)
            continue;
        known->second = now;
        if (!first) {
            QAccessibleEvent event(item, now ? QAccessible::ObjectShow : QAccessible::ObjectHide);
            QAccessible::updateAccessibility(&event);
        }
    }
}

}  // namespace forms::accessibility
