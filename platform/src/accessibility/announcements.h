// What a screen reader is told of the changes a handler makes on the screen.
// While a handler the user's own action ran is running (a click, a key, a menu
// choice), what it changes is collected: a label, picture or picture box that
// comes into sight, a text box it writes, a line it prints, a picture it moves.
// Once it has ended, all of it is said in one notification, in the order it
// happened, each thing once, after the control the user acted on: the
// notification is posted, so it follows the focus that the same key press
// moves after the click (the arrow keys in a group of option buttons). What a
// timer's handler changes is not said; the user reads it when they ask.
#pragma once

#include "forms/controls.h"

#include <QAccessible>
#include <QPointer>
#include <QRect>
#include <QString>

#include <deque>
#include <vector>

namespace forms {

class Surface;

namespace accessibility {

// What the announcer asks of the surface it tells of (its accessible interface).
class AnnouncedSurface {
public:
    virtual Surface* surface() const = 0;
    // The interface of a control: its widget's, or a label's or picture's.
    virtual QAccessibleInterface* interfaceOf(const Control& control) const = 0;
    // Whether the printed line is still there.
    virtual bool hasLine(QAccessible::Id line) const = 0;

protected:
    ~AnnouncedSurface() = default;
};

class Announcer {
public:
    explicit Announcer(AnnouncedSurface& surface);
    ~Announcer();
    Announcer(const Announcer&) = delete;
    Announcer& operator=(const Announcer&) = delete;

    void started(Trigger trigger);
    void ended();

    // How a change made now reaches a screen reader: at once (no handler runs,
    // or Load's, or a direct call's), in the notification after the handler
    // (a user's action runs it), or not at all (a timer's).
    enum class Telling { AtOnce, AfterTheHandler, Never };
    Telling telling() const;

    // What changed, told only while a user's action runs.
    void cameIntoSight(const Control& control);
    void textSet(const Control& box);
    // A printed line's item, or 0 for a line printed out of sight, which has none.
    void printed(QAccessible::Id line, const QString& text);

    // Shows a notification with the text and hides it at once: what a screen
    // reader speaks, whatever has the focus.
    void announce(const QString& text);

private:
    struct Change {
        const Control* control = nullptr;  // shown, or a text box written
        QAccessible::Id line = 0;          // or a printed line,
        QString text;                      // with its text
    };
    struct Frame {
        Telling telling = Telling::AtOnce;  // AfterTheHandler when run by the user's action
        std::vector<Change> changes;
        std::vector<std::pair<const Image*, QRect>> places;  // each picture where it stood at the start
    };

    // What the ending frame changed, as one text; empty when nothing.
    QString said(const Frame& frame) const;
    QString whereMoved(const Frame& frame) const;
    void record(Change change);

    AnnouncedSurface& surface_;
    std::vector<Frame> frames_;  // the handlers running, innermost last
    // The last notifications: a reader asks for the text when it comes to the
    // event, which may be after later ones were shown.
    std::deque<QAccessible::Id> notifications_;
};

}  // namespace accessibility
}  // namespace forms
