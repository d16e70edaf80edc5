// Every program as built answers --help and --version by itself: on stdout,
// with status 0 and nothing on stderr, on a machine with no display at all, so
// without ever starting Qt's window system. Any other argument goes to Qt.
#include "table.h"

#include <forms/text.h>

#include <process.h>

#include <QTest>

namespace {

const std::vector<forms::programs::Program>& programs() { return forms::programs::all(); }

using forms::testing::Child;
using forms::testing::Ended;

// Runs a program of build/bin with no display: no DISPLAY, no WAYLAND_DISPLAY,
// no QT_QPA_PLATFORM. Qt would fail at once if the program reached it.
Ended runHeadless(std::string_view executable, const QStringList& arguments, const QString& stdoutFile = {})
{
    Child child(QStringLiteral(PROGRAMS_DIR "/") + forms::qstring(executable), arguments);
    child.unset({ "DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM" });
    if (!stdoutFile.isEmpty())
        child.stdoutTo(stdoutFile);
    return child.run();
}

void addProgramRows()
{
    QTest::addColumn<int>("program");
    for (int i = 0; i < int(programs().size()); ++i)
        QTest::newRow(programs()[size_t(i)].executable.data()) << i;
}

}  // namespace

class CommandLineTest : public QObject {
    Q_OBJECT

private slots:
    void version_data() { addProgramRows(); }
    // "<command> <version>", whether alone or among Qt's own arguments (a
    // platform that does not exist would stop any program that went on to Qt).
    void version()
    {
        QFETCH(int, program);
        const forms::programs::Program& p = programs()[size_t(program)];
        const QString expected = QStringLiteral("%1 %2\n").arg(forms::qstring(p.command), QStringLiteral(VERSION));
        for (const QStringList& arguments : { QStringList { QStringLiteral("--version") },
                                              QStringList { QStringLiteral("-platform"), QStringLiteral("nosuchplatform"),
                                                            QStringLiteral("--version") } }) {
            const Ended o = runHeadless(p.executable, arguments);
            QCOMPARE(o.errors, QString());
            QVERIFY(!o.crashed);
            QCOMPARE(o.status, 0);
            QCOMPARE(o.out, expected);
        }
    }

    void help_data() { addProgramRows(); }
    // The usage: the installed command, what the program is, both options and
    // where every other argument goes.
    void help()
    {
        QFETCH(int, program);
        const forms::programs::Program& p = programs()[size_t(program)];
        const Ended o = runHeadless(p.executable, { QStringLiteral("--help") });
        QCOMPARE(o.errors, QString());
        QVERIFY(!o.crashed);
        QCOMPARE(o.status, 0);
        const QStringList lines = o.out.split(u'\n');
        QVERIFY2(lines.size() > 2, qPrintable(o.out));
        QCOMPARE(lines[0], QStringLiteral("Usage: %1 [--help | --version] [Qt option...]").arg(forms::qstring(p.command)));
        QCOMPARE(lines[1], forms::qstring(p.summary) + u'.');
        for (const char* option : { "  --help ", "  --version ", "-platform offscreen" })
            QVERIFY2(o.out.contains(QString::fromLatin1(option)), option);
        QVERIFY(o.out.contains(QStringLiteral("See %1(1).").arg(forms::qstring(p.command))));
    }

    // Near misses are not the options: they, and everything else, reach Qt,
    // which here stops at the platform asked for.
    void otherArgumentsGoToQt()
    {
        for (const char* other : { "--helpme", "-help", "--version=1", "-v" }) {
            const Ended o = runHeadless(programs()[0].executable,
                                          { QString::fromLatin1(other), QStringLiteral("-platform"), QStringLiteral("nosuchplatform") });
            QCOMPARE(o.out, QString());
            QVERIFY2(o.errors.contains(QStringLiteral("nosuchplatform")), qPrintable(o.errors));
            QVERIFY2(o.crashed || o.status != 0, other);
        }
    }

    // A full disk is reported, with status 1, rather than passed over.
    void unwritableOutputFails()
    {
        const Ended o = runHeadless(programs()[0].executable, { QStringLiteral("--version") }, QStringLiteral("/dev/full"));
        QVERIFY(!o.crashed);
        QCOMPARE(o.status, 1);
        QVERIFY2(o.errors.startsWith(forms::qstring(programs()[0].command) + QStringLiteral(": cannot write to standard output: ")),
                 qPrintable(o.errors));
    }
};

QTEST_GUILESS_MAIN(CommandLineTest)
#include "test_command_line.moc"
