// The pursuit race of chase and chase2, driven through the real window on a
// manual clock: traces, errors, edits and clicks during a race, the stall band,
// midnight, closing and nesting.
#include "race.h"

#include <QMap>

#include <cmath>

using namespace race_testing;
using forms::testing::currentProgram;

namespace {

// The loop as it stands without the end for stalled races: its step count and
// last shown positions, or -1 steps when it does not end within `limit` steps.
RaceEnd literalRace(double startA1, double startB2, double factor, int limit = 10000)
{
    double posA1 = startA1, posB2 = startB2;
    for (int step = 1; step <= limit; ++step) {
        const double prevA1 = posA1;
        posA1 = posB2;
        posB2 = (posB2 - prevA1) / factor + posB2;
        if (!(posA1 < posB2))
            return { step, { int(std::nearbyint(posA1)), int(std::nearbyint(posB2)) } };
    }
    return { -1, {} };
}

const ChaseFacts& facts() { return chaseFacts().at(forms::testing::currentProgram()); }

// The factors whose races fail, with the error each raises before anything moves.
const QMap<QString, std::pair<QString, int>> failing {
    { "zero", { "0", 11 } },         // division by zero
    { "abc", { "abc", 13 } },        // type mismatch
    { "empty", { "", 13 } },
    // The quotient leaves the double range: a floating-point overflow.
    { "1E-305", { "1E-305", 6 } },
};

}  // namespace

class TestChase : public forms::testing::FamilyTest {
    Q_OBJECT

public:
    TestChase() : FamilyTest("chase", chaseFacts()) {}

private slots:
    // Load runs through the real start sequence (load, then show) and changes
    // nothing visible. After a race, a click puts both pictures back at the start
    // before the first wait, and the same race runs again.
    void startPositions_data() { addProgramRows(); }
    void startPositions()
    {
        const Shown start = facts().start;
        Race race(currentProgram(), Race::Showing);
        QCOMPARE(int(*race.startA1), start.a1);
        QCOMPARE(int(*race.startB2), start.b2);
        QCOMPARE(race.shown(), start);
        QVERIFY(!race.form->exitStatus());

        const std::vector<Shown> first = race.run("3");
        QVERIFY(first.back() != start);
        std::vector<Shown> atFirstWait;
        race.clock.after(50ms, [&] { atFirstWait.push_back(race.shown()); });
        const std::vector<Shown> second = race.run("3");
        QCOMPARE(atFirstWait, std::vector<Shown>({ start }));
        QCOMPARE(second, first);
    }

    // How each factor's race ends, and the stored run with "2" row by row. 1.5
    // lies in the band where the loop's exit test is never met: the race still
    // ends, at the point both positions approach. With 1 both pictures move the
    // start distance at each step until b2's position no longer fits 16 bits: A1
    // is set, b2 keeps its step-7 place. Every other factor's race ends by the
    // exit test.
    void factorOutcomes_data() { addProgramRows({ "1", "2", "3", "10", "-2", "1E300", "1.5" }, "factor"); }
    void factorOutcomes()
    {
        QFETCH(QString, factor);
        const ChaseFacts& f = facts();
        const RaceEnd expected = f.races.at(factor);
        Race race(currentProgram());
        QCOMPARE(literalRace(*race.startA1, *race.startB2, factor.toDouble(), 100000).steps,
                 factor == "1.5" || factor == "1" ? -1 : expected.steps);
        const std::vector<Shown> trace = race.run(factor);
        QCOMPARE(race.steps(), expected.steps);
        QCOMPARE(qsizetype(trace.size()), expected.steps + 1);
        QCOMPARE(trace.back(), expected.last);
        if (factor == "2")
            for (const auto& [step, shown] : f.withTwo)
                QCOMPARE(trace[size_t(step)], shown);
        if (factor == "1")
            for (size_t step = 1; step < 8; ++step) {
                QCOMPARE(trace[step].a1 - trace[step - 1].a1, f.overflowDistance);
                QCOMPARE(trace[step].b2 - trace[step - 1].b2, f.overflowDistance);
            }
        QCOMPARE(race.opened.takeErrors(),
                 expected.error ? Errors { RuntimeError::Number(expected.error) } : Errors {});
        QCOMPARE(race.form->exitStatus(), expected.error ? std::optional<int>(1) : std::nullopt);
    }

