#include "accessibility/announcements.h"

#include "accessibility/painted_items.h"
#include "controls/surface.h"

#include <QApplication>
#include <QMetaObject>

#include <algorithm>
#include <cmath>

namespace forms::accessibility {

namespace {

// Notifications kept after they were shown, for readers that are behind.
constexpr size_t keptNotifications = 8;

bool isGreek(const QString& text)
{
    return std::any_of(text.begin(), text.end(), [](QChar c) {
        return (c.unicode() >= 0x0370 && c.unicode() <= 0x03FF) || (c.unicode() >= 0x1F00 && c.unicode() <= 0x1FFF);
    });
}

// Parts joined as sentences: a part that ends in its own mark is not given another.
QString sentences(const QStringList& parts)
{
    QString text;
    for (const QString& part : parts) {
        if (!text.isEmpty())
            text += QStringLiteral("!?.;:").contains(text.back()) ? QStringLiteral(" ") : QStringLiteral(". ");
        text += part;
    }
    return text;
}

// "A", "A and B", "A, B and C"; in Greek with "και".
QString listed(const QStringList& names, bool greek)
{
    if (names.size() < 2)
        return names.join(QString());
    return names.mid(0, names.size() - 1).join(QStringLiteral(", ")) + (greek ? QStringLiteral(" και ") : QStringLiteral(" and "))
           + names.back();
}

}  // namespace

Announcer::Announcer(AnnouncedSurface& surface)
    : surface_(surface)
{
}

Announcer::~Announcer()
{
    for (QAccessible::Id id : notifications_)
        QAccessible::deleteAccessibleInterface(id);
}

void Announcer::started(Trigger trigger)
{
    Frame frame;
    frame.telling = trigger == Trigger::UserAction ? Telling::AfterTheHandler
                    : trigger == Trigger::Timer    ? Telling::Never
                                                   : Telling::AtOnce;
    if (frame.telling == Telling::AfterTheHandler)
        for (const auto& control : surface_.surface()->controls())
            if (control->kind() == Kind::Image) {
                const auto* image = static_cast<const Image*>(control.get());
                frame.places.emplace_back(image, image->rect());
            }
    frames_.push_back(std::move(frame));
}

void Announcer::ended()
{
    if (frames_.empty())
        return;
    const Frame frame = std::move(frames_.back());
    frames_.pop_back();
    if (frame.telling != Telling::AfterTheHandler)
        return;
    const QString text = said(frame);
    if (text.isEmpty())
        return;
    // Posted, so that it comes after the focus the same event moves once the
    // click is handled; dropped if the surface, and with it its interface and
    // this announcer, has gone meanwhile.
    QMetaObject::invokeMethod(
        surface_.surface(), [this, text] { announce(text); }, Qt::QueuedConnection);
}

Announcer::Telling Announcer::telling() const
{
    return frames_.empty() ? Telling::AtOnce : frames_.back().telling;
}

void Announcer::record(Change change)
{
    if (telling() != Telling::AfterTheHandler)
        return;
    std::vector<Change>& changes = frames_.back().changes;
    // A control is said once, where it first changed, as it stands at the end.
    if (change.control && std::any_of(changes.begin(), changes.end(), [&](const Change& c) { return c.control == change.control; }))
        return;
    changes.push_back(std::move(change));
}

void Announcer::cameIntoSight(const Control& control) { record({ .control = &control, .line = 0, .text = {} }); }

void Announcer::textSet(const Control& box) { record({ .control = &box, .line = 0, .text = {} }); }

void Announcer::printed(QAccessible::Id line, const QString& text) { record({ .control = nullptr, .line = line, .text = text }); }

QString Announcer::said(const Frame& frame) const
{
    QStringList parts;
    for (const Change& change : frame.changes) {
        // A printed line, said unless Cls took it away again; one printed out
        // of sight has no item to lose.
        if (!change.control) {
            if (!change.line || surface_.hasLine(change.line))
                parts << change.text;
            continue;
        }
        const Control& control = *change.control;
        QAccessibleInterface* item = surface_.interfaceOf(control);
        if (!item || !control.visible())
            continue;
        const QString name = item->text(QAccessible::Name);
        if (control.kind() == Kind::TextBox) {
            const QString text = static_cast<const TextBox&>(control).text();
            parts << (text.isEmpty() ? name : name + QStringLiteral(", ") + text);
            continue;
        }
        // Shown: said unless it has gone again, or took the focus, which says it.
        const bool showing = control.widget() ? control.widget()->isVisible() : static_cast<PaintedItem*>(item)->showing();
        if (showing && !(control.widget() && control.widget()->hasFocus()))
            parts << name;
    }
    if (const QString moved = whereMoved(frame); !moved.isEmpty())
        parts << moved;
    return sentences(parts);
}

// Where the pictures the handler moved stand now, as a share of the window's
// width from its left edge, so that a listener can tell how a race ended: all
// of them together at one place, or each at its own.
QString Announcer::whereMoved(const Frame& frame) const
{
    std::vector<std::pair<QString, int>> moved;  // name, left edge in pixels
    for (const auto& [image, before] : frame.places) {
        if (!image->visible() || image->rect() == before)
            continue;
        moved.emplace_back(surface_.interfaceOf(*image)->text(QAccessible::Name), image->rect().left());
    }
    if (moved.empty())
        return {};
    QStringList names;
    for (const auto& [name, left] : moved)
        names << name;
    const bool greek = isGreek(names.join(QString()));
    const int width = std::max(1, surface_.surface()->width());
    const auto share = [&](int left) {
        const int percent = int(std::lround(100.0 * left / width));
        return greek ? QStringLiteral("στο %1% του πλάτους").arg(percent) : QStringLiteral("at %1% of the width").arg(percent);
    };
    const bool together = moved.size() > 1 && std::all_of(moved.begin(), moved.end(), [&](const auto& m) {
        return m.second == moved.front().second;
    });
    if (together)
        return listed(names, greek) + (greek ? QStringLiteral(" μαζί, ") : QStringLiteral(" together, ")) + share(moved.front().second);
    QStringList each;
    for (const auto& [name, left] : moved)
        each << name + QStringLiteral(", ") + share(left);
    return sentences(each);
}

void Announcer::announce(const QString& text)
{
    auto* notification = new Notification(surface_.surface(), text);
    notifications_.push_back(QAccessible::registerAccessibleInterface(notification));
    notification->announce();
    while (notifications_.size() > keptNotifications) {
        QAccessible::deleteAccessibleInterface(notifications_.front());
        notifications_.pop_front();
    }
}

}  // namespace forms::accessibility
