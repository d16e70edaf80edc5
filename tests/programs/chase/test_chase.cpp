// The pursuit race of chase and chase2, driven through the real window on a
// manual clock: traces, errors, edits and clicks during a race, the stall band,
// midnight, closing and nesting.
#include "race.h"

#include <testing.h>

#include <QLineEdit>
#include <QTest>
#include <QWindow>

#include <cmath>
#include <memory>
#include <vector>

using namespace std::chrono_literals;
using forms::RuntimeError;
using namespace race_testing;

namespace {

// The loop as it stands without the end for stalled races: its step count and
// last shown positions, or -1 steps when it does not end within `limit` steps.
struct Literal {
    int steps;
    Shown last;
};
Literal literalRace(double startA1, double startB2, double factor, int limit = 10000)
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

// The builds, each with what a screen reader is given of its window at start.
const std::map<QString, forms::testing::AccessibleTree> builds {
    { "chase", { "Window Form1", {
        "Graphic Κίτρινη αγωνιστική φόρμουλα", "Graphic Πράσινο καρτούν αυτοκινητάκι",
        "StaticText Η φορμουλα ειναι ταχυτερη", "EditableText Η φορμουλα ειναι ταχυτερη",
        "Button start", "StaticText By zedrik40" } } },
    { "chase2", { "Window Form1", {
        "Graphic Φιγούρα αγοριού", "Graphic Φιγούρα κοριτσιού",
        "StaticText Η φορμουλα ειναι ταχυτερη", "EditableText Η φορμουλα ειναι ταχυτερη",
        "Button start", "StaticText By zedrik40" } } },
};

}  // namespace

class TestChase : public forms::testing::FamilyTest {
    Q_OBJECT

public:
    TestChase() : FamilyTest("chase", builds) {}

private slots:
    void loadRecordsStartPositions_data();
    void loadRecordsStartPositions();
    void workedTrace_data();
    void workedTrace();
    void factorOutcomes_data();
    void factorOutcomes();
    void runtimeErrors_data();
    void runtimeErrors();
    void overflowAtStepEight_data();
    void overflowAtStepEight();
    void waitLastsAtLeast017();
    void editDuringRace_data();
    void editDuringRace();
    void clickDuringRace_data();
    void clickDuringRace();
    void stallBandEnds_data();
    void stallBandEnds();
    void stallBandSweep_data();
    void stallBandSweep();
    void stepsUnchangedFromFactorTwoUp_data();
    void stepsUnchangedFromFactorTwoUp();
    void stallRule_data();
    void stallRule();
    void waitAcrossMidnight_data();
    void waitAcrossMidnight();
    void clickAfterRaceRestarts_data();
    void clickAfterRaceRestarts();
    void racePicturesDrawn_data();
    void racePicturesDrawn();
    void closeDuringRace_data();
    void closeDuringRace();
    void nestingIsBounded();
};

void TestChase::loadRecordsStartPositions_data()
{
    QTest::addColumn<QString>("build");
    QTest::addColumn<int>("a1");
    QTest::addColumn<int>("b2");
    QTest::newRow("chase") << "chase" << 240 << 4200;
    QTest::newRow("chase2") << "chase2" << 840 << 4440;
}

// Load runs through the real start sequence (load, then show) and changes nothing visible.
void TestChase::loadRecordsStartPositions()
{
    QFETCH(QString, build);
    QFETCH(int, a1);
    QFETCH(int, b2);
    Race race(build, Race::Showing);
    QCOMPARE(int(*race.startA1), a1);
    QCOMPARE(int(*race.startB2), b2);
    QCOMPARE(race.shown(), (Shown { a1, b2 }));
    QVERIFY(!race.form->exitStatus());
}