    // A race first leaves the pictures at its end; the failing race puts them back
    // at the start, waits once and stops with the error, nothing moved.
    void runtimeErrors_data() { addProgramRows(failing.keys(), "factor"); }
    void runtimeErrors()
    {
        QFETCH(QString, factor);
        const auto [text, error] = failing.value(factor);
        const Shown start = facts().start;
        Race race(currentProgram());
        race.run("2");
        QVERIFY(race.shown() != start);

        const std::vector<Shown> trace = race.run(text);
        QCOMPARE(race.steps(), 1);
        QCOMPARE(race.opened.takeErrors(), Errors { RuntimeError::Number(error) });
        QCOMPARE(race.form->exitStatus(), std::optional<int>(1));
        QCOMPARE(trace.back(), start);
    }

    // FASTER typed over from 2 to 10 in the wait before step 4: step 4 already
    // moves the leader a tenth of the chaser's distance.
    void editDuringRace_data() { addProgramRows(); }
    void editDuringRace()
    {
        const ChaseFacts& f = facts();
        Race race(currentProgram());
        race.clock.after(3 * stepTime + 100ms, [&] {
            QTest::keyClick(race.edit(), Qt::Key_A, Qt::ControlModifier);
            QTest::keyClicks(race.edit(), QStringLiteral("10"));
        });
        const std::vector<Shown> trace = race.run("2");
        QCOMPARE(race.FASTER->text(), QStringLiteral("10"));
        QCOMPARE(trace[3], f.editStep3);
        QCOMPARE(trace[4], (Shown { f.editStep3.b2, f.editStep4B2 }));
        QCOMPARE(trace[5].b2, f.editStep5B2);
        QCOMPARE(trace.back(), (Shown { f.editEnd, f.editEnd }));
        QCOMPARE(race.steps(), 19);
    }

    // A click in the wait before step 3 runs a whole race inside it; the first
    // race then goes on from its own positions, not from the nested race's end.
    void clickDuringRace_data() { addProgramRows(); }
    void clickDuringRace()
    {
        const ChaseFacts& f = facts();
        Race race(currentProgram());
        const std::vector<Shown> outer = Race(currentProgram()).run("2");  // the same race without the click

        int deepest = 0;
        std::vector<Shown> seen;  // every change of what the window shows
        auto record = [&] {
            if (seen.empty() || seen.back() != race.shown())
                seen.push_back(race.shown());
            deepest = std::max(deepest, race.form->nesting());
        };
        race.clock.after(2 * stepTime + 100ms, [&] { race.click(); });
        const auto recorder = race.clock.every(10ms, record);
        race.run("2");
        record();

        // Outer steps 1 and 2, the nested race from the start to its end, then outer step 3 on.
        std::vector<Shown> expected(outer.begin(), outer.begin() + 3);
        expected.insert(expected.end(), outer.begin(), outer.end());
        expected.insert(expected.end(), outer.begin() + 3, outer.end());
        expected.erase(std::unique(expected.begin(), expected.end()), expected.end());
        QCOMPARE(seen, expected);
        QCOMPARE(seen[3], f.start);
        QCOMPARE(race.shown(), f.races.at("2").last);
        QCOMPARE(deepest, 2);
        QCOMPARE(race.elapsedMs(), 2 * stepTime.count() + 100 + 54 * stepTime.count() + 51 * stepTime.count());
    }

    // Every factor from the stall band's lower edge up ends its race by itself.
    // Below 2 both pictures end together at the limit startB2 + (startB2 -
    // startA1) / (factor - 1); from 2 upward every race ends by its exit test, at
    // the same step and place as the loop without the end for stalled races.
    void factorSweep_data() { addProgramRows(); }
    void factorSweep()
    {
        const QString program = currentProgram();
        std::vector<double> factors = { 2.0, std::nextafter(2.0, 3.0), 1e3, 1e6, 1e300 };
        for (double factor = facts().stallBandLowest; factor < 2; factor += 0.0137)
            factors.push_back(factor);
        for (double factor = 2.0; factor <= 12; factor += 0.0625)
            factors.push_back(factor);
        for (double factor : factors) {
            Race race(program);
            bool gaveUp = false;
            race.clock.after(10min, [&] { gaveUp = true; race.form->close(); });
            const Shown last = race.run(QString::number(factor, 'g', 17)).back();
            QVERIFY2(!gaveUp, qPrintable(QString::number(factor)));
            if (factor < 2) {
                const double limit = *race.startB2 + (*race.startB2 - *race.startA1) / (factor - 1);
                QCOMPARE(last.a1, last.b2);
                QVERIFY2(std::fabs(last.a1 - limit) <= 1, qPrintable(QString::number(factor)));
            } else {
                const RaceEnd expected = literalRace(*race.startA1, *race.startB2, factor);
                QCOMPARE(race.steps(), expected.steps);
                QCOMPARE(last, expected.last);
            }
        }
    }

