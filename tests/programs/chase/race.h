// A race window of either build on a manual clock, for the race's tests and its
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

#include <memory>
#include <vector>

namespace race_testing {

using namespace std::chrono_literals;

// With DoEvents' idle wait moving the manual clock 200 ms, every step of a race
// waits exactly one idle wait, so a race of n steps lasts n × 200 ms.
constexpr auto stepTime = 200ms;

// The Left values of A1 and b2.
struct Shown {
    int a1, b2;
    bool operator==(const Shown&) const = default;
};

inline char* toString(const Shown& s) { return QTest::toString(QStringLiteral("%1 / %2").arg(s.a1).arg(s.b2)); }

class Race {
public:
    enum Window { Loaded, Showing };

    // The window of the registry's program `build`, chase's or chase2's.
    explicit Race(const QString& build, Window window = Loaded, std::chrono::milliseconds idleStep = stepTime)
    {
        ts.clock.idleStep = idleStep;
        form = forms::testing::makeProgram(build.toStdString(), ts.services());
        if (auto* f = dynamic_cast<chase::Form1*>(form.get()))
            bind(*f);
        else
            qFatal("race.h: the window of %s is neither chase's nor chase2's", qPrintable(build));
        if (window == Showing)
            forms::testing::showForm(*form);
        else
            form->load();
    }

    forms::testing::TestServices ts;
    std::unique_ptr<forms::Form> form;
    forms::Image* A1 = nullptr;
    forms::Image* b2 = nullptr;
    forms::TextBox* FASTER = nullptr;
    forms::CommandButton* START = nullptr;
    const std::int16_t* startA1 = nullptr;
    const std::int16_t* startB2 = nullptr;

    Shown shown() const { return { int(A1->left()), int(b2->left()) }; }
    QLineEdit* edit() const { return static_cast<QLineEdit*>(FASTER->widget()); }
    // Clock time since `run` clicked, or since `origin`.
    qint64 elapsedMs() const { return msSince(origin_); }
    qint64 msSince(const QDateTime& origin) const { return origin.msecsTo(ts.clock.now()); }

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
        FASTER->setText(text);
        origin_ = ts.clock.now();
        std::vector<Shown> trace;
        // Fires inside each step's idle wait, before the step moves the pictures.
        const auto recorder = ts.clock.every(stepTime, [&] { trace.push_back(shown()); });
        click();
        trace.push_back(shown());
        return trace;
    }

    // Steps taken by the race `run` just recorded.
    int steps() const { return int(elapsedMs() / stepTime.count()); }

private:
    template <class F>
    void bind(F& f)
    {
        A1 = &f.A1();
        b2 = &f.b2();
        FASTER = &f.FASTER();
        START = &f.START();
        startA1 = &f.startA1;
        startB2 = &f.startB2;
    }

    QDateTime origin_;
};

}  // namespace race_testing
