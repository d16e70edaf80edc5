// The system clock's local time beside Qt's, under zones far from UTC, across
// their offset changes and when TZ changes; and DoEventsUntil on a manual clock
// whose idle waits last their whole limit: how long it sleeps, across midnight.
#include <opened.h>
#include <testing.h>

#include <forms/form.h>

#include <QTest>
#include <QTimeZone>

#include <cstdlib>
#include <ctime>

using namespace std::chrono_literals;

namespace {

// Sets TZ for the process, as a user's shell would, and puts back the value
// before when destroyed. It does not tell the C library: the clock must notice.
class Zone {
public:
    explicit Zone(const QByteArray& zone)
        : had_(qEnvironmentVariableIsSet("TZ"))
        , before_(qgetenv("TZ"))
    {
        qputenv("TZ", zone);
    }
    ~Zone()
    {
        if (had_)
            qputenv("TZ", before_);
        else
            qunsetenv("TZ");
        tzset();
    }

private:
    bool had_;
    QByteArray before_;
};

// The wall-clock reading of a local time, as milliseconds on a scale of its own.
qint64 wall(const QDateTime& t) { return QDateTime(t.date(), t.time(), Qt::UTC).toMSecsSinceEpoch(); }

QByteArray describe(const QDateTime& ours, const QDateTime& qt)
{
    return (ours.toString(Qt::ISODateWithMs) + QStringLiteral(" read, Qt reads ") + qt.toString(Qt::ISODateWithMs)).toUtf8();
}

forms::Description bareDescription()
{
    return { .window = { .name = "Form1", .caption = "Wait", .clientWidth = 2400, .clientHeight = 1200 }, .controls = {} };
}

}  // namespace

class TestClock : public QObject {
    Q_OBJECT

private slots:
    void localTimeAcrossOffsetChanges_data()
    {
        QTest::addColumn<QByteArray>("zone");
        QTest::addColumn<int>("changes");  // offset changes in the year swept
        QTest::newRow("Kiritimati, UTC+14") << QByteArray("Pacific/Kiritimati") << 0;
        QTest::newRow("St John's, UTC-3:30 and -2:30") << QByteArray("America/St_Johns") << 2;
        QTest::newRow("Lord Howe, half-hour summer time") << QByteArray("Australia/Lord_Howe") << 2;
        QTest::newRow("Athens") << QByteArray("Europe/Athens") << 2;
        QTest::newRow("UTC") << QByteArray("UTC") << 0;
    }

    // Forward through a year, then forward and backward through each offset change
    // a quarter second at a time: every reading gives the instant asked for and the
    // date and time Qt's own conversion gives.
    void localTimeAcrossOffsetChanges()
    {
        QFETCH(QByteArray, zone);
        QFETCH(int, changes);
        const Zone scope(zone);
        forms::LocalTime local;
        const QDateTime from(QDate(2026, 1, 1), QTime(0, 0), Qt::UTC);
        const QDateTime to(QDate(2027, 1, 1), QTime(0, 0), Qt::UTC);

        int wrong = 0;
        QByteArray first;
        auto check = [&](qint64 utcMs) {
            const QDateTime ours = local.at(utcMs);
            const QDateTime qt = QDateTime::fromMSecsSinceEpoch(utcMs, Qt::LocalTime);
            if (ours.toMSecsSinceEpoch() != utcMs || ours.date() != qt.date() || ours.time() != qt.time()) {
                if (!wrong++)
                    first = describe(ours, qt);
            }
        };
        for (qint64 t = from.toMSecsSinceEpoch(); t < to.toMSecsSinceEpoch(); t += (7 * 3600 + 13 * 60 + 17) * 1000 + 250)
            check(t);
        const auto transitions = QTimeZone(zone).transitions(from, to);
        QCOMPARE(int(transitions.size()), changes);
        for (const auto& change : transitions) {
            const qint64 at = change.atUtc.toMSecsSinceEpoch();
            for (qint64 t = at - 90'000; t <= at + 90'000; t += 250)
                check(t);
            for (qint64 t = at + 90'000; t >= at - 90'000; t -= 250)
                check(t);
        }
        QVERIFY2(!wrong, QByteArray::number(wrong) + " readings wrong, first: " + first);
    }