void TestChase::workedTrace_data()
{
    QTest::addColumn<QString>("build");
    QTest::addColumn<int>("step");
    QTest::addColumn<int>("a1");
    QTest::addColumn<int>("b2");
    const struct { const char* build; int step, a1, b2; } rows[] = {
        { "chase", 0, 240, 4200 }, { "chase", 1, 4200, 6180 }, { "chase", 2, 6180, 7170 },
        { "chase", 3, 7170, 7665 }, { "chase", 4, 7665, 7912 }, { "chase", 5, 7912, 8036 },
        { "chase", 13, 8159, 8160 }, { "chase", 14, 8160, 8160 }, { "chase", 54, 8160, 8160 },
        { "chase2", 0, 840, 4440 }, { "chase2", 1, 4440, 6240 }, { "chase2", 2, 6240, 7140 },
        { "chase2", 3, 7140, 7590 }, { "chase2", 4, 7590, 7815 }, { "chase2", 5, 7815, 7928 },
        { "chase2", 13, 8039, 8040 }, { "chase2", 14, 8040, 8040 }, { "chase2", 54, 8040, 8040 },
    };
    for (const auto& r : rows)
        QTest::addRow("%s step %d", r.build, r.step) << r.build << r.step << r.a1 << r.b2;
}

// The stored run with "2": the shown positions row by row, 54 steps in all.
void TestChase::workedTrace()
{
    QFETCH(QString, build);
    QFETCH(int, step);
    QFETCH(int, a1);
    QFETCH(int, b2);
    Race race(build);
    const std::vector<Shown> trace = race.run("2");
    QCOMPARE(race.steps(), 54);
    QCOMPARE(qsizetype(trace.size()), 55);
    QCOMPARE(trace[size_t(step)], (Shown { a1, b2 }));
    QVERIFY(race.ts.reporter.errors.empty());
}

void TestChase::factorOutcomes_data()
{
    QTest::addColumn<QString>("build");
    QTest::addColumn<QString>("factor");
    QTest::addColumn<int>("steps");
    QTest::addColumn<int>("a1");
    QTest::addColumn<int>("b2");
    QTest::newRow("chase 3") << "chase" << "3" << 34 << 6180 << 6180;
    QTest::newRow("chase 10") << "chase" << "10" << 16 << 4640 << 4640;
    QTest::newRow("chase -2") << "chase" << "-2" << 1 << 4200 << 2220;
    QTest::newRow("chase 1E300") << "chase" << "1E300" << 1 << 4200 << 4200;
    QTest::newRow("chase2 3") << "chase2" << "3" << 34 << 6240 << 6240;
    QTest::newRow("chase2 10") << "chase2" << "10" << 16 << 4840 << 4840;
    QTest::newRow("chase2 -2") << "chase2" << "-2" << 1 << 4440 << 2640;
    QTest::newRow("chase2 1E300") << "chase2" << "1E300" << 1 << 4440 << 4440;
}

void TestChase::factorOutcomes()
{
    QFETCH(QString, build);
    QFETCH(QString, factor);
    QFETCH(int, steps);
    QFETCH(int, a1);
    QFETCH(int, b2);
    Race race(build);
    const std::vector<Shown> trace = race.run(factor);
    QCOMPARE(race.steps(), steps);
    QCOMPARE(trace.back(), (Shown { a1, b2 }));
    QVERIFY(race.ts.reporter.errors.empty());
    QVERIFY(!race.form->exitStatus());
}

void TestChase::runtimeErrors_data()
{
    QTest::addColumn<QString>("build");
    QTest::addColumn<QString>("factor");
    QTest::addColumn<int>("error");
    QTest::addColumn<int>("a1");
    QTest::addColumn<int>("b2");
    const struct { const char* build; int a1, b2; } starts[] = { { "chase", 240, 4200 }, { "chase2", 840, 4440 } };
    for (const auto& s : starts) {
        QTest::addRow("%s zero", s.build) << s.build << "0" << 11 << s.a1 << s.b2;         // division by zero
        QTest::addRow("%s abc", s.build) << s.build << "abc" << 13 << s.a1 << s.b2;       // type mismatch
        QTest::addRow("%s empty", s.build) << s.build << "" << 13 << s.a1 << s.b2;
        // The quotient leaves the double range: a floating-point overflow, before anything moves.
        QTest::addRow("%s 1E-305", s.build) << s.build << "1E-305" << 6 << s.a1 << s.b2;
    }
}