    void stallRule_data()
    {
        QTest::addColumn<double>("startLead");
        QTest::addColumn<QList<double>>("leads");
        QTest::addColumn<int>("stallsAt");  // 0: never
        QTest::newRow("shrinking") << 3.0 << QList<double>({ 1.5, 0.75, 0.375, 0.1875 }) << 0;
        QTest::newRow("steady above one twip") << 3960.0 << QList<double>({ 3960.0, 3960.0, 3960.0, 3960.0 }) << 0;
        QTest::newRow("growing above one twip") << 1.0 << QList<double>({ 2.0, 4.0, 8.0 }) << 0;
        QTest::newRow("unchanged once then shrinking") << 0.5 << QList<double>({ 0.25, 0.25, 0.125, 0.0625 }) << 0;
        QTest::newRow("unchanged twice") << 0.5 << QList<double>({ 0.25, 0.25, 0.25, 0.25 }) << 3;
        QTest::newRow("growing below one twip") << 0.5 << QList<double>({ 0.25, 0.3, 0.35 }) << 3;
        QTest::newRow("unchanged twice from one twip up") << 2.0 << QList<double>({ 1.0, 1.0, 1.0, 0.9, 0.9, 0.9 }) << 6;
        QTest::newRow("a shrink resets the count") << 0.5 << QList<double>({ 0.25, 0.25, 0.2, 0.2, 0.2 }) << 5;
    }

    void stallRule()
    {
        QFETCH(double, startLead);
        QFETCH(QList<double>, leads);
        QFETCH(int, stallsAt);
        chase::Stall stall(startLead);
        int stalled = 0;
        for (qsizetype step = 0; step < leads.size() && !stalled; ++step)
            if (stall.after(8000.0, 8000.0 + leads[step]))
                stalled = int(step) + 1;
        QCOMPARE(stalled, stallsAt);
    }

    void waitOnAFinerClock_data()
    {
        QTest::addColumn<QTime>("start");
        QTest::addColumn<QString>("factor");
        QTest::addColumn<int>("firstB2");  // b2's Left after step 1
        QTest::addColumn<int>("endDay");   // the day of December 2026 it ends on
        QTest::newRow("noon") << QTime(12, 0) << "3" << 5520 << 8;
        QTest::newRow("t0 within 0.17 s before midnight") << QTime(23, 59, 59, 900) << "2" << 6180 << 9;
        QTest::newRow("race across midnight") << QTime(23, 59, 55, 0) << "2" << 6180 << 9;
    }

    // On a finer clock: no step comes before 0.17 s, and each comes at the first
    // reading at or after it. The seconds-since-midnight clock restarts at 0: a
    // wait that spans midnight still ends 0.17 s after it began, and the race runs
    // all its steps.
    void waitOnAFinerClock()
    {
        QFETCH(QTime, start);
        QFETCH(QString, factor);
        QFETCH(int, firstB2);
        QFETCH(int, endDay);
        const RaceEnd expected = chaseFacts().at("chase").races.at(factor);
        Race race("chase", Race::Loaded, 10ms);
        race.clock.set(QDateTime(QDate(2026, 12, 8), start));
        bool gaveUp = false;
        race.clock.after(60s, [&] { gaveUp = true; race.form->close(); });
        std::vector<Shown> early, late;
        race.clock.after(165ms, [&] { early.push_back(race.shown()); });
        race.clock.after(185ms, [&] { late.push_back(race.shown()); });
        race.start(factor);
        QVERIFY(!gaveUp);
        QCOMPARE(early, std::vector<Shown>({ { 240, 4200 } }));
        QCOMPARE(late, std::vector<Shown>({ { 4200, firstB2 } }));
        const qint64 elapsed = race.elapsedMs();
        QVERIFY2(elapsed >= expected.steps * 170 && elapsed <= expected.steps * 180,
                 qPrintable(QString::number(elapsed)));
        QCOMPARE(race.clock.now().date(), QDate(2026, 12, endDay));
        QCOMPARE(race.shown(), expected.last);
    }

