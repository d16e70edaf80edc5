// How a built program meets the environment a user starts it in: no display,
// closed or broken standard descriptors, missing fonts and a small stack. Each
// case starts the program in a child process, as a shell would.
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <process.h>

#include <sys/resource.h>
#include <unistd.h>

#include <csignal>
#include <functional>

namespace {

using SetUp = std::function<void()>;

using forms::testing::Child;
using forms::testing::Ended;

// `program` with `arguments` on the offscreen platform, in the test's
// environment with `variables` set; `setUp` runs in the child first.
Ended offscreen(const QString& program, const QStringList& arguments, const SetUp& setUp = {},
                const QList<std::pair<QString, QString>>& variables = {})
{
    Child child(program, arguments);
    child.set("QT_QPA_PLATFORM", "offscreen").inChild(setUp);
    for (const auto& [name, value] : variables)
        child.set(name, value);
    return child.run(std::chrono::seconds(100));
}

// An X display number that no server has taken.
QString unusedDisplay()
{
    for (int n = 90;; ++n)
        if (!QFile::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(n)) && !QFile::exists(QStringLiteral("/tmp/.X%1-lock").arg(n)))
            return QStringLiteral(":%1").arg(n);
}

// The faces a program's missing-font warnings name, one entry per line.
QStringList warnedFaces(const QString& errors)
{
    static const QRegularExpression warning(QStringLiteral("^probe: font \"([^\"]+)\" is not installed; "
                                                           "(?:its text is drawn in \".+\"|no other font is installed either)$"),
                                            QRegularExpression::MultilineOption);
    QStringList faces;
    for (auto match = warning.globalMatch(errors); match.hasNext();)
        faces << match.next().captured(1);
    return faces;
}

}  // namespace

Q_DECLARE_METATYPE(SetUp)

class Startup : public QObject {
    Q_OBJECT

