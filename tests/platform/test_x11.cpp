// The built programs on a real X server (a private Xvfb that with_xvfb.sh
// starts): each window carries its menu entry's icon, a dark KDE colour scheme
// leaves every window and a text box's context menu as designed, and races
// nested by real clicks fit a small stack; no image-format plugin is loaded,
// Qt is sent to the display that answers, and the program's own name heads
// its error box and its warnings.
#include "table.h"

#include <family_test.h>
#include <process.h>
#include <forms/text.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <sys/resource.h>

#include <algorithm>
#include <climits>
#include <functional>
#include <string_view>

// Last, as its macros (None, Status, ...) would clash with Qt's names.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace {

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

// The test's view of the X server its programs run on, through Xlib: their
// windows, what the windows show and the icons they carry.
class XServer {
public:
    // Connects to $DISPLAY. A window that went away with its program is the
    // test's to report, not a reason for Xlib to end the test.
    XServer() { XSetErrorHandler([](Display*, XErrorEvent*) { return 0; }); }
    ~XServer()
    {
        if (display_)
            XCloseDisplay(display_);
    }
    XServer(const XServer&) = delete;
    XServer& operator=(const XServer&) = delete;

    bool connected() const { return display_ != nullptr; }

    // The viewable top-level windows of a process (by _NET_WM_PID), pop-ups
    // included, bottom of the stack first.
    QList<unsigned long> windowsOf(qint64 pid) const
    {
        Window root = 0, parent = 0, *children = nullptr;
        unsigned int count = 0;
        QList<unsigned long> found;
        if (!XQueryTree(display_, DefaultRootWindow(display_), &root, &parent, &children, &count))
            return found;
        for (unsigned int i = 0; i < count; ++i) {
            XWindowAttributes attributes;
            if (cardinals(display_, children[i], "_NET_WM_PID") == QList<unsigned long> { static_cast<unsigned long>(pid) }
                && XGetWindowAttributes(display_, children[i], &attributes) && attributes.map_state == IsViewable)
                found << children[i];
        }
        if (children)
            XFree(children);
        return found;
    }

    // The window's contents as the server holds them.
    QImage grab(unsigned long window) const
    {
        XWindowAttributes attributes;
        if (!XGetWindowAttributes(display_, window, &attributes))
            return {};
        XImage* image = XGetImage(display_, window, 0, 0, unsigned(attributes.width), unsigned(attributes.height), AllPlanes, ZPixmap);
        if (!image)
            return {};
        QImage result(attributes.width, attributes.height, QImage::Format_RGB32);
        for (int y = 0; y < attributes.height; ++y)
            for (int x = 0; x < attributes.width; ++x)
                result.setPixel(x, y, 0xFF000000u | (XGetPixel(image, x, y) & 0xFFFFFFu));
        XDestroyImage(image);
        return result;
    }

    // An 8-bit property of the window as "<type>: <bytes>", NULs included, or
    // an empty array when the window has none.
    QByteArray text(unsigned long window, const char* property) const
    {
        QByteArray result;
        withProperty(display_, window, property, AnyPropertyType, 8, [&](Atom type, const unsigned char* data, unsigned long count) {
            char* typeName = XGetAtomName(display_, type);
            result = QByteArray(typeName) + ": " + QByteArray(reinterpret_cast<const char*>(data), qsizetype(count));
            XFree(typeName);
        });
        return result;
    }

