#include "run/menu_entry.h"

#include <QApplication>
#include <QByteArray>
#include <QEvent>
#include <QGuiApplication>
#include <QPlatformSurfaceEvent>
#include <QWindow>

#include <dlfcn.h>

#include <cstdint>
#include <cstdlib>

namespace forms {

namespace {

// The few libxcb calls needed, found in the copy Qt's X11 platform already
// loaded: a program never loads libxcb itself, so on Wayland or offscreen it
// stays out of the process.
struct Xcb {
    struct InternCookie {
        unsigned int sequence;
    };
    struct InternReply {
        std::uint8_t responseType, pad0;
        std::uint16_t sequence;
        std::uint32_t length, atom;
    };
    struct VoidCookie {
        unsigned int sequence;
    };
    InternCookie (*internAtom)(void*, std::uint8_t, std::uint16_t, const char*) = nullptr;
    InternReply* (*internAtomReply)(void*, InternCookie, void**) = nullptr;
    VoidCookie (*changeProperty)(void*, std::uint8_t, std::uint32_t, std::uint32_t, std::uint32_t, std::uint8_t,
                                 std::uint32_t, const void*) = nullptr;
    int (*flush)(void*) = nullptr;

    static const Xcb* loaded()
    {
        static const Xcb xcb = [] {
            Xcb found;
            void* library = dlopen("libxcb.so.1", RTLD_LAZY | RTLD_NOLOAD);
            if (!library)
                return found;
            found.internAtom = reinterpret_cast<decltype(found.internAtom)>(dlsym(library, "xcb_intern_atom"));
            found.internAtomReply =
                reinterpret_cast<decltype(found.internAtomReply)>(dlsym(library, "xcb_intern_atom_reply"));
            found.changeProperty = reinterpret_cast<decltype(found.changeProperty)>(dlsym(library, "xcb_change_property"));
            found.flush = reinterpret_cast<decltype(found.flush)>(dlsym(library, "xcb_flush"));
            return found;
        }();
        return xcb.internAtom && xcb.internAtomReply && xcb.changeProperty && xcb.flush ? &xcb : nullptr;
    }

    std::uint32_t atom(void* connection, const QByteArray& name) const
    {
        InternReply* reply = internAtomReply(connection, internAtom(connection, 0, std::uint16_t(name.size()), name.constData()), nullptr);
        const std::uint32_t atom = reply ? reply->atom : 0;
        std::free(reply);
        return atom;
    }
};

constexpr std::uint8_t replaceProperty = 0;
constexpr std::uint32_t wmClassAtom = 67, stringAtom = 31;  // predefined atoms

class MenuEntryMarker final : public QObject {
public:
    MenuEntryMarker(void* connection, const Xcb& xcb, QByteArray id)
        : QObject(qApp), connection_(connection), xcb_(xcb), id_(std::move(id))
    {
        utf8String_ = xcb_.atom(connection_, "UTF8_STRING");
        gtkApplicationId_ = xcb_.atom(connection_, "_GTK_APPLICATION_ID");
        kdeDesktopFile_ = xcb_.atom(connection_, "_KDE_NET_WM_DESKTOP_FILE");
    }

    // Qt writes the window class when it creates the native window, from the
    // program's name, which may be Greek: the entry's id replaces it before
    // the window is mapped, so the desktop never sees the other.
    bool eventFilter(QObject* object, QEvent* event) override
    {
        if (event->type() == QEvent::PlatformSurface
            && static_cast<QPlatformSurfaceEvent*>(event)->surfaceEventType() == QPlatformSurfaceEvent::SurfaceCreated)
            if (object->isWindowType() && !static_cast<QWindow*>(object)->parent())
                mark(std::uint32_t(static_cast<QWindow*>(object)->winId()));
        return false;
    }

private:
    void mark(std::uint32_t window) const
    {
        if (!window)
            return;
        // WM_CLASS is two Latin-1 strings, instance then class, each ended by a NUL.
        const QByteArray wmClass = id_ + '\0' + id_ + '\0';
        xcb_.changeProperty(connection_, replaceProperty, window, wmClassAtom, stringAtom, 8, std::uint32_t(wmClass.size()),
                            wmClass.constData());
        for (const std::uint32_t property : { gtkApplicationId_, kdeDesktopFile_ })
            if (property && utf8String_)
                xcb_.changeProperty(connection_, replaceProperty, window, property, utf8String_, 8, std::uint32_t(id_.size()),
                                    id_.constData());
        xcb_.flush(connection_);
    }

    void* connection_;
    const Xcb& xcb_;
    QByteArray id_;
    std::uint32_t utf8String_ = 0, gtkApplicationId_ = 0, kdeDesktopFile_ = 0;
};

}  // namespace

void markWindowsWithMenuEntry(std::string_view desktopId)
{
    auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
    const Xcb* xcb = x11 && x11->connection() ? Xcb::loaded() : nullptr;
    if (!xcb || desktopId.empty())
        return;
    qApp->installEventFilter(new MenuEntryMarker(x11->connection(), *xcb, QByteArray(desktopId.data(), qsizetype(desktopId.size()))));
}

}  // namespace forms