    // The pictures are drawn where Left puts them: at the start after a click, and
    // at the end of the race, the one stored later on top. Every step reaches the
    // window: where the pictures race (above FASTER and START) it shows what a
    // fresh paint shows, so no picture is left behind or missing.
    void racePicturesDrawn_data() { addProgramRows(); }
    void racePicturesDrawn()
    {
        const ChaseFacts& f = facts();
        Race race(currentProgram(), Race::Showing);
        auto trackIsCurrent = [&] {
            const QRect track(0, 0, race.form->surface().width(), 150);
            const QImage fresh = race.form->surface().grab().toImage().convertToFormat(QImage::Format_RGB32);
            return forms::testing::grabClient(*race.form).copy(track) == fresh.copy(track);
        };
        int steps = 0, current = 0;
        const auto checker = race.clock.every(stepTime, [&] {
            ++steps;
            current += trackIsCurrent();
        });
        // Line1 is drawn across the foot of chase2's A1: compare what lies above it.
        const int lineY = forms::toPixels(race.form->windowDescription().control("Line1").y1);
        auto drawnAt = [&](const forms::Image& image) {
            QRect r = image.rect();
            r.setBottom(std::min(r.bottom(), lineY - 1));
            const QImage picture = image.picture().toImage().convertToFormat(QImage::Format_RGB32);
            return forms::testing::grabClient(*race.form).copy(r) == picture.copy(0, 0, r.width(), r.height());
        };
        race.clock.after(50ms, [&] {
            QVERIFY(drawnAt(*race.A1));
            QVERIFY(drawnAt(*race.b2));
        });
        race.clock.after(5 * stepTime + 50ms, [&] { QCOMPARE(race.b2->rect().x(), f.step5Pixels); });
        race.run("2");
        QCOMPARE(race.A1->rect().x(), f.endPixels);
        QCOMPARE(race.b2->rect().x(), f.endPixels);
        QVERIFY(drawnAt(QString(f.onTop) == "A1" ? *race.A1 : *race.b2));
        QCOMPARE(steps, 54);
        QCOMPARE(current, 54);
        QVERIFY(trackIsCurrent());
    }

    void closeDuringRace_data()
    {
        addProgramRows({ "title bar", "Alt+F4", "title bar, nested", "Alt+F4, nested" }, "how");
    }

    // Closing while one race, or a race nested in another, waits: every race stops
    // at once, nothing moves after the close, and the program ends with status 0.
    void closeDuringRace()
    {
        QFETCH(QString, how);
        const bool altF4 = how.startsWith("Alt+F4"), nested = how.endsWith("nested");
        Race race(currentProgram(), Race::Showing);
        if (nested)
            race.clock.after(2 * stepTime + 100ms, [&] { race.click(); });
        std::optional<Shown> atClose;
        const auto closeAt = 5 * stepTime + 100ms;
        race.clock.after(closeAt, [&] {
            QVERIFY(race.form->nesting() == (nested ? 2 : 1));
            atClose = race.shown();
            race.close(altF4);
        });
        std::vector<Shown> trace = race.run("2");
        QVERIFY(atClose);
        QCOMPARE(race.form->exitStatus(), std::optional<int>(0));
        QVERIFY(!race.form->window()->isVisible());
        QCOMPARE(trace.back(), *atClose);
        QVERIFY(race.elapsedMs() < closeAt.count() + stepTime.count());
        QCOMPARE(race.form->nesting(), 0);
    }

    // Clicks as fast as the races wait: races nest up to the bound, deeper clicks
    // are ignored, and then every race runs to its end.
    void nestingIsBounded()
    {
        Race race("chase");
        int deepest = 0;
        int clicks = 0;
        const int wanted = forms::Form::maxNesting() + 50;
        auto clicker = race.clock.every(stepTime, [&] {
            deepest = std::max(deepest, race.form->nesting());
            if (clicks < wanted) {
                ++clicks;
                race.click();
            }
        });
        race.run("2");
        QCOMPARE(clicks, wanted);
        QCOMPARE(deepest, forms::Form::maxNesting());
        QCOMPARE(race.shown(), (Shown { 8160, 8160 }));
        QVERIFY(!race.form->exitStatus());
    }
};

QTEST_MAIN(TestChase)
#include "test_chase.moc"