    // Every image of the window's _NET_WM_ICON, as ARGB32.
    QList<QImage> icons(unsigned long window) const
    {
        // Width, height, then width × height ARGB pixels, for each image in turn.
        const QList<unsigned long> data = cardinals(display_, window, "_NET_WM_ICON");
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

    // Asks the window to close, as a window manager's close button does.
    void close(unsigned long window) const
    {
        XEvent event { .xclient = { .type = ClientMessage, .serial = 0, .send_event = False, .display = display_, .window = window,
                                    .message_type = XInternAtom(display_, "WM_PROTOCOLS", False), .format = 32,
                                    .data = { .l = { long(XInternAtom(display_, "WM_DELETE_WINDOW", False)), CurrentTime } } } };
        XSendEvent(display_, window, False, NoEventMask, &event);
        XFlush(display_);
    }

    // Puts the pointer in the screen's bottom-right corner, away from every
    // window, so that none takes the keyboard focus and blinks a text cursor.
    void movePointerAway() const
    {
        const Screen* screen = DefaultScreenOfDisplay(display_);
        XWarpPointer(display_, 0, DefaultRootWindow(display_), 0, 0, 0, 0, screen->width - 1, screen->height - 1);
        XSync(display_, False);
    }

private:
    Display* display_ = XOpenDisplay(nullptr);
};

using forms::programs::Program;
using forms::testing::Child;
using forms::testing::openProgram;
using forms::testing::Stage;

const Program& program(int index) { return forms::programs::all()[size_t(index)]; }

const Program& program(std::string_view executable)
{
    const auto& all = forms::programs::all();
    return *std::find_if(all.begin(), all.end(), [&](const Program& p) { return p.executable == executable; });
}

// A row for each program, by its index, that `keep` keeps.
void addRegistryRows(const std::function<bool(const Program&)>& keep = {})
{
    QTest::addColumn<int>("index");
    for (size_t i = 0; i < forms::programs::all().size(); ++i)
        if (!keep || keep(program(int(i))))
            QTest::newRow(program(int(i)).executable.data()) << int(i);
}

// Where a control of the program's window stands, in the window.
QPoint centreOf(const Program& program, const char* control)
{
    return openProgram(forms::qstring(program.id), { .stage = Stage::Built })->find(control)->widget()->geometry().center();
}

// xdotool's status for moving the pointer to `at` in the window, then doing
// `then` ("click 1", ...).
int xdotool(unsigned long window, QPoint at, const QString& then)
{
    const QString command = QStringLiteral("mousemove --window %1 %2 %3 %4")
                                .arg(QString::number(window), QString::number(at.x()), QString::number(at.y()), then);
    return QProcess::execute(QStringLiteral("xdotool"), command.split(u' '));
}

// The program's installed menu icon at one size, premultiplied as a window's
// icon is on its way to the X server.
QImage menuIcon(const Program& program, int size)
{
    return QImage(QStringLiteral(ICONS_DIR "/%1x%1/apps/" ICON_PREFIX "%2.png").arg(size).arg(QString::fromUtf8(program.id.data())))
        .convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

// The threads of a process that are not at rest, one "<thread>: <system
// call>" line each, from /proc. At rest, a thread waits with no limit, but for
// the main thread's wait until Qt's own sweep of its pixmap cache, half a
// minute after the last painting, and Qt's pooled threads, which end by
// themselves as long after their last job.
QStringList restless(qint64 pid)
{
    QStringList result;
    for (const QString& task : QDir(QStringLiteral("/proc/%1/task").arg(pid)).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        const QString dir = QStringLiteral("/proc/%1/task/%2/").arg(pid).arg(task);
        QFile name(dir + QStringLiteral("comm")), call(dir + QStringLiteral("syscall"));
        if (!name.open(QIODevice::ReadOnly) || !call.open(QIODevice::ReadOnly))
            continue;
        const QString thread = QString::fromUtf8(name.readAll().trimmed());
        const QList<QByteArray> words = call.readAll().trimmed().split(' ');  // "running" when it runs
        bool ok = false;
        const int number = words.value(0).toInt(&ok);
        // poll(fds, count, milliseconds): -1 waits with no limit
        const qint32 pollLimit = qint32(words.value(3).toULongLong(nullptr, 16));
        const bool poll = ok && number == 7 && (pollLimit < 0 || pollLimit >= 20000);
        // futex(address, operation, value, limit): no limit without one
        const bool futex = ok && number == 202 && (words.value(4) == "0x0" || thread == QStringLiteral("Thread (pooled)"));
        if (!poll && !futex)
            result << thread + QStringLiteral(": ") + QString::fromLatin1(words.join(' '));
    }
    return result;
}

// The lines the process has written to stderr.
QStringList errorLines(Child& child)
{
    return QString::fromLocal8Bit(child.process().readAllStandardError()).split(u'\n');
}

}  // namespace

class X11 : public QObject {
    Q_OBJECT

