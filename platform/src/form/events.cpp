// How events reach a form's handlers, DoEvents, and how the program ends.
#include "forms/form.h"

#include "accessibility/accessibility.h"
#include "controls/tab_order.h"
#include "form/input_watch.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QWidget>

#include <sys/resource.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <utility>

namespace forms {

void Form::DoEvents()
{
    dispatchPendingOrIdle([] { return std::chrono::milliseconds(1); });
}

void Form::DoEventsUntil(double timer)
{
    // The caller compared its deadline with its last reading of the clock; the
    // wall clock may have been set back or forward since (NTP, a manual change,
    // the fall-back to winter time), so the time since that reading is measured
    // on the monotonic clock, and only the time from it to the deadline on the
    // caller's own clock.
    if (!lastReading_.taken)
        Timer();
    const Reading reading = lastReading_;
    dispatchPendingOrIdle([&] {
        // Seconds from the reading to the deadline on the clock that restarts
        // at midnight, the short way round: 86400.07 is 0.07 s after midnight.
        const double ahead = std::remainder(timer - reading.timer, 24 * 60 * 60);
        const double left = ahead - std::chrono::duration<double>(clock_->monotonic() - reading.monotonic).count();
        // In whole milliseconds, rounded up (less a nanosecond of rounding in
        // the caller's sum), and at least one: the clock reads in milliseconds,
        // so a caller whose test still says "wait" at the deadline is answered
        // by the next reading, not by a spin until it.
        const double ms = std::ceil(left * 1000 - 1e-6);
        return std::chrono::milliseconds(ms >= 1 ? qint64(ms) : 1);
    });
}

void Form::dispatchPendingOrIdle(const std::function<std::chrono::milliseconds()>& idleLimit)
{
    QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance();
    const bool dispatched = dispatcher && dispatcher->processEvents(QEventLoop::AllEvents);
    // Nothing was pending: sleep until the next event or the limit, rather than
    // let a caller that polls the clock spin a core.
    if (!dispatched && !exitStatus_)
        clock_->idle(idleLimit());
    if (exitStatus_)
        throw ProgramEnding {};
}

void Form::load()
{
    if (load_)
        dispatch(Trigger::Load, load_);
}

void Form::show()
{
    if (exitStatus_)
        return;
    if (Control* first = firstInTabOrder(controls_))
        first->widget()->setFocus();
    hidden_ = false;
    window()->show();
}

void Form::close()
{
    end(0);
    window()->hide();
}

void Form::end(int status)
{
    if (exitStatus_)
        return;
    exitStatus_ = status;
    QCoreApplication::exit(status);
}

int Form::maxNesting()
{
    // A level takes about 3.7 KB of stack for a click through X11: 16 KiB a
    // level is four times that, and 512 KiB stays free for Qt itself and for a
    // message box shown at the deepest level.
    static const int bound = [] {
        constexpr rlim_t perLevel = 16 * 1024, reserve = 512 * 1024, most = 1000;
        rlimit stack {};
        if (getrlimit(RLIMIT_STACK, &stack) != 0 || stack.rlim_cur == RLIM_INFINITY)
            return int(most);
        if (stack.rlim_cur < reserve + perLevel)
            return 1;
        return int(std::min(most, (stack.rlim_cur - reserve) / perLevel));
    }();
    return bound;
}

void Form::dispatch(Trigger trigger, const std::function<void()>& handler) noexcept
{
    // Events that arrive once the program has ended, or nested too deeply
    // inside DoEvents for the stack, are dropped.
    if (!handler || exitStatus_ || nesting_ >= maxNesting())
        return;
    ++nesting_;
    accessibility::handlerStarted(*surface_, trigger);
    try {
        handler();
    } catch (const RuntimeError& error) {
        if (!exitStatus_) {
            exitStatus_ = 1;  // no handler runs from here on, not even during the report
            // The box goes over the window only once it is on the screen: an
            // error in Load comes before the window ever shows.
            reporter_->report(QCoreApplication::applicationName(), error, window()->isVisible() ? window() : nullptr);
            QCoreApplication::exit(1);
        }
    } catch (const ProgramEnding&) {
        // The program ended while this handler waited in DoEvents.
    } catch (const std::exception& error) {
        std::fprintf(stderr, "forms: internal error: %s\n", error.what());
        std::abort();
    } catch (...) {
        std::fprintf(stderr, "forms: internal error\n");
        std::abort();
    }
    --nesting_;
    moveFocusOn();
    // Once the focus has moved on: what the handler changed is said after it.
    accessibility::handlerEnded(*surface_);
    if (hidden_)
        end(0);
}

// When a handler hid the control that had the focus, the focus goes where Tab
// would take it from there, now that the handler is done (back to the control
// itself if the handler showed it again); with no control left to take it,
// the window keeps it. After a key the focus frame shows where it went, as
// after Tab; after a click the window shows no frame it did not show before
// (Qt turns the frame on for Tab only inside the Tab key's own event).
void Form::moveFocusOn()
{
    const Control* from = std::exchange(focusLost_, nullptr);
    if (!from || exitStatus_)
        return;
    const Control* to = from->visible() ? from : nextInTabOrder(controls_, *from);
    if (!to)
        return;
    const bool byKey = lastInputWasKey();
    if (byKey)
        window()->setAttribute(Qt::WA_KeyboardFocusChange);
    to->widget()->setFocus(byKey ? Qt::TabFocusReason : Qt::OtherFocusReason);
}

}  // namespace forms
