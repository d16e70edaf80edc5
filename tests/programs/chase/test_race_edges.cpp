// The race where the desktop meets it: a wall clock stepped back during a
// wait, the keypad's decimal key under either regional setting, a factor typed
// with a trailing separator; and what a race on the system clock asks of the
// kernel, traced by strace.
#include "race.h"

#include <process.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <csignal>
#include <unistd.h>

using namespace race_testing;

namespace {

// Every thread of this process is traced.
bool allTraced()
{
    const QDir tasks(QStringLiteral("/proc/self/task"));
    const QStringList ids = tasks.entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString& id : ids) {
        QFile status(tasks.filePath(id + QStringLiteral("/status")));
        if (!status.open(QIODevice::ReadOnly))
            return false;
        for (const QByteArray& line : status.readAll().split('\n'))
            if (line.startsWith("TracerPid:") && line.mid(10).trimmed() == "0")
                return false;
    }
    return !ids.isEmpty();
}

// A mark in the trace: a look for a file that is not there.
void mark(const char* name) { access(name, F_OK); }

// The system calls the trace shows between the two marks, one line each.
QList<QByteArray> callsBetween(const QByteArray& trace, const char* from, const char* to)
{
    QList<QByteArray> calls;
    bool inside = false;
    for (const QByteArray& line : trace.split('\n')) {
        if (line.contains(from))
            inside = true;
        else if (line.contains(to))
            break;
        // A call another thread interrupted shows twice: "<unfinished ...>" then "resumed>".
        else if (inside && line.contains('(') && !line.contains("resumed>"))
            calls << line;
    }
    return calls;
}

}  // namespace

