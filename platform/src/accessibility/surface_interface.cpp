#include "accessibility/surface_interface.h"

#include "accessibility/names.h"
#include "accessibility/option_group.h"
#include "accessibility/painted_items.h"
#include "controls/surface.h"

#include <algorithm>
#include <utility>

namespace forms::accessibility {

SurfaceInterface::SurfaceInterface(Surface* surface)
    : QAccessibleWidget(surface, QAccessible::Client)
{
}

SurfaceInterface::~SurfaceInterface()
{
    for (const auto& [control, id] : painted_)
        QAccessible::deleteAccessibleInterface(id);
    for (const Printed& printed : lines_) {
        QAccessible::deleteAccessibleInterface(printed.line);
        QAccessible::deleteAccessibleInterface(printed.notification);
    }
    if (group_)
        QAccessible::deleteAccessibleInterface(group_);
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

std::vector<QAccessibleInterface*> SurfaceInterface::controlItems() const
{
    std::vector<QAccessibleInterface*> items;
    bool grouped = false;
    for (const Control* control : order()) {
        if (control->kind() != Kind::OptionButton)
            items.push_back(interfaceOf(*control));
        else if (!std::exchange(grouped, true))
            items.push_back(optionGroup());
    }
    return items;
}

QAccessibleInterface* SurfaceInterface::optionGroup() const
{
    if (!group_) {
        const auto& controls = surface()->controls();
        if (std::none_of(controls.begin(), controls.end(), [](const auto& c) { return c->kind() == Kind::OptionButton; }))
            return nullptr;
        group_ = QAccessible::registerAccessibleInterface(new OptionGroup(surface(), [this] {
            std::vector<const Control*> options;
            for (const Control* control : order())
                if (control->kind() == Kind::OptionButton)
                    options.push_back(control);
            return options;
        }));
    }
    return QAccessible::accessibleInterface(group_);
}

int SurfaceInterface::childCount() const { return int(controlItems().size() + lines_.size()); }

QAccessibleInterface* SurfaceInterface::child(int index) const
{
    const std::vector<QAccessibleInterface*> items = controlItems();
    if (index < 0 || index >= childCount())
        return nullptr;
    if (size_t(index) < items.size())
        return items[size_t(index)];
    return QAccessible::accessibleInterface(lines_[size_t(index) - items.size()].line);
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
    if (control.accessibleRole() == QAccessible::NoRole)
        return nullptr;
    auto found = painted_.find(&control);
    if (found == painted_.end())
        found = painted_.emplace(&control, QAccessible::registerAccessibleInterface(new PaintedControl(surface(), control))).first;
    return QAccessible::accessibleInterface(found->second);
}

// The topmost child at a point, as the surface is drawn: a windowed control
// (the group, for an option button), else the last printed line there, else
// the label or picture painted last (controls are painted in stored order).
QAccessibleInterface* SurfaceInterface::childAt(int x, int y) const
{
    const auto seenAt = [x, y](QAccessibleInterface* item) {
        return item && !item->state().invisible && item->rect().contains(x, y);
    };
    QAccessibleInterface* painted = nullptr;
    for (const auto& control : surface()->controls()) {
        QAccessibleInterface* item = interfaceOf(*control);
        if (seenAt(item) && control->widget())
            return control->kind() == Kind::OptionButton ? optionGroup() : item;
        if (seenAt(item))
            painted = item;
    }
    for (auto printed = lines_.rbegin(); printed != lines_.rend(); ++printed)
        if (QAccessibleInterface* line = QAccessible::accessibleInterface(printed->line); seenAt(line))
            return line;
    return painted;
}

void SurfaceInterface::followPrintedLines()
{
    const std::vector<PrintedLine>& printed = surface()->printedLines();
    while (lines_.size() > printed.size()) {
        const Printed gone = lines_.back();
        QAccessibleEvent destroyed(QAccessible::accessibleInterface(gone.line), QAccessible::ObjectDestroyed);
        QAccessible::updateAccessibility(&destroyed);
        lines_.pop_back();
        QAccessible::deleteAccessibleInterface(gone.line);
        QAccessible::deleteAccessibleInterface(gone.notification);
    }
    while (lines_.size() < printed.size()) {
        const PrintedLine& text = printed[lines_.size()];
        auto* line = new PrintedLineItem(surface(), text);
        auto* notification = new Notification(surface(), text.text);
        lines_.push_back({ QAccessible::registerAccessibleInterface(line), QAccessible::registerAccessibleInterface(notification) });
        // A new child of the surface with its text inserted, for readers that
        // follow the tree; and the announcement that a screen reader speaks.
        QAccessibleEvent created(line, QAccessible::ObjectCreated);
        QAccessible::updateAccessibility(&created);
        QAccessibleTextInsertEvent inserted(line, 0, text.text);
        QAccessible::updateAccessibility(&inserted);
        if (announcer_.telling() == Announcer::Telling::AtOnce)
            notification->announce();
        else
            announcer_.printed(lines_.back().line, text.text);
    }
    // A line printed too low ever to be seen has no item, but is heard.
    if (surface()->linesNotKept() > outOfSightHeard_) {
        if (announcer_.telling() == Announcer::Telling::AtOnce)
            announcer_.announce(surface()->lastPrinted());
        else
            announcer_.printed(0, surface()->lastPrinted());
    }
    outOfSightHeard_ = surface()->linesNotKept();
}

bool SurfaceInterface::hasLine(QAccessible::Id line) const
{
    return std::any_of(lines_.begin(), lines_.end(), [line](const Printed& printed) { return printed.line == line; });
}

void SurfaceInterface::followShowing()
{
    const bool first = showing_.empty();
    for (const auto& control : surface()->controls()) {
        // Labels and pictures: painted ones, and the picture box's widget.
        const bool painted = !control->widget();
        const QAccessible::Role role = control->accessibleRole();
        if (role == QAccessible::NoRole || (!painted && role != QAccessible::Graphic))
            continue;
        QAccessibleInterface* item = interfaceOf(*control);
        const bool now = painted ? static_cast<PaintedItem*>(item)->showing() : control->visible();
        const auto [known, added] = showing_.emplace(control.get(), now);
        if (!added && known->second == now)
            continue;
        known->second = now;
        if (first)
            continue;
        // A picture box, a widget, tells of itself.
        if (painted) {
            QAccessibleEvent event(item, now ? QAccessible::ObjectShow : QAccessible::ObjectHide);
            QAccessible::updateAccessibility(&event);
        }
        if (now)
            announcer_.cameIntoSight(*control);
    }
}

}  // namespace forms::accessibility
