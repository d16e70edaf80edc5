// A race window of either program on a manual clock, for the race's tests and its
// stress tests: the controls the race uses, clicks and pastes as a user makes
// them, and a recorder of what each step shows.
#pragma once

#include "chase.h"

#include <family_test.h>

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTest>
#include <QWindow>

#include <map>
#include <vector>

namespace race_testing {

using namespace std::chrono_literals;
using forms::RuntimeError;
using forms::testing::Errors;

// With DoEvents' idle wait moving the manual clock 200 ms, every step of a race
// waits exactly one idle wait, so a race of n steps lasts n × 200 ms.
constexpr auto stepTime = 200ms;

// The Left values of A1 and b2.
struct Shown {
    int a1, b2;
    bool operator==(const Shown&) const = default;
};

inline char* toString(const Shown& s) { return QTest::toString(QStringLiteral("%1 / %2").arg(s.a1).arg(s.b2)); }

// What a race of each program shows, by program id: one row per program the registry
// gives the family (a new sibling is covered by its row here).
struct RaceEnd {
    int steps;
    Shown last;
    int error = 0;  // the run-time error that stops it; 0: none
};
struct ChaseFacts {
    forms::testing::AccessibleTree tree;  // what a screen reader is given at start
    Shown start;                        // the Left values Load records
    std::map<int, Shown> withTwo;       // the race with "2", after step k (0: before step 1)
    std::map<QString, RaceEnd> races;   // factor -> how its race ends
    int overflowDistance;               // with "1", each step's move until b2 overflows 16 bits
    // FASTER typed over from 2 to 10 before step 4: step 3, then b2 after steps 4 and 5, and the end.
    Shown editStep3;
    int editStep4B2, editStep5B2, editEnd;
    double stallBandLowest;             // the lowest factor the sweep of the stall band starts from
    int step5Pixels, endPixels;         // b2's pixel x after step 5 with "2", and both at the end
    const char* onTop;                  // the picture stored later, drawn above the other
};

inline const std::map<QString, ChaseFacts>& chaseFacts()
{
    static const std::map<QString, ChaseFacts> facts {
        { "chase", {
            { "Window Form1", { "Graphic Κίτρινη αγωνιστική φόρμουλα", "Graphic Πράσινο καρτούν αυτοκινητάκι",
                "StaticText Η φορμουλα ειναι ταχυτερη", "EditableText Η φορμουλα ειναι ταχυτερη", "Button start",
                "StaticText By zedrik40" } },
            { 240, 4200 },
            { { 0, { 240, 4200 } }, { 1, { 4200, 6180 } }, { 2, { 6180, 7170 } }, { 3, { 7170, 7665 } },
              { 4, { 7665, 7912 } }, { 5, { 7912, 8036 } }, { 13, { 8159, 8160 } }, { 14, { 8160, 8160 } },
              { 54, { 8160, 8160 } } },
            { { "2", { 54, { 8160, 8160 } } }, { "3", { 34, { 6180, 6180 } } }, { "10", { 16, { 4640, 4640 } } },
              { "-2", { 1, { 4200, 2220 } } }, { "1E300", { 1, { 4200, 4200 } } }, { "1.5", { 88, { 12120, 12120 } } },
              { "1", { 8, { 31920, 31920 }, RuntimeError::Overflow } } },
            3960,
            { 7170, 7665 }, 7714, 7719, 7720,  // 7665 + 495 / 10 = 7714.5, shown 7714 (halves to even)
            1.139,
            670, 680, "A1" } },  // after step 5 b2 stands at 8036 twips: 669.67 pixels, drawn at the nearest
        { "chase2", {
            { "Window Form1", { "Graphic Φιγούρα αγοριού", "Graphic Φιγούρα κοριτσιού",
                "StaticText Η φορμουλα ειναι ταχυτερη", "EditableText Η φορμουλα ειναι ταχυτερη", "Button start",
                "StaticText By zedrik40" } },
            { 840, 4440 },
            { { 0, { 840, 4440 } }, { 1, { 4440, 6240 } }, { 2, { 6240, 7140 } }, { 3, { 7140, 7590 } },
              { 4, { 7590, 7815 } }, { 5, { 7815, 7928 } }, { 13, { 8039, 8040 } }, { 14, { 8040, 8040 } },
              { 54, { 8040, 8040 } } },
            { { "2", { 54, { 8040, 8040 } } }, { "3", { 34, { 6240, 6240 } } }, { "10", { 16, { 4840, 4840 } } },
              { "-2", { 1, { 4440, 2640 } } }, { "1E300", { 1, { 4440, 4440 } } }, { "1.5", { 88, { 11640, 11640 } } },
              { "1", { 8, { 29640, 29640 }, RuntimeError::Overflow } } },
            3600,
            { 7140, 7590 }, 7635, 7640, 7640,
            1.1271,
            661, 670, "b2" } },  // 7928 twips: 660.67 pixels
    };
    return facts;
}

class Race {
public:
    enum Window { Loaded, Showing };

