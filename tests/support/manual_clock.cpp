#include "manual_clock.h"

#include <algorithm>

namespace forms::testing {

class ManualClock::Handle final : public Clock::Ticker {
public:
    Handle(std::weak_ptr<State> state, int id) : state_(std::move(state)), id_(id) {}
    ~Handle() override
    {
        if (auto state = state_.lock())
            state->timers.erase(id_);
    }

private:
    std::weak_ptr<State> state_;
    int id_;
};

ManualClock::ManualClock(QDateTime start) : state_(std::make_shared<State>(State { .now = std::move(start) })) {}

QDateTime ManualClock::now() const
{
    const QDateTime read = state_->now;
    if (state_->stepIn > 0 && --state_->stepIn == 0)
        state_->now = state_->now.addMSecs(state_->stepBy.count());
    return read;
}

void ManualClock::stepAfterReadings(int readings, std::chrono::milliseconds by)
{
    state_->stepIn = readings;
    state_->stepBy = by;
}

int ManualClock::add(std::chrono::milliseconds delay, std::chrono::milliseconds interval, std::function<void()> fire)
{
    const int id = state_->nextId++;
    state_->timers[id] = { state_->monotonic + delay, interval, std::move(fire) };
    return id;
}

std::unique_ptr<Clock::Ticker> ManualClock::every(std::chrono::milliseconds interval, std::function<void()> tick)
{
    return std::make_unique<Handle>(state_, add(interval, interval, std::move(tick)));
}

void ManualClock::after(std::chrono::milliseconds delay, std::function<void()> action)
{
    add(delay, std::chrono::milliseconds(0), std::move(action));
}

void ManualClock::idle(std::chrono::milliseconds limit)
{
    ++idleWaits;
    if (idleStep.count() > 0) {
        advance(idleStep);
        return;
    }
    std::chrono::milliseconds end = state_->monotonic + limit;
    for (const auto& [id, timer] : state_->timers)
        end = std::min(end, timer.due);
    advance(end - state_->monotonic);
}

void ManualClock::advance(std::chrono::milliseconds duration)
{
    const std::chrono::milliseconds target = state_->monotonic + duration;
    // Both clocks move together to each instant.
    const auto moveTo = [this](std::chrono::milliseconds instant) {
        state_->now = state_->now.addMSecs((instant - state_->monotonic).count());
        state_->monotonic = instant;
    };
    for (;;) {
        // The earliest timer, the first made of those due together, if due by the
        // target; callbacks may add or remove timers.
        const auto next = std::min_element(state_->timers.begin(), state_->timers.end(),
                                           [](const auto& a, const auto& b) { return a.second.due < b.second.due; });
        if (next == state_->timers.end() || next->second.due > target)
            break;
        moveTo(std::max(state_->monotonic, next->second.due));
        std::function<void()> fire = next->second.fire;
        if (next->second.interval.count() > 0)
            next->second.due += next->second.interval;
        else
            state_->timers.erase(next);
        fire();
    }
    if (state_->monotonic < target)
        moveTo(target);
}

}  // namespace forms::testing