// A race first leaves the pictures at its end; the failing race puts them back
// at the start, waits once and stops with the error, nothing moved.
void TestChase::runtimeErrors()
{
    QFETCH(QString, build);
    QFETCH(QString, factor);
    QFETCH(int, error);
    QFETCH(int, a1);
    QFETCH(int, b2);
    Race race(build);
    race.run("2");
    QVERIFY(race.shown() != (Shown { a1, b2 }));

    const std::vector<Shown> trace = race.run(factor);
    QCOMPARE(race.steps(), 1);
    QCOMPARE(race.ts.reporter.errors, std::vector<RuntimeError::Number>({ RuntimeError::Number(error) }));
    QCOMPARE(race.form->exitStatus(), std::optional<int>(1));
    QCOMPARE(trace.back(), (Shown { a1, b2 }));
}

void TestChase::overflowAtStepEight_data()
{
    QTest::addColumn<QString>("build");
    QTest::addColumn<int>("distance");
    QTest::addColumn<int>("a1");
    QTest::addColumn<int>("b2");
    QTest::newRow("chase") << "chase" << 3960 << 31920 << 31920;
    QTest::newRow("chase2") << "chase2" << 3600 << 29640 << 29640;
}

// With "1" both pictures move the start distance at each step until b2's
// position no longer fits 16 bits: A1 is set, b2 keeps its step-7 place.
void TestChase::overflowAtStepEight()
{
    QFETCH(QString, build);
    QFETCH(int, distance);
    QFETCH(int, a1);
    QFETCH(int, b2);
    Race race(build);
    const std::vector<Shown> trace = race.run("1");
    QCOMPARE(race.steps(), 8);
    for (size_t step = 1; step < 8; ++step) {
        QCOMPARE(trace[step].a1 - trace[step - 1].a1, distance);
        QCOMPARE(trace[step].b2 - trace[step - 1].b2, distance);
    }
    QCOMPARE(trace.back(), (Shown { a1, b2 }));
    QCOMPARE(race.ts.reporter.errors, std::vector<RuntimeError::Number>({ RuntimeError::Number(6) }));
    QCOMPARE(race.form->exitStatus(), std::optional<int>(1));
}

// On a finer clock: no step comes before 0.17 s, and each comes at the first
// reading at or after it.
void TestChase::waitLastsAtLeast017()
{
    Race race("chase", Race::Loaded, 10ms);
    race.FASTER->setText("3");
    const QDateTime origin = race.ts.clock.now();
    std::vector<Shown> early, late;
    race.ts.clock.after(165ms, [&] { early.push_back(race.shown()); });
    race.ts.clock.after(185ms, [&] { late.push_back(race.shown()); });
    race.click();
    QCOMPARE(early, std::vector<Shown>({ { 240, 4200 } }));
    QCOMPARE(late, std::vector<Shown>({ { 4200, 5520 } }));
    const qint64 elapsed = origin.msecsTo(race.ts.clock.now());
    QVERIFY2(elapsed >= 34 * 170 && elapsed <= 34 * 180, qPrintable(QString::number(elapsed)));
}

void TestChase::editDuringRace_data()
{
    QTest::addColumn<QString>("build");
    QTest::addColumn<int>("step3A1");
    QTest::addColumn<int>("step3B2");
    QTest::addColumn<int>("step4B2");
    QTest::addColumn<int>("step5B2");
    QTest::addColumn<int>("end");
    // chase: 7665 + 495 / 10 = 7714.5, shown 7714 (halves to even).
    QTest::newRow("chase") << "chase" << 7170 << 7665 << 7714 << 7719 << 7720;
    QTest::newRow("chase2") << "chase2" << 7140 << 7590 << 7635 << 7640 << 7640;
}

