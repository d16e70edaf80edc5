// What every program goes through outside its window: run() from start to
// exit status, the standard error reporter's words, and the system clock.
#include <forms/errors.h>
#include <forms/form.h>
#include <forms/reporter.h>

#include "process.h"
#include "testing.h"

#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <ctime>
#include <utility>

using namespace std::chrono_literals;
using forms::RuntimeError;
using forms::testing::Ended;

Q_DECLARE_METATYPE(RuntimeError::Number)

namespace {

// The probe, told `how` to end, on the offscreen platform; run() kills it
// after 30 s, since a program whose loop goes on after the end would never stop.
forms::testing::Child probe(const QString& how)
{
    forms::testing::Child child(QStringLiteral(PROBE), { how });
    child.set("QT_QPA_PLATFORM", "offscreen");
    return child;
}

}  // namespace

class Run : public QObject {
    Q_OBJECT

private slots:
    // run() builds the form, raises Load before the window shows, runs the event
    // loop and returns the status the program ended with: 0 when closed, 1 after
    // a run-time error in Load (the window never shows) or in a handler the event
    // loop runs, which ends the loop at once.
    void runFromStartToEnd_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<int>("status");
        QTest::addColumn<QStringList>("said");
        QTest::addColumn<QString>("errors");
        const QString load = QStringLiteral("load probe 1.2.3 forms-probe, window not shown");
        QTest::newRow("closed") << "close" << 0 << QStringList { load, "shown", "status 0" } << "";
        QTest::newRow("error in Load") << "load-error" << 1
                                       << QStringList { load, "report probe 6 without a window", "status 1" } << "";
        QTest::newRow("error in the event loop")
            << "timer-error" << 1 << QStringList { load, "shown", "timer", "box dismissed", "status 1" }
            << "probe: run-time error 11: Division by zero\n";
    }
    void runFromStartToEnd()
    {
        QFETCH(QString, how);
        QFETCH(int, status);
        QFETCH(QStringList, said);
        QFETCH(QString, errors);
        // Only the runtime's own words on stderr, not Qt's notes about the platform.
        const Ended end = probe(how).set("QT_LOGGING_RULES", "*.warning=false").run(30s);
        QVERIFY2(end.finished, "the probe did not end within 30 s");
        QVERIFY(!end.crashed);
        QCOMPARE(end.out.split(u'\n', Qt::SkipEmptyParts), said);
        QCOMPARE(end.status, status);
        QCOMPARE(end.errors, errors);
    }

    // The window's description names the program as its menu entry does in the
    // desktop's language, for a screen reader to say beside the caption.
    void windowSaysWhichProgram_data()
    {
        QTest::addColumn<QString>("lang");
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("described");
        QTest::newRow("Greek") << "el_GR.UTF-8" << "" << "Δοκιμή";
        QTest::newRow("English") << "en_US.UTF-8" << "" << "Probe program";
        QTest::newRow("C") << "C.UTF-8" << "" << "Probe program";
        QTest::newRow("Greek messages first") << "en_US.UTF-8" << "el:en" << "Δοκιμή";
    }
    void windowSaysWhichProgram()
    {
        QFETCH(QString, lang);
        QFETCH(QString, language);
        QFETCH(QString, described);
        forms::testing::Child child = probe(QStringLiteral("describe"));
        child.unset({ "LC_ALL", "LC_MESSAGES", "LANGUAGE" }).set("LANG", lang);
        if (!language.isEmpty())
            child.set("LANGUAGE", language);
        const Ended end = child.run(30s);
        QVERIFY(end.finished);
        const QStringList said = end.out.split(u'\n', Qt::SkipEmptyParts);
        QVERIFY2(said.contains("described " + described), qPrintable(said.join(u'|')));
        QCOMPARE(end.status, 0);
    }

    // The words of every error number, on the log and in the box.
    void reporterTexts_data()
    {
        QTest::addColumn<RuntimeError::Number>("number");
        QTest::addColumn<QString>("program");
        QTest::addColumn<QString>("words");  // after "run-time error <number>"
        QTest::newRow("5") << RuntimeError::InvalidOperation << "chase" << "Invalid floating-point operation";
        QTest::newRow("6") << RuntimeError::Overflow << "chase" << "Overflow";
        QTest::newRow("11") << RuntimeError::DivisionByZero << "chase2" << "Division by zero";
        QTest::newRow("13") << RuntimeError::TypeMismatch << "ΩΡΑ" << "Type mismatch";
        QTest::newRow("380") << RuntimeError::InvalidPropertyValue << "chase" << "Invalid property value";
    }
    void reporterTexts()
    {
        QFETCH(RuntimeError::Number, number);
        QFETCH(QString, program);
        QFETCH(QString, words);
        const QString tag = QString::fromLatin1(QTest::currentDataTag());  // the number as the user reads it
        const QString logged = program + QStringLiteral(": run-time error ") + tag + QStringLiteral(": ") + words;
        const QString boxed = QStringLiteral("Run-time error '") + tag + QStringLiteral("':\n\n") + words;
        const RuntimeError error(number);
        QCOMPARE(forms::StandardReporter::logLine(program, error), logged);
        QCOMPARE(forms::StandardReporter::boxText(error), boxed);

        // report() writes the line to its log and shows a modal box over the
        // window, with the program's name as its title and the critical icon.
        std::FILE* log = std::tmpfile();
        QVERIFY(log);
        QWidget window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        bool seen = false;
        QTimer watcher;
        QObject::connect(&watcher, &QTimer::timeout, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box || std::exchange(seen, true))
                return;
            box->accept();
            QCOMPARE(box->windowTitle(), program);
            QCOMPARE(box->text(), boxed);
            QCOMPARE(box->icon(), QMessageBox::Critical);
            QCOMPARE(box->standardButtons(), QMessageBox::StandardButtons(QMessageBox::Ok));
            QCOMPARE(box->parentWidget(), &window);
            QVERIFY(box->isModal());
        });
        watcher.start(0);
        forms::StandardReporter(log).report(program, error, &window);
        watcher.stop();

        QVERIFY2(seen, "report() showed no box");
        std::rewind(log);
        char buffer[256] = {};
        const size_t read = std::fread(buffer, 1, sizeof buffer - 1, log);
        std::fclose(log);
        QCOMPARE(QString::fromUtf8(buffer, qsizetype(read)), logged + u'\n');
    }

    // The system clock tells the local wall-clock time of the zone TZ names,
    // however far from UTC: within two seconds of what the C library says.
    void systemClockFollowsTheZone_data()
    {
        QTest::addColumn<QByteArray>("zone");
        QTest::addColumn<int>("offsetMinutes");  // east of UTC; zones without daylight saving time
        QTest::newRow("Kiritimati, UTC+14") << QByteArray("Pacific/Kiritimati") << 14 * 60;
        QTest::newRow("Marquesas, UTC-9:30") << QByteArray("Pacific/Marquesas") << -(9 * 60 + 30);
        QTest::newRow("Kathmandu, UTC+5:45") << QByteArray("Asia/Kathmandu") << 5 * 60 + 45;
    }
    void systemClockFollowsTheZone()
    {
        QFETCH(QByteArray, zone);
        QFETCH(int, offsetMinutes);
        // In a child, so that this process keeps its zone.
        const auto end = forms::testing::runInChild([&] {
            setenv("TZ", zone.constData(), 1);
            tzset();
            const forms::SystemClock clock;
            const std::time_t before = std::time(nullptr);
            const QDateTime now = clock.now();
            std::tm local {};
            localtime_r(&before, &local);
            // Wall-clock readings compared as such, whatever zone a QDateTime carries.
            const auto wall = [](QDate day, QTime time) { return QDateTime(day, time, Qt::UTC).toMSecsSinceEpoch(); };
            const qint64 shown = wall(now.date(), now.time());
            const qint64 expected = wall(QDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday),
                                         QTime(local.tm_hour, local.tm_min, local.tm_sec));
            std::fprintf(stderr, "%lld %lld", static_cast<long long>(shown - expected),
                         static_cast<long long>(shown - qint64(before) * 1000));
        });
        QCOMPARE(end.status, 0);
        const QStringList numbers = end.errors.split(u' ');
        QCOMPARE(numbers.size(), 2);
        const qint64 fromLocalTime = numbers[0].toLongLong(), fromUtc = numbers[1].toLongLong();
        QVERIFY2(fromLocalTime >= 0 && fromLocalTime < 2000, qPrintable(numbers[0]));
        const qint64 offset = qint64(offsetMinutes) * 60 * 1000;
        QVERIFY2(fromUtc >= offset && fromUtc < offset + 2000, qPrintable(numbers[1]));
    }
};

QTEST_MAIN(Run)
#include "test_run.moc"
