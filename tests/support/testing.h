// Helpers shared by the tests: a reporter that records run-time errors, pixel
// and click helpers that go through the real widgets, and what a screen reader
// is given. family_test.h adds what every family's tests share.
#pragma once

#include "manual_clock.h"

#include <forms/form.h>

#include <QAccessibleInterface>
#include <QColor>
#include <QImage>
#include <QList>
#include <QPoint>
#include <QRect>
#include <QStringList>

#include <functional>
#include <utility>
#include <vector>

namespace forms::testing {

class RecordingReporter final : public ErrorReporter {
public:
    void report(const QString&, const RuntimeError& error, QWidget*) override { errors.push_back(error.number()); }
    std::vector<RuntimeError::Number> errors;
};

// A clock and a reporter that a test owns, ready to hand to a form.
struct TestServices {
    ManualClock clock;
    RecordingReporter reporter;
    Services services() { return { &clock, &reporter }; }
};

// The client area as the window shows it, windowed controls included, at
// scale 1: what was flushed to the window once pending events have run, not a
// fresh render, so a change that never repainted is not seen. Null when the
// window is not shown.
QImage grabClient(const Form& form);
// The whole window the same way, menu bar included.
QImage grabWindow(const Form& form);

// The colour at a pixel of the client area, as 0xRRGGBB.
unsigned rgbAt(const QImage& image, int x, int y);

// What counts as blank where ink is looked for: one colour, the same pixel of
// another picture, anything lighter than a grey, or anything but one colour.
class Paper {
public:
    Paper(QRgb colour);
    Paper(const QImage& background);
    static Paper lighterThan(int gray);
    static Paper anyBut(QRgb ink);
    bool blank(const QImage& image, int x, int y) const { return blank_(image.pixel(x, y), x, y); }

private:
    explicit Paper(std::function<bool(QRgb, int, int)> blank) : blank_(std::move(blank)) {}
    std::function<bool(QRgb, int, int)> blank_;
};
// How many pixels of `area` (within the image) are not blank on `paper`.
int inkIn(const QImage& image, const QRect& area, const Paper& paper);
// The rows of `area`, top down, and its columns, left to right, that carry ink.
QList<int> inkedRows(const QImage& image, const QRect& area, const Paper& paper);
QList<int> inkedColumns(const QImage& image, const QRect& area, const Paper& paper);

// Clicks the client area at `pos` through the window system, so the click hits
// whatever control is topmost there.
void clickAt(const Form& form, QPoint pos);

// Clicks the middle of a windowed control through the window system.
void click(const Form& form, const Control& control);

// The texts printed on the window so far, in print order.
QStringList printedTexts(const Form& form);

// `image` of the client area with `lines` drawn the way Print draws them: from
// the top-left corner down, one line each, in the window's font and text colour.
QImage withPrintedLines(const Form& form, QImage image, const QStringList& lines);

// `image` with `areas` painted over in magenta, so that two pictures compare
// everywhere else.
QImage masked(QImage image, const QList<QRect>& areas);
// `image` of the client area with every windowed control's rectangle masked,
// so that surfaces compare whatever the controls' focus and pressed looks.
QImage surfaceOnly(const Form& form, QImage image);

// What a screen reader is given of an accessible object: "<role> <name>", with
// ", invisible" or ", offscreen" for what no one sees.
QString describeAccessible(QAccessibleInterface* item);
// The descriptions of its children, in order, each with its own children in
// braces: "Grouping Question {RadioButton Yes, RadioButton No}".
QStringList describeChildren(QAccessibleInterface* parent);

// Loads and shows a form, as run() does, and waits until its window is
// exposed. (run() itself is tested in its own program, tests/platform/probe.cpp.)
void showForm(Form& form);

// How `body` ends when run in a child process: for faults that stop the program.
struct ChildEnd {
    int status = -1;    // exit status, or -1 when a signal ended it
    int signal = 0;     // the signal that ended it, or 0
    QString errors;     // what it wrote to stderr
};
ChildEnd runInChild(const std::function<void()>& body);

}  // namespace forms::testing
