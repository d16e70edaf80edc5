// The accessible interface of a window's surface: its children are the controls
// in reading order, windowed or painted, with the option buttons as one group
// where the first of them stands, then the printed lines in print order.
#pragma once

#include "accessibility/announcements.h"
#include "forms/controls.h"

#include <QAccessibleWidget>

#include <map>
#include <vector>

namespace forms {

class Surface;

namespace accessibility {

class SurfaceInterface final : public QAccessibleWidget, public AnnouncedSurface {
public:
    explicit SurfaceInterface(Surface* surface);
    ~SurfaceInterface() override;

    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* wanted) const override;
    QAccessibleInterface* childAt(int x, int y) const override;

    // The interface of a control: its widget's, or for a label or picture one
    // of the surface's own; null for lines and timers.
    QAccessibleInterface* interfaceOf(const Control& control) const override;
    // The group of the option buttons; null when the window has none.
    QAccessibleInterface* optionGroup() const;

    // Creates an item for each line printed since the last call, announced as
    // the announcer tells; destroys the items of lines that Cls removed. A
    // line printed too low ever to be seen has no item, but is announced all
    // the same.
    void followPrintedLines();
    // Whether the printed line is still there.
    bool hasLine(QAccessible::Id line) const override;

    // Announces each label or picture that has come into sight or gone out of
    // it since the last call: shown or hidden itself, or uncovered or covered
    // by a windowed control shown or hidden; and tells the announcer of them,
    // and of picture boxes shown. The first call only takes note.
    void followShowing();

    Surface* surface() const override;
    Announcer& announcer() { return announcer_; }

private:
    const std::vector<const Control*>& order() const;
    // The children before the printed lines.
    std::vector<QAccessibleInterface*> controlItems() const;

    mutable std::vector<const Control*> order_;
    mutable std::map<const Control*, QAccessible::Id> painted_;
    mutable QAccessible::Id group_ = 0;
    std::map<const Control*, bool> showing_;
    // Each printed line, a child, and its announcement, which is not.
    struct Printed {
        QAccessible::Id line, notification;
    };
    std::vector<Printed> lines_;
    // How many lines printed out of sight have been heard since the last Cls.
    std::size_t outOfSightHeard_ = 0;
    Announcer announcer_ { *this };
};

}  // namespace accessibility
}  // namespace forms
