// The runtime's accessible interfaces: Qt's own serve the buttons and text
// boxes, named in prepare(); the runtime's serve the window (a frame named by
// its caption), option buttons (whose actions click), picture boxes (graphics)
// and the surface, whose children include the labels, pictures and printed
// lines it paints itself, each an interface of its own.
#include "accessibility/accessibility.h"

#include "accessibility/names.h"
#include "accessibility/surface_interface.h"
#include "accessibility/widget_interfaces.h"
#include "controls/surface.h"

#include <algorithm>
#include <utility>

namespace forms::accessibility {

namespace {

// A form's window is the top-level widget that holds its surface. (Not
// findChild: it tells classes apart by their meta-objects, which the runtime's
// widgets do not declare.)
bool isFormWindow(QObject* object)
{
    auto* widget = qobject_cast<QWidget*>(object);
    if (!widget || !widget->isWindow())
        return false;
    const QObjectList& children = widget->children();
    return std::any_of(children.begin(), children.end(), [](QObject* child) { return dynamic_cast<Surface*>(child); });
}

QAccessibleInterface* runtimeInterface(const QString&, QObject* object)
{
    if (auto* surface = dynamic_cast<Surface*>(object))
        return new SurfaceInterface(surface);
    if (auto* option = dynamic_cast<OptionButtonWidget*>(object))
        return new OptionButtonInterface(option);
    if (auto* box = dynamic_cast<PictureBoxWidget*>(object))
        return new PictureBoxInterface(box);
    if (isFormWindow(object))
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Window);
    return nullptr;
}

SurfaceInterface* interfaceOf(const Surface& surface)
{
    return dynamic_cast<SurfaceInterface*>(QAccessible::queryAccessibleInterface(const_cast<Surface*>(&surface)));
}

// The text box a handler is writing: its text and caret events are not passed on.
const QObject* quietBox = nullptr;
QAccessible::UpdateHandler passOn = nullptr;

bool isTextEvent(QAccessible::Event type)
{
    switch (type) {
    case QAccessible::TextCaretMoved:
    case QAccessible::TextSelectionChanged:
    case QAccessible::TextInserted:
    case QAccessible::TextRemoved:
    case QAccessible::TextUpdated:
    case QAccessible::TextAttributeChanged:
    case QAccessible::TextColumnChanged:
        return true;
    default:
        return false;
    }
}

void filterUpdate(QAccessibleEvent* event)
{
    if (quietBox && event->object() == quietBox && isTextEvent(event->type()))
        return;
    if (passOn)
        return passOn(event);
    // Without a handler of its own Qt gives the event to the platform's
    // bridge (AT-SPI): so it does again, with this one out of the way.
    QAccessible::installUpdateHandler(nullptr);
    QAccessible::updateAccessibility(event);
    QAccessible::installUpdateHandler(filterUpdate);
}

}  // namespace

void install()
{
    static const bool installed = [] {
        QAccessible::installFactory(runtimeInterface);
        passOn = QAccessible::installUpdateHandler(filterUpdate);
        return true;
    }();
    (void)installed;
}

void prepare(const Surface& surface)
{
    nameControls(surface);
    // The surface's interface exists from here on, so it sees every line
    // printed and knows which labels and pictures are in sight.
    interfaceOf(surface)->followShowing();
}

void printedLinesChanged(const Surface& surface)
{
    if (SurfaceInterface* item = interfaceOf(surface))
        item->followPrintedLines();
}

void visibilityChanged(const Surface& surface)
{
    if (SurfaceInterface* item = interfaceOf(surface))
        item->followShowing();
}

void handlerStarted(const Surface& surface, Trigger trigger)
{
    if (SurfaceInterface* item = interfaceOf(surface))
        item->announcer().started(trigger);
}

void handlerEnded(const Surface& surface)
{
    if (SurfaceInterface* item = interfaceOf(surface))
        item->announcer().ended();
}

void textSet(const Surface& surface, const Control& box, const std::function<void()>& set)
{
    const QObject* outer = std::exchange(quietBox, box.widget());
    set();
    quietBox = outer;
    if (SurfaceInterface* item = interfaceOf(surface))
        item->announcer().textSet(box);
}

}  // namespace forms::accessibility
