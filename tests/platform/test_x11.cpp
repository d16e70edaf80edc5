// The built programs on a real X server (a private Xvfb that with_xvfb.sh
// starts): each window carries its menu entry's icon, a dark KDE colour scheme
// leaves every window and a text box's context menu as designed, and races
// nested by real clicks fit a small stack; no image-format plugin is loaded,
// Qt is sent to the display that answers, and the program's own name heads
// its error box and its warnings.
#include "table.h"
#include "x11_server.h"

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
#include <functional>
#include <string_view>

namespace {

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

// xdotool's status for the command, which `pointAt` can start with to move
// the pointer to a point of a window.
int xdotool(const QStringList& arguments) { return QProcess::execute(QStringLiteral("xdotool"), arguments); }

QStringList pointAt(unsigned long window, QPoint at)
{
    return { QStringLiteral("mousemove"), QStringLiteral("--window"), QString::number(window), QString::number(at.x()), QString::number(at.y()) };
}

// xdotool's status for a click of the button at the point of the window.
int click(unsigned long window, QPoint at, int button)
{
    return xdotool(pointAt(window, at) << QStringLiteral("click") << QString::number(button));
}

// The program's installed menu icon at one size, premultiplied as a window's
// icon is on its way to the X server.
QImage menuIcon(const Program& program, int size)
{
    return QImage(QStringLiteral(ICONS_DIR "/%1x%1/apps/" ICON_PREFIX "%2.png").arg(size).arg(QString::fromUtf8(program.id.data())))
        .convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

// What each thread of a process waits for, one "<thread>: <wait>" line each,
// from the system call it sleeps in: "no limit", "<n> ms", or what it does
// instead ("running", "futex with a limit", "system call <n>").
QStringList waits(qint64 pid)
{
    QStringList result;
    for (const QString& task : QDir(QStringLiteral("/proc/%1/task").arg(pid)).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        const QString dir = QStringLiteral("/proc/%1/task/%2/").arg(pid).arg(task);
        QFile name(dir + QStringLiteral("comm")), call(dir + QStringLiteral("syscall"));
        if (!name.open(QIODevice::ReadOnly) || !call.open(QIODevice::ReadOnly))
            continue;
        const QList<QByteArray> words = call.readAll().trimmed().split(' ');
        QString wait;
        bool ok = false;
        const int number = words.value(0).toInt(&ok);
        const qint32 pollLimit = qint32(words.value(3).toULongLong(nullptr, 16));
        if (!ok)
            wait = QStringLiteral("running");
        else if (number == 7)  // poll(fds, count, milliseconds): -1 waits with no limit
            wait = pollLimit < 0 ? QStringLiteral("no limit") : QStringLiteral("%1 ms").arg(pollLimit);
        else if (number == 202)  // futex(address, operation, value, limit): no limit without one
            wait = words.value(4) == "0x0" ? QStringLiteral("no limit") : QStringLiteral("futex with a limit");
        else
            wait = QStringLiteral("system call %1").arg(number);
        result << QString::fromUtf8(name.readAll().trimmed()) + QStringLiteral(": ") + wait;
    }
    return result;
}

// At rest: every thread waits with no limit, but for the main thread's wait
// until Qt's own sweep of its pixmap cache, half a minute after the last
// painting, and Qt's pooled threads, which end by themselves as long after
// their last job.
bool atRest(const QStringList& threadWaits)
{
    return std::all_of(threadWaits.begin(), threadWaits.end(), [](const QString& line) {
        const QString wait = line.section(QStringLiteral(": "), 1);
        if (wait == QStringLiteral("no limit"))
            return true;
        if (wait.endsWith(QStringLiteral(" ms")))
            return wait.chopped(3).toInt() >= 20000;
        return line.startsWith(QStringLiteral("Thread (pooled): futex"));
    });
}

// The lines the process has written to stderr.
QStringList errorLines(Child& child)
{
    return QString::fromLocal8Bit(child.process().readAllStandardError()).split(u'\n');
}

}  // namespace

class X11 : public QObject {
    Q_OBJECT

    forms::testing::XServer x;
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
        unsigned long window = 0;
        if (!QTest::qWaitFor([&] { return (window = x.windowOf(process.process().processId())) != 0; }, 30000))
            return 0;
        return steadyGrab(window).isNull() ? 0 : window;
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
    // message box); returns it, or 0.
    unsigned long otherWindow(Child& process, unsigned long window) const
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
        if (!window)
            return 0;
        xdotool(pointAt(window, centreOf(chase, "FASTER")) << QStringLiteral("click") << QStringLiteral("1") << QStringLiteral("key") << QStringLiteral("ctrl+a")
                                                            << QStringLiteral("type") << factor);
        return click(window, centreOf(chase, "START"), 1) == 0 ? window : 0;
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
        QStringList plugins;
        for (const QByteArray& line : maps.readAll().split('\n'))
            if (line.contains("/imageformats/"))
                plugins << QString::fromUtf8(line.mid(line.lastIndexOf('/') + 1));
        plugins.removeDuplicates();
        QCOMPARE(plugins, QStringList());
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
                QCOMPARE(click(window, centreOf(program(index), "Text1"), 3), 0);
                x.movePointerAway();
                const unsigned long menu = otherWindow(process, window);
                QVERIFY(menu);
                menus[kdeDark] = steadyGrab(menu);
                QVERIFY(!menus[kdeDark].isNull());
                QCOMPARE(xdotool({ QStringLiteral("key"), QStringLiteral("Escape") }), 0);
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
        const bool rests = QTest::qWaitFor([&] { return atRest(seen = waits(process.process().processId())); }, 10000);
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
        const unsigned long box = otherWindow(process, window);
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
        const int status = xdotool(pointAt(window, centreOf(chase, "START"))
                                   << QStringLiteral("click") << QStringLiteral("--repeat") << QStringLiteral("600") << QStringLiteral("--delay") << QStringLiteral("3") << QStringLiteral("1"));
        x.movePointerAway();
        QCOMPARE(status, 0);
        QCOMPARE(process.process().state(), QProcess::Running);
        QCOMPARE(closeEnd(process, window), QStringLiteral("status 0"));
    }
};

QTEST_MAIN(X11)
#include "test_x11.moc"
