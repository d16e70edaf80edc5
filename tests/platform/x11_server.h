// A test's view of the X server its programs run on, through Xlib: their
// windows, what the windows show and the icons they carry.
#pragma once

#include <QImage>
#include <QList>

namespace forms::testing {

class XServer {
public:
    XServer();  // connects to $DISPLAY
    ~XServer();
    XServer(const XServer&) = delete;
    XServer& operator=(const XServer&) = delete;

    bool connected() const { return display_ != nullptr; }
    // The viewable top-level window of a process (by _NET_WM_PID), or 0.
    unsigned long windowOf(qint64 pid) const { return windowsOf(pid).value(0); }
    // All the viewable top-level windows of a process, pop-ups included,
    // bottom of the stack first.
    QList<unsigned long> windowsOf(qint64 pid) const;
    // The window's contents as the server holds them.
    QImage grab(unsigned long window) const;
    // An 8-bit property of the window as "<type>: <bytes>", NULs included, or
    // an empty array when the window has none.
    QByteArray text(unsigned long window, const char* property) const;
    // Every image of the window's _NET_WM_ICON, as ARGB32.
    QList<QImage> icons(unsigned long window) const;
    // Asks the window to close, as a window manager's close button does.
    void close(unsigned long window) const;
    // Puts the pointer in the screen's bottom-right corner, away from every
    // window, so that none takes the keyboard focus and blinks a text cursor.
    void movePointerAway() const;

private:
    void* display_;
};

}  // namespace forms::testing