    void systemClockFollowsTz_data()
    {
        QTest::addColumn<QByteArray>("first");
        QTest::addColumn<QByteArray>("second");
        QTest::newRow("Kiritimati, then St John's") << QByteArray("Pacific/Kiritimati") << QByteArray("America/St_Johns");
        QTest::newRow("St John's, then Kiritimati") << QByteArray("America/St_Johns") << QByteArray("Pacific/Kiritimati");
        QTest::newRow("UTC, then Kolkata") << QByteArray("UTC") << QByteArray("Asia/Kolkata");
    }

    // The system clock reads what QDateTime::currentDateTime() reads, and a change
    // of TZ shows at the next reading, not a minute later.
    void systemClockFollowsTz()
    {
        QFETCH(QByteArray, first);
        QFETCH(QByteArray, second);
        forms::SystemClock clock;
        auto same = [&](const char* when) {
            // Ours first: had it not told the C library of a new TZ, Qt would have.
            const QDateTime ours = clock.now();
            const QDateTime qt = QDateTime::currentDateTime();
            QVERIFY2(std::abs(wall(qt) - wall(ours)) < 1000 && ours.offsetFromUtc() == qt.offsetFromUtc(),
                     QByteArray(when) + ": " + describe(ours, qt));
        };
        {
            const Zone a(first);
            same("first zone");
            const Zone b(second);
            same("second zone");
        }
        same("zone as before the test");
    }

    // The race's waits are measured on the clock that no one sets: its reading
    // falls between two readings of the system's CLOCK_MONOTONIC, which a step
    // of the wall clock (NTP, a manual change) never moves.
    void monotonicIsTheSystemsSteadyClock()
    {
        const auto steady = [] {
            timespec ts {};
            clock_gettime(CLOCK_MONOTONIC, &ts);
            return std::chrono::seconds(ts.tv_sec) + std::chrono::nanoseconds(ts.tv_nsec);
        };
        forms::SystemClock clock;
        const auto before = steady();
        const auto reading = clock.monotonic();
        const auto after = steady();
        QVERIFY2(before <= reading && reading <= after,
                 qPrintable(QStringLiteral("%1 ns, outside [%2, %3]").arg(reading.count()).arg(before.count()).arg(after.count())));
    }

    void waitSleepsUntilItsDeadline_data()
    {
        QTest::addColumn<QTime>("start");
        QTest::addColumn<double>("deadline");  // a Timer() value
        QTest::addColumn<int>("slept");        // ms
        QTest::newRow("half a second") << QTime(12, 0) << 43200.5 << 500;
        QTest::newRow("0.17 s, summed with rounding") << QTime(1, 0, 0, 313) << 3600.313 + 0.17 << 170;
        QTest::newRow("past midnight") << QTime(23, 59, 59, 900) << 86399.9 + 0.17 << 170;
        QTest::newRow("past midnight, from after it") << QTime(0, 0, 0, 30) << 86399.9 + 0.17 << 40;
        QTest::newRow("from midnight") << QTime(0, 0) << 0.17 << 170;
        QTest::newRow("under a millisecond") << QTime(12, 0) << 43200.0004 << 1;
        QTest::newRow("now: the next reading") << QTime(12, 0) << 43200.0 << 1;
        QTest::newRow("passed before midnight: not a day") << QTime(0, 0, 0, 50) << 86399.95 << 1;
    }

    // With nothing pending, one idle wait that ends at the deadline on the clock
    // that restarts at midnight; at the deadline or past it, the clock's next tick.
    void waitSleepsUntilItsDeadline()
    {
        QFETCH(QTime, start);
        QFETCH(double, deadline);
        QFETCH(int, slept);
        auto form = forms::testing::openDescription(
            bareDescription(), { .stage = forms::testing::Stage::Built, .idleStep = 0ms, .at = QDateTime(QDate(2026, 12, 8), start) });
        QCoreApplication::processEvents();  // what building the window posted
        const QDateTime before = form.clock().now();
        form->DoEventsUntil(deadline);
        QCOMPARE(before.msecsTo(form.clock().now()), qint64(slept));
        QCOMPARE(form.clock().idleWaits, 1);
    }
};

QTEST_MAIN(TestClock)
#include "test_clock.moc"
