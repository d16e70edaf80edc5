// The accessible interfaces of what the surface paints rather than holds as
// widgets: labels, pictures and printed lines.
#pragma once

#include "forms/controls.h"

#include <QAccessibleInterface>
#include <QFontMetrics>
#include <QPointer>

namespace forms {

class Surface;

namespace accessibility {

// Something the surface paints: a label, a picture or a printed line. Its
// position is the surface's, in global coordinates.
class PaintedItem : public QAccessibleInterface {
public:
    explicit PaintedItem(Surface* surface);

    bool isValid() const override { return !surface_.isNull(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override;
    QAccessibleInterface* parent() const override;
    QAccessibleInterface* child(int) const override { return nullptr; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override;
    QAccessible::State state() const override;

    // Drawn where someone can see it, the window itself aside: shown, on the
    // surface, and not wholly beneath a windowed control.
    bool showing() const;

protected:
    // Where it is drawn on the surface, in pixels.
    virtual QRect area() const = 0;
    virtual bool shown() const = 0;

    QPointer<Surface> surface_;

private:
    bool covered() const;
};

// A label (static text with its caption) or an image (a graphic named by its
// description): a control painted on the surface with an accessible role.
class PaintedControl final : public PaintedItem, public QAccessibleImageInterface {
public:
    PaintedControl(Surface* surface, const Control& control);

    QString text(QAccessible::Text t) const override { return t == QAccessible::Name ? name_ : QString(); }
    QAccessible::Role role() const override { return control_.accessibleRole(); }
    void* interface_cast(QAccessible::InterfaceType type) override;

    QString imageDescription() const override { return name_; }
    QSize imageSize() const override { return area().size(); }
    QPoint imagePosition() const override { return rect().topLeft(); }

protected:
    QRect area() const override { return control_.area(); }
    bool shown() const override { return control_.visible(); }

private:
    bool isImage() const { return role() == QAccessible::Graphic; }

    const Control& control_;
    const QString name_;
};

// A printed line: static text, read-only, with no cursor or selection.
class PrintedLineItem final : public PaintedItem, public QAccessibleTextInterface {
public:
    PrintedLineItem(Surface* surface, PrintedLine line);

    QString text(QAccessible::Text t) const override { return t == QAccessible::Name ? line_.text : QString(); }
    QAccessible::Role role() const override { return QAccessible::StaticText; }
    void* interface_cast(QAccessible::InterfaceType type) override;

    QString text(int start, int end) const override { return line_.text.mid(start, end - start); }
    int characterCount() const override { return int(line_.text.size()); }
    QRect characterRect(int offset) const override;
    int offsetAtPoint(const QPoint& point) const override;
    QString attributes(int, int* start, int* end) const override;
    void selection(int, int* start, int* end) const override { *start = *end = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    void scrollToSubstring(int, int) override {}

protected:
    QRect area() const override { return { line_.x, line_.y, advance(characterCount()), metrics_.height() }; }
    bool shown() const override { return true; }

private:
    // The width of the line's first `count` characters, as Print draws them.
    int advance(int count) const { return metrics_.horizontalAdvance(line_.text.left(count)); }

    const PrintedLine line_;
    const QFontMetrics metrics_;
};

// An announcement: what a screen reader speaks of a printed line, or of what a
// user's action changed. A screen reader speaks a notification that comes
// into sight, whatever has the focus, where it would pass over a line of static
// text appearing. So each has a notification of its own with its text, shown
// once and hidden at once: a reader browsing the window meets a printed line
// only as static text. (One for each, since a reader reads the text when it
// comes to the event, after later ones may be shown.)
class Notification final : public PaintedItem {
public:
    Notification(Surface* surface, QString text);

    QString text(QAccessible::Text t) const override { return t == QAccessible::Name ? text_ : QString(); }
    QAccessible::Role role() const override { return QAccessible::Notification; }
    void* interface_cast(QAccessible::InterfaceType) override { return nullptr; }

    // Shows it and hides it again, telling screen readers of both.
    void announce();

protected:
    QRect area() const override { return {}; }
    bool shown() const override { return announcing_; }

private:
    const QString text_;
    bool announcing_ = false;
};

}  // namespace accessibility
}  // namespace forms