class TestRaceEdges : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void clockStepsBack_data()
    {
        QTest::addColumn<int>("reading");  // the wall clock steps just after this reading of it
        QTest::addColumn<int>("back");     // by this many ms
        // The first readings of a race cover every place in a step: its t0, the
        // test that says "wait", and whatever the wait itself reads.
        for (int reading = 1; reading <= 8; ++reading)
            QTest::addRow("an hour back after reading %d", reading) << reading << 3'600'000;
        QTest::newRow("2 s back after reading 2") << 2 << 2000;
        QTest::newRow("2 s back after reading 5") << 5 << 2000;
    }

    // An NTP step, a manual change or the fall-back to winter time sets the wall
    // clock back, between any two readings: no wait sleeps longer than its step has
    // left on the monotonic clock, so the race takes its 54 steps in at most
    // 54 × 171 ms and ends where it always does. The idle waits last their whole
    // limit, as the system clock's do when no event comes.
    void clockStepsBack()
    {
        QFETCH(int, reading);
        QFETCH(int, back);
        Race race("chase", Race::Loaded, 0ms);
        race.FASTER->setText(QStringLiteral("2"));
        race.clock.stepAfterReadings(reading, -std::chrono::milliseconds(back));
        const std::chrono::nanoseconds start = race.clock.monotonic();
        race.click();
        const auto took = std::chrono::duration_cast<std::chrono::milliseconds>(race.clock.monotonic() - start);
        QVERIFY2(took <= 54 * 171ms, qPrintable(QStringLiteral("the race took %1 ms").arg(took.count())));
        QCOMPARE(race.shown(), (Shown { 8160, 8160 }));
    }

    void keypadDecimalKey_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<int>("key");           // the decimal key as the keyboard layout gives it, and its text
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("error");          // 0: the race runs
        const int keypad = Qt::KeypadModifier, mismatch = RuntimeError::TypeMismatch;
        QTest::newRow("Greek settings, US layout") << "el_GR" << int(Qt::Key_Period) << keypad << "1,5" << 0;
        QTest::newRow("Greek settings, Greek layout") << "el_GR" << int(Qt::Key_Comma) << keypad << "1,5" << 0;
        QTest::newRow("US settings, Greek layout") << "en_US" << int(Qt::Key_Comma) << keypad << "1.5" << 0;
        QTest::newRow("US settings, US layout") << "en_US" << int(Qt::Key_Period) << keypad << "1.5" << 0;
        // The main keyboard's keys type what they show, read by the regional rule.
        QTest::newRow("Greek settings, main period") << "el_GR" << int(Qt::Key_Period) << 0 << "1.5" << mismatch;
        QTest::newRow("US settings, main comma") << "en_US" << int(Qt::Key_Comma) << 0 << "1,5" << mismatch;
    }

    // 1, the decimal key and 5 typed into FASTER give the factor 1.5 whatever the
    // layout, as a spreadsheet takes them: the race runs its 88 steps to 12120.
    void keypadDecimalKey()
    {
        QFETCH(QString, locale);
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(QString, typed);
        QFETCH(int, error);
        QLocale::setDefault(QLocale(locale));
        Race race("chase", Race::Showing);
        QLineEdit* edit = race.edit();
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(edit, Qt::Key_1, Qt::KeypadModifier);
        for (const QTest::KeyAction action : { QTest::Press, QTest::Release })
            QTest::sendKeyEvent(action, edit, Qt::Key(key), QString(QChar(key)), Qt::KeyboardModifiers(modifiers));
        QTest::keyClick(edit, Qt::Key_5, Qt::KeypadModifier);
        QCOMPARE(edit->text(), typed);
        race.click();
        QCOMPARE(race.opened.takeErrors(), error ? Errors { RuntimeError::Number(error) } : Errors {});
        if (!error)
            QCOMPARE(race.shown(), (Shown { 12120, 12120 }));
    }

    // The keypad's Del key, with NumLock off, still deletes.
    void keypadDeleteStaysDelete()
    {
        QLocale::setDefault(QLocale(QStringLiteral("el_GR")));
        Race race("chase", Race::Showing);
        QLineEdit* edit = race.edit();
        edit->setText(QStringLiteral("32"));
        QTest::keyClick(edit, Qt::Key_Home);
        QTest::keyClick(edit, Qt::Key_Delete, Qt::KeypadModifier);
        QCOMPARE(edit->text(), QStringLiteral("2"));
    }

    void trailingSeparator_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("factor");
        QTest::newRow("en_US 2.") << "en_US" << "2.";
        QTest::newRow("el_GR 2,") << "el_GR" << "2,";
    }

    // A factor with nothing after its separator reads as the whole number: the race
    // runs as with 2, its 54 steps to 8160.
    void trailingSeparator()
    {
        QFETCH(QString, locale);
        QFETCH(QString, factor);
        QLocale::setDefault(QLocale(locale));
        Race race("chase");
        const std::vector<Shown> trace = race.run(factor);
        QCOMPARE(race.steps(), 54);
        QCOMPARE(trace[1], (Shown { 4200, 6180 }));
        QCOMPARE(race.shown(), (Shown { 8160, 8160 }));
    }

    // A race of 54 steps on the system clock, traced by strace from the click to its
    // end: reading the clock costs no system call and the zone file is not looked
    // at for it, so the race makes a few calls a step (to sleep and to draw), not
    // one a reading.
    void raceOnTheSystemClockAsksLittleOfTheKernel()
    {
        QTemporaryDir scratch;
        const QString tracePath = scratch.filePath(QStringLiteral("trace"));
        const auto form = forms::testing::openProgram<chase::Form1>("chase", { .systemClock = true });
        forms::testing::Child strace("strace", { "-f", "-o", tracePath, "-p", QString::number(getpid()) });
        QVERIFY2(strace.start(), "strace is not installed");
        QTRY_VERIFY_WITH_TIMEOUT(allTraced(), 30000);
        mark("/race-starts");
        QTest::mouseClick(form->START().widget(), Qt::LeftButton);
        mark("/race-ended");
        ::kill(pid_t(strace.process().processId()), SIGINT);  // detaches and ends
        QVERIFY(strace.process().waitForFinished(30000));
        QCOMPARE(form->A1().left(), 8160.0f);

        QFile file(tracePath);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QList<QByteArray> calls = callsBetween(file.readAll(), "/race-starts", "/race-ended");
        QVERIFY2(!calls.isEmpty(), "nothing traced");
        // The zone file is looked at only by the fallback that asks for the zone
        // once a minute: at most once in a race of 9 s.
        QList<QByteArray> zoneLooks;
        std::copy_if(calls.begin(), calls.end(), std::back_inserter(zoneLooks),
                     [](const QByteArray& call) { return call.contains("localtime"); });
        QVERIFY2(zoneLooks.size() <= 1, zoneLooks.join('\n').constData());
        QVERIFY2(calls.size() <= 54 * 4, qPrintable(QStringLiteral("%1 calls, the first: %2").arg(calls.size()).arg(
                                              QString::fromLatin1(calls.mid(0, 20).join('\n')))));
    }
};

QTEST_MAIN(TestRaceEdges)
#include "test_race_edges.moc"