    XServer x;
    QTemporaryDir scratch;

    // The program on a desktop with no colour scheme of its own, or on KDE with Breeze Dark.
    Child desktop(const Program& program, bool kdeDark = false) const
    {
        Child child(QStringLiteral(BIN_DIR "/") + QString::fromUtf8(program.executable.data()));
        child.unset({ "XDG_CURRENT_DESKTOP", "KDE_SESSION_VERSION", "QT_QPA_PLATFORMTHEME", "QT_STYLE_OVERRIDE",
                      "XDG_CONFIG_HOME", "WAYLAND_DISPLAY" });
        child.set("QT_QPA_PLATFORM", "xcb").set("XDG_RUNTIME_DIR", scratch.path());
        if (kdeDark)
            child.set("XDG_CURRENT_DESKTOP", "KDE").set("KDE_SESSION_VERSION", "5").set("XDG_CONFIG_HOME", scratch.filePath("kde"));
        return child;
    }

    // Starts the program and waits until its window shows a steady picture;
    // returns the window, or 0.
    unsigned long start(Child& process)
    {
        process.start();
        const unsigned long window = windowBeside(process, 0);
        return window && !steadyGrab(window).isNull() ? window : 0;
    }

    // What the window shows once two grabs in a row agree, or a null image.
    QImage steadyGrab(unsigned long window) const
    {
        QImage previous;
        const bool steady = QTest::qWaitFor([&] {
            const QImage now = x.grab(window);
            const bool several = forms::testing::inkIn(now, now.rect(), forms::testing::Paper(now.pixel(0, 0))) > 0;
            const bool same = several && now == previous;
            previous = now;
            return same;
        }, 30000);
        return steady ? previous : QImage();
    }

    // Waits for the process to show a window beside `window` (a menu, a
    // message box), or any window beside 0; returns it, or 0.
    unsigned long windowBeside(Child& process, unsigned long window) const
    {
        unsigned long other = 0;
        const bool shown = QTest::qWaitFor([&] {
            for (const unsigned long each : x.windowsOf(process.process().processId()))
                if (each != window)
                    other = each;
            return other != 0;
        }, 30000);
        return shown ? other : 0;
    }

    // Closes the window as a window manager would, and says how the program ended.
    QString closeEnd(Child& child, unsigned long window)
    {
        x.close(window);
        QProcess& process = child.process();
        if (!process.waitForFinished(30000))
            return QStringLiteral("still running");
        if (process.exitStatus() == QProcess::CrashExit)
            return QStringLiteral("killed by a signal");
        return QStringLiteral("status %1").arg(process.exitCode());
    }

    // Starts chase, types `factor` into FASTER and clicks START; returns the
    // window, or 0.
    unsigned long startRace(Child& process, const QString& factor)
    {
        const Program& chase = program("chase");
        const unsigned long window = start(process);
        const bool started = window && xdotool(window, centreOf(chase, "FASTER"), QStringLiteral("click 1 key ctrl+a type ") + factor) == 0
                             && xdotool(window, centreOf(chase, "START"), QStringLiteral("click 1")) == 0;
        return started ? window : 0;
    }

private slots:
    void initTestCase()
    {
        QVERIFY2(x.connected(), "no X server at $DISPLAY");
        x.movePointerAway();
        QVERIFY(QDir(scratch.path()).mkpath(QStringLiteral("kde")));
        QFile kdeglobals(scratch.filePath(QStringLiteral("kde/kdeglobals")));
        QVERIFY(kdeglobals.open(QIODevice::WriteOnly));
        kdeglobals.write("[General]\nColorScheme=BreezeDark\n"
                         "[Colors:Window]\nBackgroundNormal=35,38,41\nForegroundNormal=252,252,252\n"
                         "[Colors:View]\nBackgroundNormal=27,30,32\nForegroundNormal=252,252,252\n"
                         "[Colors:Button]\nBackgroundNormal=49,54,59\nForegroundNormal=252,252,252\n"
                         "[Colors:Selection]\nBackgroundNormal=61,174,233\nForegroundNormal=252,252,252\n"
                         "[Colors:Tooltip]\nBackgroundNormal=49,54,59\nForegroundNormal=252,252,252\n");
    }

