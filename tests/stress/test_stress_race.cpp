// Stress on the race of chase and chase2, on a manual clock: a storm of clicks on
// START during a race, the window closed at random moments of nested races, and
// long, control and non-ASCII text pasted into FASTER.
#include "race.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <random>

using namespace race_testing;

namespace {

// How a race clicked with FASTER's text came out.
struct Outcome {
    Errors errors;
    Shown last;
    qint64 ms;  // clock time the click took
};

// Loaded but not shown: the paste and the race are the same without the
// repaints, which would only slow the many windows these tests build.
Outcome raceWith(const QString& pasted)
{
    Race race("chase", Race::Loaded);
    race.paste(pasted);
    const QDateTime origin = race.clock.now();
    race.click();
    return { race.opened.takeErrors(), race.shown(), race.msSince(origin) };
}

QString fromUcs4(char32_t c) { return QString::fromUcs4(&c, 1); }

QtMessageHandler previousHandler = nullptr;

}  // namespace

class TestStressRace : public QObject {
    Q_OBJECT

private slots:
    // A text box showing a script that no installed font shapes makes Qt warn once
    // for every font it passed over; those warnings say nothing about the race.
    void initTestCase()
    {
        previousHandler = qInstallMessageHandler([](QtMsgType type, const QMessageLogContext& context,
                                                    const QString& message) {
            if (!message.startsWith(QLatin1String("  OpenType support missing for ")))
                previousHandler(type, context, message);
        });
    }

