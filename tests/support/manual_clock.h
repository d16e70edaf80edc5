// A clock that moves only when told to, for tests: time advances by explicit
// calls and by the runtime's idle waits, and its timers fire as time passes them.
// Its wall clock can also be set or stepped, as NTP or the user does: that
// moves neither its monotonic reading nor its timers, which run on the
// monotonic clock as Qt's do.
#pragma once

#include <forms/clock.h>

#include <map>
#include <memory>

namespace forms::testing {

class ManualClock final : public Clock {
public:
    explicit ManualClock(QDateTime start = QDateTime(QDate(2026, 12, 8), QTime(12, 0)));

    QDateTime now() const override;
    std::chrono::nanoseconds monotonic() const override { return state_->monotonic; }
    std::unique_ptr<Ticker> every(std::chrono::milliseconds interval, std::function<void()> tick) override;
    // Each idle wait moves time on by `idleStep`. With `idleStep` zero it lasts
    // its whole limit, unless a timer falls due sooner: that one fires and ends
    // the wait, as any event ends the system clock's.
    void idle(std::chrono::milliseconds limit) override;

    // Moves time forward, firing every timer that falls due on the way, in order.
    void advance(std::chrono::milliseconds duration);
    // Sets the wall clock.
    void set(const QDateTime& time) { state_->now = time; }
    // Steps the wall clock by `by` (back when negative) just after its
    // `readings`-th reading from now, as a step may land between any two.
    void stepAfterReadings(int readings, std::chrono::milliseconds by);
    // Runs `action` once, when time reaches now + `delay`.
    void after(std::chrono::milliseconds delay, std::function<void()> action);
    // How many timers are running.
    int running() const { return int(state_->timers.size()); }

    std::chrono::milliseconds idleStep { 10 };
    int idleWaits = 0;  // idle waits so far

private:
    struct Entry {
        std::chrono::milliseconds due;  // on the monotonic clock
        std::chrono::milliseconds interval;  // zero for a one-shot action
        std::function<void()> fire;
    };
    struct State {
        QDateTime now;
        std::chrono::milliseconds monotonic { 0 };
        int stepIn = 0;  // readings until the wall clock steps by stepBy; 0: none due
        std::chrono::milliseconds stepBy { 0 };
        std::map<int, Entry> timers;
        int nextId = 1;
    };
    class Handle;
    int add(std::chrono::milliseconds delay, std::chrono::milliseconds interval, std::function<void()> fire);

    std::shared_ptr<State> state_;
};

}  // namespace forms::testing