    QTemporaryDir scratch;

private slots:
    // With no display to open, one plain line says so and which variable to
    // check, and the program ends with status 1 rather than aborting.
    void noDisplay_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QStringList>("variables");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("errors");
        const QString display = unusedDisplay();
        QTest::newRow("no DISPLAY, no WAYLAND_DISPLAY") << TRAFFICLIGHT << QStringList() << 1
            << "trafficlight: cannot open a display: DISPLAY and WAYLAND_DISPLAY are not set\n";
        QTest::newRow("DISPLAY at no server") << TRAFFICLIGHT << QStringList { "DISPLAY=" + display } << 1
            << "trafficlight: cannot open display " + display + ": check DISPLAY\n";
        QTest::newRow("both at no server") << TRAFFICLIGHT << QStringList { "DISPLAY=" + display, "WAYLAND_DISPLAY=wayland-7" } << 1
            << "trafficlight: cannot open display " + display + " or Wayland display wayland-7: check DISPLAY and WAYLAND_DISPLAY\n";
        QTest::newRow("Wayland chosen, no compositor") << TRAFFICLIGHT << QStringList { "QT_QPA_PLATFORM=wayland" } << 1
            << "trafficlight: cannot open a display: WAYLAND_DISPLAY is not set\n";
        // A platform that needs no display server is left alone.
        QTest::newRow("offscreen chosen") << PROBE << QStringList { "QT_QPA_PLATFORM=offscreen" } << 0 << "";
    }
    void noDisplay()
    {
        QFETCH(QString, program);
        QFETCH(QStringList, variables);
        QFETCH(int, status);
        QFETCH(QString, errors);
        // No display of any kind and an empty runtime folder.
        Child child(program, { QStringLiteral("close") });
        child.unset({ "DISPLAY", "WAYLAND_DISPLAY", "WAYLAND_SOCKET", "QT_QPA_PLATFORM", "XDG_SESSION_TYPE" });
        child.set("XDG_RUNTIME_DIR", scratch.path());
        for (const QString& variable : variables)
            child.set(variable.section(u'=', 0, 0), variable.section(u'=', 1));
        const Ended end = child.run(std::chrono::seconds(100));
        QVERIFY(!end.crashed);
        QCOMPARE(end.status, status);
        QCOMPARE(end.errors, errors);
    }

    // Whatever the standard descriptors were, a run-time error shows its box and
    // ends the program with status 1: a closed descriptor is open on /dev/null
    // before anything else can take it, and a stderr nobody reads kills nothing.
    void standardDescriptors_data()
    {
        QTest::addColumn<SetUp>("setUp");
        QTest::addColumn<QList<int>>("closed");
        QTest::newRow("stderr closed") << SetUp([] { close(2); }) << QList<int> { 2 };
        QTest::newRow("stdin and stdout closed") << SetUp([] { close(0); close(1); }) << QList<int> { 0, 1 };
        QTest::newRow("stderr a pipe nobody reads") << SetUp([] {
            int ends[2];
            if (pipe(ends) == 0) {
                dup2(ends[1], 2);
                close(ends[0]);
                close(ends[1]);
            }
        }) << QList<int>();
    }
    void standardDescriptors()
    {
        QFETCH(SetUp, setUp);
        QFETCH(QList<int>, closed);
        const QString report = scratch.filePath(QStringLiteral("report-%1").arg(QTest::currentDataTag()));
        const Ended end = offscreen(PROBE, { QStringLiteral("error"), report }, setUp);
        QVERIFY(!end.crashed);
        QCOMPARE(end.status, 1);
        QFile file(report);
        QVERIFY(file.open(QIODevice::ReadOnly | QIODevice::Text));
        const QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts);
        for (int fd : closed)
            QVERIFY2(lines.contains(QStringLiteral("fd%1 /dev/null").arg(fd)), qPrintable(lines.join(u'\n')));
        QCOMPARE(lines.last(), QStringLiteral("box Run-time error '13':||Type mismatch"));
    }

    // One warning for each described face the system lacks, and the program goes on.
    void missingFonts_data()
    {
        QTest::addColumn<QString>("fontFolders");
        QTest::addColumn<QStringList>("warned");
        QTest::newRow("only DejaVu Sans") << "<dir>/usr/share/fonts/truetype/dejavu</dir>"
            << QStringList { "Liberation Sans", "Liberation Sans Narrow", "P052", "Comic Neue" };
        QTest::newRow("no fonts at all") << ""
            << QStringList { "DejaVu Sans", "Liberation Sans", "Liberation Sans Narrow", "P052", "Comic Neue" };
        QTest::newRow("every face installed") << "<include>/etc/fonts/fonts.conf</include>" << QStringList();
    }
    void missingFonts()
    {
        QFETCH(QString, fontFolders);
        QFETCH(QStringList, warned);
        const QString config = scratch.filePath(QStringLiteral("fonts-%1.conf").arg(QTest::currentDataTag()));
        QFile file(config);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QStringLiteral("<?xml version=\"1.0\"?>\n<fontconfig>%1<cachedir>%2</cachedir></fontconfig>\n")
                       .arg(fontFolders, scratch.filePath(QStringLiteral("font-cache")))
                       .toUtf8());
        file.close();
        const Ended end = offscreen(PROBE, { QStringLiteral("close") }, {}, { { "FONTCONFIG_FILE", config } });
        QVERIFY(!end.crashed);
        QCOMPARE(end.status, 0);
        QCOMPARE(warnedFaces(end.errors), warned);
    }

    // Races nested as deep as the runtime allows fit whatever stack the limit
    // gives: the bound follows it. Below the runtime's own reserve, events
    // still run one level deep: Load places the cars, and the race clicked
    // during another race still ends where it should.
    void smallStack_data()
    {
        QTest::addColumn<int>("kib");
        for (const int kib : { 1024, 640, 512, 256 })
            QTest::addRow("%d KiB", kib) << kib;
    }
    void smallStack()
    {
        QFETCH(int, kib);
        const Ended end = offscreen(CHASE_RACE, { QStringLiteral("nestingIsBounded") }, [kib] {
            const rlimit stack { rlim_t(kib) * 1024, rlim_t(kib) * 1024 };
            setrlimit(RLIMIT_STACK, &stack);
        }, { { "QTEST_DISABLE_CRASH_HANDLER", "1" } });
        QVERIFY2(!end.crashed, qPrintable(end.errors));
        QCOMPARE(end.status, 0);
    }
};

QTEST_GUILESS_MAIN(Startup)
#include "test_startup.moc"