    // 10,000 clicks queued on START during a race, ten in every wait: races nest to
    // the bound and no deeper, every race ends, and the window answers afterwards.
    // The storm runs before the window is shown, which spares the 20,000 repaints
    // of the pressed and released button; the window is shown for the race after it.
    void tenThousandClicksDuringRace()
    {
        Race race("chase", Race::Loaded);
        const int wanted = 10000;
        int posted = 0;
        int deepest = 0;
        const auto clicker = race.clock.every(stepTime / 10, [&] {
            deepest = std::max(deepest, race.form->nesting());
            if (posted < wanted) {
                race.postClick();
                ++posted;
            }
        });
        // Each race is six steps long: the leader's move shrinks a thousandfold at
        // every step until it is lost in rounding, 4 twips past b2's start.
        race.start(QStringLiteral("1000"));

        QCOMPARE(posted, wanted);
        QCOMPARE(deepest, forms::Form::maxNesting());
        QCOMPARE(race.form->nesting(), 0);
        QVERIFY(!race.form->exitStatus());
        QCOMPARE(race.shown(), (Shown { 4204, 4204 }));
        // Clicks beyond the bound were dropped, not kept for later: every click that
        // ran its race would have waited at least once, 10,000 waits in all.
        QVERIFY(race.elapsedMs() < wanted * stepTime.count());

        // Nothing is left queued; shown, the window takes typing and a click as before.
        QCoreApplication::processEvents();
        QCOMPARE(race.form->nesting(), 0);
        race.form->show();
        QVERIFY(QTest::qWaitForWindowExposed(race.form->window()));
        QTest::keyClick(race.edit(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(race.edit(), QStringLiteral("2"));
        const QDateTime second = race.clock.now();
        race.click();
        QCOMPARE(race.shown(), (Shown { 8160, 8160 }));
        QCOMPARE(race.msSince(second), 54 * stepTime.count());
        QVERIFY(!race.form->exitStatus());
    }

    // The window closed by its title bar or by Alt+F4 at 100 random moments, each in
    // a race with up to eight races nested in it at random moments: status 0 every
    // time, no error, nothing moves or waits after the close.
    void closeAtRandomMoments()
    {
        std::mt19937 random(20261208);
        const QString factors[] = { "2", "3", "10", "1.5" };
        int nestedAtClose = 0;
        for (int round = 0; round < 100; ++round) {
            Race race(round % 2 == 1 ? "chase2" : "chase", Race::Showing);
            race.FASTER->setText(factors[random() % std::size(factors)]);
            const int clicks = int(random() % 9);
            for (int i = 0; i < clicks; ++i)
                race.clock.after(std::chrono::milliseconds(random() % 4000), [&] { race.postClick(); });

            // The first race of factor 10 (16 steps) lasts 3.2 s on this clock; every
            // other first race lasts longer, so the close always comes during a race.
            const auto closeAt = std::chrono::milliseconds(1 + random() % 3100);
            const bool altF4 = random() % 2 == 1;
            std::optional<Shown> atClose;
            QDateTime closedAt;
            int nesting = 0;
            race.clock.after(closeAt, [&] {
                nesting = race.form->nesting();
                race.close(altF4);  // Alt+F4 dispatches what is queued first
                atClose = race.shown();
                closedAt = race.clock.now();
            });
            race.click();

            const QByteArray where = QStringLiteral("round %1, factor %2, close at %3 ms by %4")
                                         .arg(round).arg(race.FASTER->text()).arg(closeAt.count())
                                         .arg(altF4 ? "Alt+F4" : "title bar").toUtf8();
            QVERIFY2(atClose, where);
            QVERIFY2(nesting >= 1, where);
            QVERIFY2(race.form->exitStatus() == 0, where);
            QVERIFY2(race.form->nesting() == 0, where);
            QVERIFY2(!race.form->window()->isVisible(), where);
            QVERIFY2(race.shown() == *atClose, where);
            QVERIFY2(race.msSince(closedAt) < stepTime.count(), where);
            // Clicks still queued after the close start nothing.
            QCoreApplication::processEvents();
            QVERIFY2(race.shown() == *atClose && race.form->nesting() == 0, where);
            if (nesting > 1)
                ++nestedAtClose;
        }
        // The random moments did catch nested races, not only single ones.
        QVERIFY2(nestedAtClose >= 40, qPrintable(QString::number(nestedAtClose)));
    }

    void pasteIntoFaster_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("error");  // 0: the race runs to its end
        QTest::addColumn<int>("end");    // where both pictures end when it does

        const qsizetype mebibyte = 1 << 20;
        const qsizetype box = 32767;  // the most characters a text box keeps
        const int none = 0;
        const int typeMismatch = 13, overflow = 6, divisionByZero = 11;
        // The box keeps the first 32767 characters of a longer paste, and the race
        // reads those. (Qt copies the kept part once for every character it keeps, so
        // a longer paste takes a moment; only one row pastes a whole mebibyte.)
        QTest::newRow("2 then 1 MiB of blanks") << QStringLiteral("2") + QString(mebibyte, u' ') << none << 8160;
        QTest::newRow("digits beyond the double range") << QString(box, u'7') << overflow << 0;
        QTest::newRow("blanks then 2") << QString(box - 1, u' ') + QStringLiteral("2") << none << 8160;
        QTest::newRow("Greek letters") << QStringLiteral("ΑΒΓ").repeated(box / 3) << typeMismatch << 0;
        QTest::newRow("digits then a letter") << QString(box - 1, u'1') + QStringLiteral("x") << typeMismatch << 0;
        QTest::newRow("1e over and over") << QStringLiteral("1e").repeated(box / 2) << typeMismatch << 0;
        QTest::newRow("minus signs") << QString(box, u'-') << typeMismatch << 0;
        QTest::newRow("3. then zeros") << QStringLiteral("3.") + QString(box - 2, u'0') << none << 6180;
        // Too small for a double: zero, which the race then divides by.
        QTest::newRow("0. then zeros then 5") << QStringLiteral("0.") + QString(box - 3, u'0') + QStringLiteral("5")
                                              << divisionByZero << 0;
        QTest::newRow("exponent of 32765 digits") << QStringLiteral("1e") + QString(box - 2, u'9') << overflow << 0;
        QTest::newRow("negative exponent of 32764 digits") << QStringLiteral("1e-") + QString(box - 3, u'9')
                                                           << divisionByZero << 0;
    }

    // Long text pasted into FASTER: a clear run-time error at the end of the first
    // wait, or a factor whose race runs to its usual end.
    void pasteIntoFaster()
    {
        QFETCH(QString, text);
        QFETCH(int, error);
        QFETCH(int, end);
        const Outcome outcome = raceWith(text);
        QCOMPARE(outcome.errors, error ? Errors { RuntimeError::Number(error) } : Errors {});
        if (error) {
            QCOMPARE(outcome.last, (Shown { 240, 4200 }));
            QCOMPARE(outcome.ms, stepTime.count());
        } else {
            QCOMPARE(outcome.last, (Shown { end, end }));
        }
    }

    // Each C0 and C1 control character, alone and after a 2: only the blanks among
    // them (tab, line feed, vertical tab, form feed, carriage return, next line)
    // may stand around a number; any other makes the text no number.
    void pasteControlCharacters()
    {
        for (char32_t c = 0; c < 0xA0; ++c) {
            if (c >= 0x20 && c < 0x7F)
                continue;
            const bool blank = (c >= 0x09 && c <= 0x0D) || c == 0x85;
            const QByteArray name = QByteArray("U+") + QByteArray::number(uint(c), 16);

            const Outcome alone = raceWith(fromUcs4(c));
            QVERIFY2(alone.errors == Errors { RuntimeError::TypeMismatch }, name);

            const Outcome after = raceWith(QStringLiteral("2") + fromUcs4(c));
            if (blank) {
                QVERIFY2(after.errors.empty(), name);
                QVERIFY2(after.last == (Shown { 8160, 8160 }), name);
            } else {
                QVERIFY2(after.errors == Errors { RuntimeError::TypeMismatch }, name);
                QVERIFY2(after.last == (Shown { 240, 4200 }), name);
            }
        }
    }

    // Every Unicode decimal digit pasted alone: the ten ASCII ones are factors
    // (0 divides by zero, 1 overflows at step 8, 2 and up end where the moves
    // converge), every other one is no number in any locale, nor is all of them
    // pasted at once.
    void pasteEveryUnicodeDigit()
    {
        QString all;
        int digits = 0;
        for (char32_t c = 0; c <= 0x10FFFF; ++c) {
            if (!QChar::isDigit(c))
                continue;
            ++digits;
            all += fromUcs4(c);
            const Outcome outcome = raceWith(fromUcs4(c));
            const QByteArray name = QByteArray("U+") + QByteArray::number(uint(c), 16);
            if (c > U'9') {
                QVERIFY2(outcome.errors == Errors { RuntimeError::TypeMismatch }, name);
                QVERIFY2(outcome.last == (Shown { 240, 4200 }) && outcome.ms == stepTime.count(), name);
            } else if (c == U'0') {
                QCOMPARE(outcome.errors, Errors { RuntimeError::DivisionByZero });
            } else if (c == U'1') {
                QCOMPARE(outcome.errors, Errors { RuntimeError::Overflow });
                QCOMPARE(outcome.ms, 8 * stepTime.count());
            } else {
                // Both positions approach 4200 + 3960 / (s - 1).
                const double limit = 4200 + 3960.0 / (int(c - U'0') - 1);
                QVERIFY2(outcome.errors.empty(), name);
                QVERIFY2(outcome.last.a1 == outcome.last.b2 && std::abs(outcome.last.a1 - limit) <= 1, name);
            }
        }
        QVERIFY(digits > 600);
        QCOMPARE(raceWith(all).errors, Errors { RuntimeError::TypeMismatch });
    }
};

QTEST_MAIN(TestStressRace)
#include "test_stress_race.moc"