// FASTER typed over from 2 to 10 in the wait before step 4: step 4 already
// moves the leader a tenth of the chaser's distance.
void TestChase::editDuringRace()
{
    QFETCH(QString, build);
    QFETCH(int, step3A1);
    QFETCH(int, step3B2);
    QFETCH(int, step4B2);
    QFETCH(int, step5B2);
    QFETCH(int, end);
    Race race(build);
    race.ts.clock.after(3 * stepTime + 100ms, [&] {
        QTest::keyClick(race.edit(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(race.edit(), QStringLiteral("10"));
    });
    const std::vector<Shown> trace = race.run("2");
    QCOMPARE(race.FASTER->text(), QStringLiteral("10"));
    QCOMPARE(trace[3], (Shown { step3A1, step3B2 }));
    QCOMPARE(trace[4], (Shown { step3B2, step4B2 }));
    QCOMPARE(trace[5].b2, step5B2);
    QCOMPARE(trace.back(), (Shown { end, end }));
    QCOMPARE(race.steps(), 19);
}

void TestChase::clickDuringRace_data()
{
    QTest::addColumn<QString>("build");
    QTest::addColumn<int>("startA1");
    QTest::addColumn<int>("startB2");
    QTest::addColumn<int>("end");
    QTest::newRow("chase") << "chase" << 240 << 4200 << 8160;
    QTest::newRow("chase2") << "chase2" << 840 << 4440 << 8040;
}

// A click in the wait before step 3 runs a whole race inside it; the first
// race then goes on from its own positions, not from the nested race's end.
void TestChase::clickDuringRace()
{
    QFETCH(QString, build);
    QFETCH(int, startA1);
    QFETCH(int, startB2);
    QFETCH(int, end);
    Race race(build);
    const std::vector<Shown> outer = Race(build).run("2");  // the same race without the click

    int deepest = 0;
    std::vector<Shown> seen;  // every change of what the window shows
    auto record = [&] {
        if (seen.empty() || seen.back() != race.shown())
            seen.push_back(race.shown());
        deepest = std::max(deepest, race.form->nesting());
    };
    race.ts.clock.after(2 * stepTime + 100ms, [&] { race.click(); });
    const auto recorder = race.ts.clock.every(10ms, record);
    race.run("2");
    record();

    // Outer steps 1 and 2, the nested race from the start to its end, then outer step 3 on.
    std::vector<Shown> expected(outer.begin(), outer.begin() + 3);
    expected.insert(expected.end(), outer.begin(), outer.end());
    expected.insert(expected.end(), outer.begin() + 3, outer.end());
    expected.erase(std::unique(expected.begin(), expected.end()), expected.end());
    QCOMPARE(seen, expected);
    QCOMPARE(seen[3], (Shown { startA1, startB2 }));
    QCOMPARE(race.shown(), (Shown { end, end }));
    QCOMPARE(deepest, 2);
    QCOMPARE(race.elapsedMs(), 2 * stepTime.count() + 100 + 54 * stepTime.count() + 51 * stepTime.count());
    QVERIFY(race.ts.reporter.errors.empty());
}

void TestChase::stallBandEnds_data()
{
    QTest::addColumn<QString>("build");
    QTest::addColumn<int>("end");
    QTest::newRow("chase") << "chase" << 12120;
    QTest::newRow("chase2") << "chase2" << 11640;
}

// 1.5 lies in the band where the loop's exit test is never met: the race
// still ends, at the point both positions approach.
void TestChase::stallBandEnds()
{
    QFETCH(QString, build);
    QFETCH(int, end);
    Race race(build);
    QCOMPARE(literalRace(*race.startA1, *race.startB2, 1.5, 100000).steps, -1);
    const std::vector<Shown> trace = race.run("1.5");
    QCOMPARE(race.steps(), 88);
    QCOMPARE(trace.back(), (Shown { end, end }));
    QVERIFY(race.ts.reporter.errors.empty());
}

void TestChase::stallBandSweep_data() { addBuildRows(); }

// Every factor from the band's lower edge to 2 ends its race by itself, both
// pictures together at the limit startB2 + (startB2 - startA1) / (factor - 1).
void TestChase::stallBandSweep()
{
    QFETCH(QString, build);
    const double lowest = build == "chase" ? 1.139 : 1.1271;
    for (double factor = lowest; factor < 2; factor += 0.0137) {
        Race race(build);
        bool gaveUp = false;
        race.ts.clock.after(10min, [&] { gaveUp = true; race.form->close(); });
        const Shown last = race.run(QString::number(factor, 'g', 17)).back();
        QVERIFY2(!gaveUp, qPrintable(QString::number(factor)));
        const double limit = *race.startB2 + (*race.startB2 - *race.startA1) / (factor - 1);
        QCOMPARE(last.a1, last.b2);
        QVERIFY2(std::fabs(last.a1 - limit) <= 1, qPrintable(QString::number(factor)));
        QVERIFY(race.ts.reporter.errors.empty());
    }
}

void TestChase::stepsUnchangedFromFactorTwoUp_data() { addBuildRows(); }

// From 2 upward every race ends by its exit test, at the same step and place as
// the loop without the end for stalled races.
void TestChase::stepsUnchangedFromFactorTwoUp()
{
    QFETCH(QString, build);
    std::vector<double> factors = { 2.0, std::nextafter(2.0, 3.0), 1e3, 1e6, 1e300 };
    for (double factor = 2.0; factor <= 12; factor += 0.0625)
        factors.push_back(factor);
    for (double factor : factors) {
        Race race(build);
        const Literal expected = literalRace(*race.startA1, *race.startB2, factor);
        const Shown last = race.run(QString::number(factor, 'g', 17)).back();
        QCOMPARE(race.steps(), expected.steps);
        QCOMPARE(last, expected.last);
    }
}

void TestChase::stallRule_data()
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

void TestChase::stallRule()
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

void TestChase::waitAcrossMidnight_data()
{
    QTest::addColumn<QTime>("start");
    QTest::newRow("t0 within 0.17 s before midnight") << QTime(23, 59, 59, 900);
    QTest::newRow("race across midnight") << QTime(23, 59, 55, 0);
}

// The seconds-since-midnight clock restarts at 0: a wait that spans midnight
// still ends 0.17 s after it began, and the race runs its 54 steps.
void TestChase::waitAcrossMidnight()
{
    QFETCH(QTime, start);
    Race race("chase", Race::Loaded, 10ms);
    race.ts.clock.set(QDateTime(QDate(2026, 12, 8), start));
    const QDateTime origin = race.ts.clock.now();
    bool gaveUp = false;
    race.ts.clock.after(60s, [&] { gaveUp = true; race.form->close(); });
    race.ts.clock.after(185ms, [&] { QCOMPARE(race.shown(), (Shown { 4200, 6180 })); });
    race.click();
    QVERIFY(!gaveUp);
    const qint64 elapsed = origin.msecsTo(race.ts.clock.now());
    QVERIFY2(elapsed >= 54 * 170 && elapsed <= 54 * 180, qPrintable(QString::number(elapsed)));
    QVERIFY(race.ts.clock.now().date() == QDate(2026, 12, 9));
    QCOMPARE(race.shown(), (Shown { 8160, 8160 }));
}

void TestChase::clickAfterRaceRestarts_data()
{
    QTest::addColumn<QString>("build");
    QTest::addColumn<int>("a1");
    QTest::addColumn<int>("b2");
    QTest::newRow("chase") << "chase" << 240 << 4200;
    QTest::newRow("chase2") << "chase2" << 840 << 4440;
}

// In the shown window: after a race, a click puts both pictures back at the
// start before the first wait, and the same race runs again.
void TestChase::clickAfterRaceRestarts()
{
    QFETCH(QString, build);
    QFETCH(int, a1);
    QFETCH(int, b2);
    Race race(build, Race::Showing);
    const std::vector<Shown> first = race.run("3");
    QVERIFY(first.back() != (Shown { a1, b2 }));

    std::vector<Shown> atFirstWait;
    race.ts.clock.after(50ms, [&] { atFirstWait.push_back(race.shown()); });
    const std::vector<Shown> second = race.run("3");
    QCOMPARE(atFirstWait, std::vector<Shown>({ { a1, b2 } }));
    QCOMPARE(second, first);
}

void TestChase::racePicturesDrawn_data() { addBuildRows(); }

// The pictures are drawn where Left puts them: at the start after a click, and
// at the end of the race, the one stored later on top. Every step reaches the
// window: where the pictures race (above FASTER and START) it shows what a
// fresh paint shows, so no picture is left behind or missing.
void TestChase::racePicturesDrawn()
{
    QFETCH(QString, build);
    Race race(build, Race::Showing);
    auto trackIsCurrent = [&] {
        const QRect track(0, 0, race.form->surface().width(), 150);
        const QImage fresh = race.form->surface().grab().toImage().convertToFormat(QImage::Format_RGB32);
        return forms::testing::grabClient(*race.form).copy(track) == fresh.copy(track);
    };
    int steps = 0, current = 0;
    const auto checker = race.ts.clock.every(stepTime, [&] {
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
    race.ts.clock.after(50ms, [&] {
        QVERIFY(drawnAt(*race.A1));
        QVERIFY(drawnAt(*race.b2));
    });
    // After step 5 b2 stands at 8036 twips (chase) or 7928 (chase2): 669.67 and
    // 660.67 pixels, drawn at the nearest pixel.
    race.ts.clock.after(5 * stepTime + 50ms, [&] {
        QCOMPARE(race.b2->rect().x(), build == "chase" ? 670 : 661);
    });
    race.run("2");
    const int endPixels = build == "chase" ? 680 : 670;
    QCOMPARE(race.A1->rect().x(), endPixels);
    QCOMPARE(race.b2->rect().x(), endPixels);
    QVERIFY(drawnAt(build == "chase" ? *race.A1 : *race.b2));
    QCOMPARE(steps, 54);
    QCOMPARE(current, 54);
    QVERIFY(trackIsCurrent());
}

void TestChase::closeDuringRace_data()
{
    QTest::addColumn<QString>("build");
    QTest::addColumn<bool>("altF4");
    QTest::addColumn<bool>("nested");
    for (const char* build : { "chase", "chase2" }) {
        QTest::addRow("%s title bar", build) << build << false << false;
        QTest::addRow("%s Alt+F4", build) << build << true << false;
        QTest::addRow("%s title bar, nested", build) << build << false << true;
        QTest::addRow("%s Alt+F4, nested", build) << build << true << true;
    }
}

// Closing while one race, or a race nested in another, waits: every race stops
// at once, nothing moves after the close, and the program ends with status 0.
void TestChase::closeDuringRace()
{
    QFETCH(QString, build);
    QFETCH(bool, altF4);
    QFETCH(bool, nested);
    Race race(build, Race::Showing);
    if (nested)
        race.ts.clock.after(2 * stepTime + 100ms, [&] { race.click(); });
    std::optional<Shown> atClose;
    const auto closeAt = 5 * stepTime + 100ms;
    race.ts.clock.after(closeAt, [&] {
        QVERIFY(race.form->nesting() == (nested ? 2 : 1));
        atClose = race.shown();
        QWindow* window = race.form->window()->windowHandle();
        if (altF4)
            QTest::keyClick(window, Qt::Key_F4, Qt::AltModifier);
        else
            window->close();
    });
    std::vector<Shown> trace = race.run("2");
    QVERIFY(atClose);
    QCOMPARE(race.form->exitStatus(), std::optional<int>(0));
    QVERIFY(race.ts.reporter.errors.empty());
    QVERIFY(!race.form->window()->isVisible());
    QCOMPARE(trace.back(), *atClose);
    QVERIFY(race.elapsedMs() < closeAt.count() + stepTime.count());
    QCOMPARE(race.form->nesting(), 0);
}

// Clicks as fast as the races wait: races nest up to the bound, deeper clicks
// are ignored, and then every race runs to its end.
void TestChase::nestingIsBounded()
{
    Race race("chase");
    int deepest = 0;
    int clicks = 0;
    const int wanted = forms::Form::maxNesting() + 50;
    auto clicker = race.ts.clock.every(stepTime, [&] {
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
    QVERIFY(race.ts.reporter.errors.empty());
}

QTEST_MAIN(TestChase)
#include "test_chase.moc"
