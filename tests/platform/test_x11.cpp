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
    int index = 0;
    while (program(index).executable != executable)
        ++index;
    return program(index);
}

// Where a control of the program's window stands, in the window.
QPoint centreOf(const Program& program, const char* control)
{
    return openProgram(forms::qstring(program.id), { .stage = Stage::Built })->find(control)->widget()->geometry().center();
}

// xdotool's status for a click of the button at the point of the window.
int click(unsigned long window, QPoint at, int button)
{
    return QProcess::execute(QStringLiteral("xdotool"),
                             { QStringLiteral("mousemove"), QStringLiteral("--window"), QString::number(window),
                               QString::number(at.x()), QString::number(at.y()), QStringLiteral("click"),
                               QString::number(button) });
}

QString pathOf(const Program& program) { return QStringLiteral(BIN_DIR "/") + QString::fromUtf8(program.executable.data()); }

// The program's installed menu icon at one size, premultiplied as a window's
// icon is on its way to the X server.
QImage menuIcon(const Program& program, int size)
{
    return QImage(QStringLiteral(ICONS_DIR "/%1x%1/apps/" ICON_PREFIX "%2.png").arg(size).arg(QString::fromUtf8(program.id.data())))
        .convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

// Whether a program's form runs a timer of its own from the start (ΩΡΑ's clock).
bool ticksAtStart(const Program& program)
{
    return openProgram(forms::qstring(program.id), { .stage = Stage::Built }).clock().running() > 0;
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
        if (!ok)
            wait = QStringLiteral("running");
        else if (number == 7)  // poll(fds, count, milliseconds): -1 waits with no limit
            wait = qint32(words.value(3).toULongLong(nullptr, 16)) < 0
                ? QStringLiteral("no limit")
                : QStringLiteral("%1 ms").arg(qint32(words.value(3).toULongLong(nullptr, 16)));
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

bool severalColours(const QImage& image)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != image.pixel(0, 0))
                return true;
    return false;
}

}  // namespace

class X11 : public QObject {
    Q_OBJECT

    forms::testing::XServer x;
    QTemporaryDir scratch;

