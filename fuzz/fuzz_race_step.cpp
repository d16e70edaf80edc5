// Fuzz target: one step of chase's race with any text typed into FASTER as its
// factor. Either the step leaves both pictures on whole, finite twips in range,
// or the program ends with one of the runtime's error numbers.
#include "chase.h"

#include <testing.h>

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>

#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdlib>

using namespace std::chrono_literals;

namespace {

// One application for the whole run, on the offscreen platform unless told otherwise.
QApplication* application = nullptr;

void ensureApplication()
{
    if (application)
        return;
    static int argc = 1;
    static char name[] = "race_step";
    static char* argv[] = { name, nullptr };
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    application = new QApplication(argc, argv);
}

void require(bool condition)
{
    if (!condition)
        std::abort();
}

bool onWholeTwips(float left)
{
    return std::isfinite(left) && left == std::nearbyint(left) && left >= -32768 && left <= 32767;
}

}  // namespace

// Called by the corpus replay once every input has run: deleting the application
// releases the fonts it loaded, which a leak checker at exit would count as lost.
// (Deleting it from an atexit handler instead crashes: Qt's own globals are gone.)
extern "C" void formsFuzzerFinish()
{
    delete application;
    application = nullptr;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    ensureApplication();
    // Each step waits exactly one idle wait of the manual clock; the window is
    // closed during the second step's wait, so at most one step moves anything.
    constexpr auto stepTime = 200ms;
    forms::testing::TestServices ts;
    ts.clock.idleStep = stepTime;
    chase::Form1 form(chase::chase(), ts.services());
    form.load();
    form.show();

    // Typed over the whole text, the way a user's input reaches the box.
    auto* edit = static_cast<QLineEdit*>(form.FASTER().widget());
    edit->selectAll();
    edit->insert(QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size)));

    ts.clock.after(stepTime + stepTime / 2, [&] { form.window()->close(); });
    const QDateTime started = ts.clock.now();
    static_cast<QPushButton*>(form.START().widget())->click();

    const float a1 = form.A1().left();
    const float b2 = form.b2().left();
    require(form.nesting() == 0);
    require(onWholeTwips(a1) && onWholeTwips(b2));
    require(started.msecsTo(ts.clock.now()) <= 2 * stepTime.count());
    if (!ts.reporter.errors.empty()) {
        // The conversion or the division failed with the pictures at their start,
        // or the rounding of b2's position overflowed after A1 had moved.
        require(ts.reporter.errors.size() == 1 && form.exitStatus() == 1);
        switch (ts.reporter.errors.front()) {
        case forms::RuntimeError::TypeMismatch:
        case forms::RuntimeError::DivisionByZero:
        case forms::RuntimeError::InvalidOperation:
            require(a1 == form.startA1 && b2 == form.startB2);
            break;
        case forms::RuntimeError::Overflow:
            require((a1 == form.startA1 && b2 == form.startB2) || a1 == form.startB2);
            break;
        default:
            std::abort();
        }
    } else if (form.exitStatus()) {
        // Closed in the second wait: the chaser stands where the leader started,
        // and the leader is still ahead of it.
        require(form.exitStatus() == 0 && a1 == form.startB2 && b2 >= a1);
    } else {
        // The race ended after its one step: the leader is no longer ahead.
        require(a1 == form.startB2 && b2 <= a1);
    }
    return 0;
}
