#include "run/startup.h"

#include <QByteArrayList>
#include <QStringList>

#include <dlfcn.h>
#include <fcntl.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstring>

namespace forms {

void prepareStandardDescriptors()
{
    // In order, so that /dev/null lands on the lowest closed descriptor each time.
    for (int fd = 0; fd <= 2; ++fd) {
        if (fcntl(fd, F_GETFD) != -1 || errno != EBADF)
            continue;
        const int null = open("/dev/null", O_RDWR);
        if (null >= 0 && null != fd) {
            dup2(null, fd);
            close(null);
        }
    }
    std::signal(SIGPIPE, SIG_IGN);
}

namespace {

// The value of a Qt option given on the command line ("-platform xcb" or
// "--platform xcb"), or null.
const char* option(int argc, char** argv, const char* name)
{
    for (int i = 1; i + 1 < argc; ++i) {
        const char* arg = argv[i];
        if (arg[0] == '-' && arg[1] == '-')
            ++arg;
        if (std::strcmp(arg, name) == 0)
            return argv[i + 1];
    }
    return nullptr;
}

// The platform plugins the user chose, as Qt reads them: -platform, else
// QT_QPA_PLATFORM (a list separated by ';'); empty when none was chosen.
QByteArrayList chosenPlatforms(int argc, char** argv)
{
    const char* given = option(argc, argv, "-platform");
    const QByteArray platforms = given ? QByteArray(given) : qgetenv("QT_QPA_PLATFORM");
    return platforms.isEmpty() ? QByteArrayList() : platforms.split(';');
}

// Whether a Wayland compositor accepts a connection where libwayland would look
// for one: $WAYLAND_DISPLAY (default wayland-0) in $XDG_RUNTIME_DIR, or an
// absolute path.
bool waylandAnswers()
{
    if (qEnvironmentVariableIsSet("WAYLAND_SOCKET"))  // a connection handed over by the compositor
        return true;
    QByteArray path = qgetenv("WAYLAND_DISPLAY");
    if (path.isEmpty())
        path = "wayland-0";
    if (!path.startsWith('/')) {
        const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
        if (runtime.isEmpty())
            return false;
        path = runtime + '/' + path;
    }
    sockaddr_un address {};
    address.sun_family = AF_UNIX;
    if (size_t(path.size()) >= sizeof address.sun_path)
        return false;
    std::memcpy(address.sun_path, path.constData(), size_t(path.size()));
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    const bool answers = fd >= 0 && ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    if (fd >= 0)
        close(fd);
    return answers;
}

// What could not be opened and which variables to check: `x11Variable` names
// where the X display came from, null when X11 was not tried.
QString unreachable(const char* x11Variable, const QByteArray& display, bool wayland)
{
    QStringList tried, check, unset;
    const auto note = [&](const char* variable, const QByteArray& value, const QString& what) {
        if (value.isEmpty()) {
            unset << QString::fromLatin1(variable);
        } else {
            tried << what + QString::fromLocal8Bit(value);
            check << QString::fromLatin1(variable);
        }
    };
    if (x11Variable)
        note(x11Variable, display, QStringLiteral("display "));
    if (wayland)
        note("WAYLAND_DISPLAY", qgetenv("WAYLAND_DISPLAY"), QStringLiteral("Wayland display "));
    if (tried.isEmpty())
        return QStringLiteral("cannot open a display: %1 %2 not set")
            .arg(unset.join(QStringLiteral(" and ")), unset.size() > 1 ? QStringLiteral("are") : QStringLiteral("is"));
    return QStringLiteral("cannot open %1: check %2").arg(tried.join(QStringLiteral(" or ")), check.join(QStringLiteral(" and ")));
}

using XcbConnect = void* (*)(const char*, int*);
using XcbHasError = int (*)(void*);
using XcbDisconnect = void (*)(void*);

}  // namespace

// libxcb is the library Qt's own X11 plugin connects with; it is loaded only
// here, so that a program on another platform never needs it.
bool DisplayCheck::openX11(const QByteArray& name)
{
    xcb_ = dlopen("libxcb.so.1", RTLD_NOW | RTLD_LOCAL);
    if (!xcb_)
        return false;
    const auto connect = reinterpret_cast<XcbConnect>(dlsym(xcb_, "xcb_connect"));
    const auto hasError = reinterpret_cast<XcbHasError>(dlsym(xcb_, "xcb_connection_has_error"));
    if (!connect || !hasError || !dlsym(xcb_, "xcb_disconnect"))
        return false;
    connection_ = connect(name.isEmpty() ? nullptr : name.constData(), nullptr);
    return connection_ && hasError(connection_) == 0;
}

DisplayCheck::DisplayCheck(int argc, char** argv)
{
    const QByteArrayList chosen = chosenPlatforms(argc, argv);
    bool x11 = chosen.isEmpty(), wayland = chosen.isEmpty();
    for (const QByteArray& platform : chosen) {
        if (platform.startsWith("xcb"))
            x11 = true;
        else if (platform.startsWith("wayland"))
            wayland = true;
        else
            return;  // a platform that may need no display server at all
    }
    const char* displayOption = option(argc, argv, "-display");
    const QByteArray display = displayOption ? QByteArray(displayOption) : qgetenv("DISPLAY");
    const bool x11Answers = x11 && openX11(display);
    const bool waylandAnswers = wayland && forms::waylandAnswers();
    if (x11Answers || waylandAnswers) {
        // Qt would otherwise try its default order, Wayland then X11, and
        // warn about the one that failed.
        if (chosen.isEmpty() && x11Answers != waylandAnswers)
            qputenv("QT_QPA_PLATFORM", x11Answers ? "xcb" : "wayland");
        return;
    }
    problem_ = unreachable(x11 ? (displayOption ? "-display" : "DISPLAY") : nullptr, display, wayland);
}

DisplayCheck::~DisplayCheck()
{
    if (connection_)
        reinterpret_cast<XcbDisconnect>(dlsym(xcb_, "xcb_disconnect"))(connection_);
    if (xcb_)
        dlclose(xcb_);
}

}  // namespace forms
