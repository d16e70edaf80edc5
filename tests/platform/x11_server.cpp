#include "x11_server.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <climits>

namespace forms::testing {

namespace {

Display* open(void* display) { return static_cast<Display*>(display); }

// Hands `use` the property of a window, as Xlib hands it over (one long per
// item when 32-bit), when the window has it with the type and format asked for.
template <class Use>
void withProperty(Display* display, Window window, const char* name, Atom wanted, int wantedFormat, Use use)
{
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(display, window, XInternAtom(display, name, False), 0, LONG_MAX / 4, False, wanted, &type,
                           &format, &count, &after, &data) == Success && data && format == wantedFormat)
        use(type, data, count);
    if (data)
        XFree(data);
}

QList<unsigned long> cardinals(Display* display, Window window, const char* name)
{
    QList<unsigned long> values;
    withProperty(display, window, name, XA_CARDINAL, 32, [&](Atom, const unsigned char* data, unsigned long count) {
        const auto* items = reinterpret_cast<const unsigned long*>(data);
        values = QList<unsigned long>(items, items + count);
    });
    return values;
}

}  // namespace

XServer::XServer()
    : display_(XOpenDisplay(nullptr))
{
    // A window that went away with its program is the test's to report, not a
    // reason for Xlib to end the test.
    XSetErrorHandler([](Display*, XErrorEvent*) { return 0; });
}

XServer::~XServer()
{
    if (display_)
        XCloseDisplay(open(display_));
}

QList<unsigned long> XServer::windowsOf(qint64 pid) const
{
    Display* display = open(display_);
    Window root = 0, parent = 0, *children = nullptr;
    unsigned int count = 0;
    QList<unsigned long> found;
    if (!XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count))
        return found;
    for (unsigned int i = 0; i < count; ++i) {
        XWindowAttributes attributes;
        if (cardinals(display, children[i], "_NET_WM_PID") == QList<unsigned long> { static_cast<unsigned long>(pid) }
            && XGetWindowAttributes(display, children[i], &attributes) && attributes.map_state == IsViewable)
            found << children[i];
    }
    if (children)
        XFree(children);
    return found;
}

QByteArray XServer::text(unsigned long window, const char* property) const
{
    Display* display = open(display_);
    QByteArray result;
    const auto named = [&](Atom type, const unsigned char* data, unsigned long count) {
        char* typeName = XGetAtomName(display, type);
        result = QByteArray(typeName) + ": " + QByteArray(reinterpret_cast<const char*>(data), qsizetype(count));
        XFree(typeName);
    };
    withProperty(display, window, property, AnyPropertyType, 8, named);
    return result;
}

QImage XServer::grab(unsigned long window) const
{
    Display* display = open(display_);
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(display, window, &attributes))
        return {};
    XImage* image = XGetImage(display, window, 0, 0, unsigned(attributes.width), unsigned(attributes.height), AllPlanes, ZPixmap);
    if (!image)
        return {};
    QImage result(attributes.width, attributes.height, QImage::Format_RGB32);
    for (int y = 0; y < attributes.height; ++y)
        for (int x = 0; x < attributes.width; ++x)
            result.setPixel(x, y, 0xFF000000u | (XGetPixel(image, x, y) & 0xFFFFFFu));
    XDestroyImage(image);
    return result;
}

QList<QImage> XServer::icons(unsigned long window) const
{
    // Width, height, then width × height ARGB pixels, for each image in turn.
    const QList<unsigned long> data = cardinals(open(display_), window, "_NET_WM_ICON");
    QList<QImage> images;
    for (qsizetype at = 0; at + 2 <= data.size();) {
        const int width = int(data[at]), height = int(data[at + 1]);
        at += 2;
        if (width <= 0 || height <= 0 || at + qsizetype(width) * height > data.size())
            break;
        QImage image(width, height, QImage::Format_ARGB32);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                image.setPixel(x, y, QRgb(data[at++]));
        images << image;
    }
    return images;
}

void XServer::close(unsigned long window) const
{
    Display* display = open(display_);
    XEvent event {};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = long(XInternAtom(display, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, window, False, NoEventMask, &event);
    XFlush(display);
}

void XServer::movePointerAway() const
{
    Display* display = open(display_);
    const Screen* screen = DefaultScreenOfDisplay(display);
    XWarpPointer(display, 0, DefaultRootWindow(display), 0, 0, 0, 0, screen->width - 1, screen->height - 1);
    XSync(display, False);
}

}  // namespace forms::testing