    void windowIcon_data() { addRegistryRows(); }
    // The desktop knows the window by its menu entry: the task switcher shows
    // the same picture as the menu, at every size, and GNOME and KDE find the
    // entry by the window's class (which the entry names as its
    // StartupWMClass), by GTK's application id and by KDE's desktop file,
    // all ASCII, even for ΩΡΑ.
    //
    // The window's icon and pictures are read by Qt itself, as PNG and BMP: no
    // image-format plugin (GIF, ICO, JPEG, ...) is loaded to be asked about them.
    void windowIcon()
    {
        QFETCH(int, index);
        Child process = desktop(program(index));
        const unsigned long window = start(process);
        QVERIFY(window);
        const QByteArray entry = "org.example.forms." + QByteArray(program(index).id.data());
        QCOMPARE(x.text(window, "WM_CLASS"), "STRING: " + entry + '\0' + entry + '\0');
        QCOMPARE(x.text(window, "_GTK_APPLICATION_ID"), "UTF8_STRING: " + entry);
        QCOMPARE(x.text(window, "_KDE_NET_WM_DESKTOP_FILE"), "UTF8_STRING: " + entry);
        QFile desktopFile(QStringLiteral(APPLICATIONS_DIR "/") + QString::fromLatin1(entry) + QStringLiteral(".desktop"));
        QVERIFY(desktopFile.open(QIODevice::ReadOnly));
        QVERIFY2(desktopFile.readAll().split('\n').contains("StartupWMClass=" + entry), qPrintable(desktopFile.fileName()));
        QList<int> sizes;
        for (const QImage& icon : x.icons(window)) {
            sizes << icon.width();
            QCOMPARE(icon.convertToFormat(QImage::Format_ARGB32_Premultiplied), menuIcon(program(index), icon.width()));
        }
        std::sort(sizes.begin(), sizes.end());
        QCOMPARE(sizes, QList<int>({ 16, 24, 32, 48, 64, 128, 256 }));

        QFile maps(QStringLiteral("/proc/%1/maps").arg(process.process().processId()));
        QVERIFY(maps.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromUtf8(maps.readAll()).split(u'\n').filter(QStringLiteral("/imageformats/")), QStringList());
        QCOMPARE(closeEnd(process, window), QStringLiteral("status 0"));
    }

    // ΩΡΑ's time moves on between two starts.
    void darkKdeScheme_data() { addRegistryRows([](const Program& p) { return p.id != "ora"; }); }
    // Qt's own KDE theme reads the scheme from kdeglobals; the window stays as it
    // is on a desktop without one. The context menu Qt builds for maxofthree's
    // text box follows the runtime's light palette too, not the desktop's dark one.
    void darkKdeScheme()
    {
        QFETCH(int, index);
        const bool textBox = program(index).executable == std::string_view("maxofthree");
        QImage windows[2], menus[2];
        // One after the other: both stand in the middle of the screen.
        for (const bool kdeDark : { false, true }) {
            Child process = desktop(program(index), kdeDark);
            const unsigned long window = start(process);
            QVERIFY(window);
            windows[kdeDark] = x.grab(window);
            if (textBox) {
                QCOMPARE(xdotool(window, centreOf(program(index), "Text1"), QStringLiteral("click 3")), 0);
                x.movePointerAway();
                const unsigned long menu = windowBeside(process, window);
                QVERIFY(menu);
                menus[kdeDark] = steadyGrab(menu);
                QVERIFY(!menus[kdeDark].isNull());
                QCOMPARE(QProcess::execute(QStringLiteral("xdotool"), { QStringLiteral("key"), QStringLiteral("Escape") }), 0);
            }
            QCOMPARE(closeEnd(process, window), QStringLiteral("status 0"));
        }
        QCOMPARE(windows[true], windows[false]);
        QCOMPARE(menus[true], menus[false]);
    }