    // The program on a desktop with no colour scheme of its own, or on KDE with Breeze Dark.
    Child desktop(const Program& program, bool kdeDark = false) const
    {
        Child child(pathOf(program));
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
            const bool same = severalColours(now) && now == previous;
            previous = now;
            return same;
        }, 30000);
        return steady ? previous : QImage();
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
        const QPoint box = centreOf(chase, "FASTER");
        QProcess::execute(QStringLiteral("xdotool"), { QStringLiteral("mousemove"), QStringLiteral("--window"),
                                                       QString::number(window), QString::number(box.x()),
                                                       QString::number(box.y()), QStringLiteral("click"), QStringLiteral("1"),
                                                       QStringLiteral("key"), QStringLiteral("ctrl+a"), QStringLiteral("type"), factor });
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

    void windowIcon_data()
    {
        QTest::addColumn<int>("index");
        for (size_t i = 0; i < forms::programs::all().size(); ++i)
            QTest::newRow(program(int(i)).executable.data()) << int(i);
    }
    // The desktop knows the window by its menu entry: the task switcher shows
    // the same picture as the menu, at every size, and GNOME and KDE find the
    // entry by the window's class (which the entry names as its
    // StartupWMClass), by GTK's application id and by KDE's desktop file,
    // all ASCII, even for ΩΡΑ.
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
        const QList<QImage> icons = x.icons(window);
        QList<int> sizes;
        for (const QImage& icon : icons) {
            sizes << icon.width();
            QCOMPARE(icon.convertToFormat(QImage::Format_ARGB32_Premultiplied), menuIcon(program(index), icon.width()));
        }
        std::sort(sizes.begin(), sizes.end());
        QCOMPARE(sizes, QList<int>({ 16, 24, 32, 48, 64, 128, 256 }));
        QCOMPARE(closeEnd(process, window), QStringLiteral("status 0"));
    }

    void darkKdeScheme_data()
    {
        QTest::addColumn<int>("index");
        // ΩΡΑ's time moves on between two starts.
        for (size_t i = 0; i < forms::programs::all().size(); ++i)
            if (program(int(i)).id != "ora")
                QTest::newRow(program(int(i)).executable.data()) << int(i);
    }
    // Qt's own KDE theme reads the scheme from kdeglobals; the window stays as it
    // is on a desktop without one.
    void darkKdeScheme()
    {
        QFETCH(int, index);
        // One after the other: both stand in the middle of the screen.
        Child plain = desktop(program(index)), kde = desktop(program(index), true);
        const unsigned long plainWindow = start(plain);
        QVERIFY(plainWindow);
        const QImage designed = x.grab(plainWindow);
        QCOMPARE(closeEnd(plain, plainWindow), QStringLiteral("status 0"));
        const unsigned long kdeWindow = start(kde);
        QVERIFY(kdeWindow);
        QCOMPARE(x.grab(kdeWindow), designed);
        QCOMPARE(closeEnd(kde, kdeWindow), QStringLiteral("status 0"));
    }

    // The context menu Qt builds for a text box follows the runtime's light
    // palette too, not the desktop's dark one.
    void darkKdeContextMenu()
    {
        const Program& maxOfThree = program("maxofthree");
        QImage menus[2];
        for (const bool kdeDark : { false, true }) {
            Child process = desktop(maxOfThree, kdeDark);
            const unsigned long window = start(process);
            QVERIFY(window);
            QCOMPARE(click(window, centreOf(maxOfThree, "Text1"), 3), 0);
            x.movePointerAway();
            unsigned long menu = 0;
            QVERIFY(QTest::qWaitFor([&] {
                for (const unsigned long other : x.windowsOf(process.process().processId()))
                    if (other != window)
                        menu = other;
                return menu != 0;
            }, 30000));
            menus[kdeDark] = steadyGrab(menu);
            QVERIFY(!menus[kdeDark].isNull());
            QCOMPARE(QProcess::execute(QStringLiteral("xdotool"), { QStringLiteral("key"), QStringLiteral("Escape") }), 0);
            QCOMPARE(closeEnd(process, window), QStringLiteral("status 0"));
        }
        QCOMPARE(menus[true], menus[false]);
    }

    void noImagePluginLoaded_data() { windowIcon_data(); }
    // The window's icon and pictures are read by Qt itself, as PNG and BMP: no
    // image-format plugin (GIF, ICO, JPEG, ...) is loaded to be asked about them.
    void noImagePluginLoaded()
    {
        QFETCH(int, index);
        Child process = desktop(program(index));
        const unsigned long window = start(process);
        QVERIFY(window);
        QFile maps(QStringLiteral("/proc/%1/maps").arg(process.process().processId()));
        QVERIFY(maps.open(QIODevice::ReadOnly));
        QStringList plugins;
        for (const QByteArray& line : maps.readAll().split('\n'))
            if (line.contains("/imageformats/") && !plugins.contains(QString::fromUtf8(line.mid(line.lastIndexOf('/') + 1))))
                plugins << QString::fromUtf8(line.mid(line.lastIndexOf('/') + 1));
        QCOMPARE(plugins, QStringList());
        QCOMPARE(closeEnd(process, window), QStringLiteral("status 0"));
    }

    void restsWithoutWaking_data()
    {
        QTest::addColumn<int>("index");
        for (size_t i = 0; i < forms::programs::all().size(); ++i)
            if (!ticksAtStart(program(int(i))))
                QTest::newRow(program(int(i)).executable.data()) << int(i);
    }
    // A window with nothing to do sleeps: no thread is woken before Qt's own
    // housekeeping half a minute later. chase rests so after a race too.
    void restsWithoutWaking()
    {
        QFETCH(int, index);
        Child process = desktop(program(index));
        unsigned long window = 0;
        if (program(index).executable == std::string_view("chase")) {
            window = startRace(process, QStringLiteral("100"));
            QVERIFY(window);
            QVERIFY(!steadyGrab(window).isNull());
        } else {
            window = start(process);
            QVERIFY(window);
        }
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
        QVERIFY2(window, qPrintable(QStringLiteral("no window; the program %1").arg(
                                        process.process().state() == QProcess::NotRunning ? QStringLiteral("ended") : QStringLiteral("runs"))));
        QCOMPARE(closeEnd(process, window), QStringLiteral("status 0"));
    }

    // A factor that is no number ends the race with run-time error 13: the box
    // and the line on stderr name the program as the user knows it, "chase".
    void errorNamesTheProgram()
    {
        Child process = desktop(program("chase"));
        const unsigned long window = startRace(process, QStringLiteral("x"));
        QVERIFY(window);
        unsigned long box = 0;
        QVERIFY(QTest::qWaitFor([&] {
            for (const unsigned long other : x.windowsOf(process.process().processId()))
                if (other != window)
                    box = other;
            return box != 0;
        }, 30000));
        QCOMPARE(x.title(box), QStringLiteral("chase"));
        x.close(box);
        QVERIFY(process.process().waitForFinished(30000));
        QCOMPARE(process.process().exitCode(), 1);
        const QStringList errors = QString::fromLocal8Bit(process.process().readAllStandardError()).split(u'\n');
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
        const QStringList errors = QString::fromLocal8Bit(process.process().readAllStandardError()).split(u'\n');
        QVERIFY2(!errors.filter(QRegularExpression(QStringLiteral("^trafficlight: font \"Liberation Sans Narrow\" is not installed; "))).isEmpty(),
                 qPrintable(errors.join(u'\n')));
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
        const QPoint start = centreOf(chase, "START");
        const int status = QProcess::execute(QStringLiteral("xdotool"),
                                             { QStringLiteral("mousemove"), QStringLiteral("--window"), QString::number(window),
                                               QString::number(start.x()), QString::number(start.y()), QStringLiteral("click"),
                                               QStringLiteral("--repeat"), QStringLiteral("600"), QStringLiteral("--delay"),
                                               QStringLiteral("3"), QStringLiteral("1") });
        x.movePointerAway();
        QCOMPARE(status, 0);
        QCOMPARE(process.process().state(), QProcess::Running);
        QCOMPARE(closeEnd(process, window), QStringLiteral("status 0"));
    }
};

QTEST_MAIN(X11)
#include "test_x11.moc"
