// The race's wait on a manual clock whose idle waits last until their deadline,
// as the system clock's do when no event comes: one sleep per step, nested races
// sleeping to their own deadlines, pictures read and repainted only as needed.
#include "race.h"

#include <QFile>

using namespace race_testing;

namespace {

// When each step of a race started at `from` (ms since midnight) comes, in ms
// from `from`: at the first reading of the millisecond clock at which the
// race's own test, Timer() - t0 >= 0.17 in doubles, passes. That is 170 ms
// after t0, or 171 when the two readings' difference falls short of 0.17 in the
// last place; the runtime then sleeps one more millisecond.
std::vector<qint64> stepTimes(qint64 from, int steps)
{
    std::vector<qint64> times;
    qint64 t0 = from;
    for (int step = 0; step < steps; ++step) {
        qint64 m = 170;
        for (;; ++m) {
            double elapsed = double((t0 + m) % 86'400'000) / 1000.0 - double(t0 % 86'400'000) / 1000.0;
            if (elapsed < 0)
                elapsed += 86400;
            if (elapsed >= 0.17)
                break;
        }
        t0 += m;
        times.push_back(t0 - from);
    }
    return times;
}

// Idle waits of those steps: one sleep to the deadline, and one more for each 171.
int sleeps(const std::vector<qint64>& times)
{
    int n = 0;
    for (size_t i = 0; i < times.size(); ++i)
        n += 1 + (times[i] - (i ? times[i - 1] : 0) > 170);
    return n;
}

}  // namespace

class TestRaceWait : public QObject {
    Q_OBJECT

private slots:
    // First, before anything else in this process could load an image plugin: the
    // BMP pictures are read by Qt itself, and no other format's plugin is asked.
    void picturesReadWithoutImagePlugins()
    {
        Race race("chase2", Race::Showing);
        QFile maps(QStringLiteral("/proc/self/maps"));
        QVERIFY(maps.open(QIODevice::ReadOnly));
        const QByteArray mapped = maps.readAll();
        QVERIFY2(!mapped.contains("/imageformats/") && !mapped.contains("libjpeg"), "an image-format plugin is loaded");
        QCOMPARE(race.A1->picture().size(), QSize(30, 68));
    }

    // Every program's races with 2 and 3, and one that divides by zero.
    void oneSleepPerStep_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QString>("factor");
        for (const auto& [program, facts] : chaseFacts())
            for (const char* factor : { "2", "3", "0" })
                QTest::addRow("%s %s", qPrintable(program), factor) << program << factor;
    }
    // Each step sleeps once, until 0.17 s after its t0.
    void oneSleepPerStep()
    {
        QFETCH(QString, program);
        QFETCH(QString, factor);
        const int error = factor == "0" ? RuntimeError::DivisionByZero : 0;
        const int steps = error ? 1 : chaseFacts().at(program).races.at(factor).steps;
        const int end = error ? 0 : chaseFacts().at(program).races.at(factor).last.a1;
        Race race(program, Race::Loaded, 0ms);
        const qint64 from = race.clock.now().time().msecsSinceStartOfDay();
        race.start(factor);
        const std::vector<qint64> times = stepTimes(from, steps);
        QCOMPARE(race.elapsedMs(), times.back());
        QCOMPARE(race.clock.idleWaits, sleeps(times));
        QCOMPARE(race.opened.takeErrors(), error ? Errors { RuntimeError::Number(error) } : Errors {});
        if (!error)
            QCOMPARE(race.shown(), (Shown { end, end }));
    }

    // A click 100 ms into the third wait runs a race that sleeps its own 54 steps;
    // the outer race, its deadline long passed, steps at once when it ends and then
    // sleeps 0.17 s a step again. Each look at the window ends one sleep early.
    void nestedRacesSleepToTheirOwnDeadlines()
    {
        Race race("chase", Race::Loaded, 0ms);
        const qint64 noon = 12 * 3600 * 1000;
        const std::vector<qint64> outerFirst = stepTimes(noon, 2);
        const qint64 clickAt = outerFirst.back() + 100;
        const std::vector<qint64> inner = stepTimes(noon + clickAt, 54);
        const qint64 innerEnd = clickAt + inner.back();
        const std::vector<qint64> outerRest = stepTimes(noon + innerEnd, 51);

        std::vector<std::pair<int, Shown>> seen;
        auto look = [&] { seen.push_back({ race.form->nesting(), race.shown() }); };
        auto at = [&](qint64 ms, std::function<void()> action) { race.clock.after(std::chrono::milliseconds(ms), std::move(action)); };
        at(clickAt, [&] { race.click(); });
        at(clickAt + inner[2] + 1, look);      // inner step 3 done
        at(innerEnd + 1, look);                // outer step 3 done at once
        at(innerEnd + outerRest[0] + 1, look); // outer step 4 done
        race.start(QStringLiteral("2"));

        const std::vector<std::pair<int, Shown>> expected = {
            { 2, { 7170, 7665 } }, { 1, { 7170, 7665 } }, { 1, { 7665, 7912 } }
        };
        QCOMPARE(seen, expected);
        QCOMPARE(race.elapsedMs(), innerEnd + outerRest.back());
        QCOMPARE(race.clock.idleWaits, sleeps(outerFirst) + 1 + sleeps(inner) + sleeps(outerRest) + 3);
        QCOMPARE(race.shown(), (Shown { 8160, 8160 }));
    }

    // Once both pictures have reached their last pixels (step 14 of the race with 2),
    // the forty steps left move nothing and repaint nothing.
    void stillPicturesAreNotRepainted()
    {
        Race race("chase", Race::Showing, 0ms);
        struct Counter final : QObject {
            int paints = 0;
            bool eventFilter(QObject*, QEvent* e) override
            {
                paints += e->type() == QEvent::Paint;
                return false;
            }
        } counter;
        race.form->surface().installEventFilter(&counter);
        int moving = -1;
        race.clock.after(14 * 170ms + 85ms, [&] {
            moving = counter.paints;
            counter.paints = 0;
        });
        race.start(QStringLiteral("2"));
        QCOMPARE(race.shown(), (Shown { 8160, 8160 }));
        QVERIFY2(moving >= 9, qPrintable(QString::number(moving)));  // b2 moves a pixel or more in steps 1 to 9
        QCOMPARE(counter.paints, 0);
    }
};

QTEST_MAIN(TestRaceWait)
#include "test_race_wait.moc"