    // Not for a program whose form runs a timer of its own from the start (ΩΡΑ's clock).
    void restsWithoutWaking_data()
    {
        addRegistryRows([](const Program& p) {
            return openProgram(forms::qstring(p.id), { .stage = Stage::Built }).clock().running() == 0;
        });
    }
    // A window with nothing to do sleeps: no thread is woken before Qt's own
    // housekeeping half a minute later. chase rests so after a race too.
    void restsWithoutWaking()
    {
        QFETCH(int, index);
        Child process = desktop(program(index));
        const bool race = program(index).executable == std::string_view("chase");
        const unsigned long window = race ? startRace(process, QStringLiteral("100")) : start(process);
        QVERIFY(window);
        if (race)
            QVERIFY(!steadyGrab(window).isNull());
        QStringList seen;
        const bool rests = QTest::qWaitFor([&] { return (seen = restless(process.process().processId())).isEmpty(); }, 10000);
        QVERIFY2(rests, qPrintable(seen.join(QStringLiteral(", "))));
        QCOMPARE(closeEnd(process, window), QStringLiteral("status 0"));
    }

    // With no platform chosen and only the X server answering (no Wayland
    // compositor), the program opens its window there.
    void onlyX11Answers()
    {
        Child process = desktop(program("trafficlight"));
        process.unset({ "QT_QPA_PLATFORM" }).process().setProcessChannelMode(QProcess::ForwardedErrorChannel);
        const unsigned long window = start(process);
        const bool ended = process.process().state() == QProcess::NotRunning;
        QVERIFY2(window, ended ? "no window; the program ended" : "no window; the program runs");
        QCOMPARE(closeEnd(process, window), QStringLiteral("status 0"));
    }

    // A factor that is no number ends the race with run-time error 13: the box
    // and the line on stderr name the program as the user knows it, "chase".
    void errorNamesTheProgram()
    {
        Child process = desktop(program("chase"));
        const unsigned long window = startRace(process, QStringLiteral("x"));
        QVERIFY(window);
        const unsigned long box = windowBeside(process, window);
        QVERIFY(box);
        QCOMPARE(x.text(box, "WM_NAME"), "STRING: chase");
        QCOMPARE(closeEnd(process, box), QStringLiteral("status 1"));
        const QStringList errors = errorLines(process);
        QVERIFY2(errors.contains(QStringLiteral("chase: run-time error 13: Type mismatch")), qPrintable(errors.join(u'\n')));
    }

    // A face the window names that the system lacks is reported under the
    // program's own name.
    void missingFontNamesTheProgram()
    {
        const QString config = scratch.filePath(QStringLiteral("dejavu-only.conf"));
        QFile file(config);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QStringLiteral("<?xml version=\"1.0\"?>\n<fontconfig><dir>/usr/share/fonts/truetype/dejavu</dir>"
                                  "<cachedir>%1</cachedir></fontconfig>\n").arg(scratch.filePath(QStringLiteral("font-cache"))).toUtf8());
        file.close();
        Child process = desktop(program("trafficlight"));
        const unsigned long window = start(process.set("FONTCONFIG_FILE", config));
        QVERIFY(window);
        QCOMPARE(closeEnd(process, window), QStringLiteral("status 0"));
        const QStringList errors = errorLines(process);
        static const QRegularExpression missing(QStringLiteral("^trafficlight: font \"Liberation Sans Narrow\" is not installed; "));
        QVERIFY2(!errors.filter(missing).isEmpty(), qPrintable(errors.join(u'\n')));
    }

    // Under a 2 MiB stack, 600 clicks on START during the races used to nest
    // about 550 races and overflow it.
    void nestedRacesOnSmallStack()
    {
        const Program& chase = program("chase");
        Child process = desktop(chase);
        const unsigned long window = start(process.inChild([] {
            const rlimit stack { 2048 * 1024, 2048 * 1024 };
            setrlimit(RLIMIT_STACK, &stack);
        }));
        QVERIFY(window);
        const int status = xdotool(window, centreOf(chase, "START"), QStringLiteral("click --repeat 600 --delay 3 1"));
        x.movePointerAway();
        QCOMPARE(status, 0);
        QCOMPARE(process.process().state(), QProcess::Running);
        QCOMPARE(closeEnd(process, window), QStringLiteral("status 0"));
    }
};

QTEST_MAIN(X11)
#include "test_x11.moc"