    // The window of the registry's program of that id, one of chase's family; a
    // run-time error the test does not take fails it.
    explicit Race(const QString& program, Window window = Loaded, std::chrono::milliseconds idleStep = stepTime,
                  forms::testing::SourcePlace where = forms::testing::SourcePlace::current())
        : opened(forms::testing::openProgram<chase::Form1>(
              program, { .stage = window == Showing ? forms::testing::Stage::Shown : forms::testing::Stage::Built,
                       .idleStep = idleStep },
              where))
    {
        if (window == Loaded)
            form->load();
    }

    forms::testing::Opened<chase::Form1> opened;
    forms::testing::ManualClock& clock = opened.clock();
    forms::Form* form = &opened.form();
    forms::Image* A1 = &opened->A1();
    forms::Image* b2 = &opened->b2();
    forms::TextBox* FASTER = &opened->FASTER();
    forms::CommandButton* START = &opened->START();
    const std::int16_t* startA1 = &opened->startA1;
    const std::int16_t* startB2 = &opened->startB2;

    Shown shown() const { return { int(A1->left()), int(b2->left()) }; }
    QLineEdit* edit() const { return static_cast<QLineEdit*>(FASTER->widget()); }
    // Clock time since `start` or `run` clicked, or since `origin`.
    qint64 elapsedMs() const { return msSince(origin_); }
    qint64 msSince(const QDateTime& origin) const { return origin.msecsTo(clock.now()); }

    // A click on START as the user makes it; returns when every race it started is over.
    void click() { QTest::mouseClick(START->widget(), Qt::LeftButton); }

    // A click queued the way the window system delivers one: the race's next
    // DoEvents dispatches it.
    void postClick() const
    {
        QWidget* button = START->widget();
        const QPointF centre = QRectF(button->rect()).center();
        const QPointF global = button->mapToGlobal(centre);
        QCoreApplication::postEvent(button, new QMouseEvent(QEvent::MouseButtonPress, centre, global, Qt::LeftButton,
                                                            Qt::LeftButton, Qt::NoModifier));
        QCoreApplication::postEvent(button, new QMouseEvent(QEvent::MouseButtonRelease, centre, global, Qt::LeftButton,
                                                            Qt::NoButton, Qt::NoModifier));
    }

    // Closes the window by its title bar, or by Alt+F4, which dispatches what is queued first.
    void close(bool altF4) const
    {
        QWindow* window = form->window()->windowHandle();
        if (altF4)
            QTest::keyClick(window, Qt::Key_F4, Qt::AltModifier);
        else
            window->close();
    }

    // Replaces FASTER's text with `text` through the clipboard and Ctrl+V.
    void paste(const QString& text) const
    {
        QGuiApplication::clipboard()->setText(text);
        QTest::keyClick(edit(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(edit(), Qt::Key_V, Qt::ControlModifier);
    }

    // Types `text` into FASTER, clicks START and records what the window shows:
    // element k is the pair of Left values after step k (element 0: before step 1).
    std::vector<Shown> run(const QString& text)
    {
        std::vector<Shown> trace;
        // Fires inside each step's idle wait, before the step moves the pictures.
        const auto recorder = clock.every(stepTime, [&] { trace.push_back(shown()); });
        start(text);
        trace.push_back(shown());
        return trace;
    }

    // Types `text` into FASTER and clicks START; returns when every race it started is over.
    void start(const QString& text)
    {
        FASTER->setText(text);
        origin_ = clock.now();
        click();
    }

    // Steps taken by the race `run` just recorded.
    int steps() const { return int(elapsedMs() / stepTime.count()); }

private:
    QDateTime origin_;
};

}  // namespace race_testing
