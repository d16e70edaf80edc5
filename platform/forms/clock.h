// The clock behind Timer, Date and Time, and the timers of Timer controls.
// Programs use the system clock; tests substitute a manual one.
#pragma once

#include <QDateTime>
#include <QObject>

#include <chrono>
#include <functional>
#include <memory>

namespace forms {

class Clock {
public:
    virtual ~Clock() = default;

    // Local date and time, to the millisecond.
    virtual QDateTime now() const = 0;

    // A repeating timer: `tick` runs every `interval` until the handle is destroyed.
    class Ticker {
    public:
        virtual ~Ticker() = default;
    };
    virtual std::unique_ptr<Ticker> every(std::chrono::milliseconds interval, std::function<void()> tick) = 0;

    // Called by DoEvents when it found nothing to dispatch: waits until an event
    // arrives or `limit` has passed, and dispatches what arrived. Lets a handler
    // that waits on the clock through DoEvents sleep instead of spinning a core.
    virtual void idle(std::chrono::milliseconds limit) = 0;
};

// The machine's clock, Qt timers and Qt's event dispatcher.
class SystemClock final : public Clock {
public:
    SystemClock();
    ~SystemClock() override;
    QDateTime now() const override;
    std::unique_ptr<Ticker> every(std::chrono::milliseconds interval, std::function<void()> tick) override;
    void idle(std::chrono::milliseconds limit) override;

private:
    std::unique_ptr<QObject> waker_;
};

}  // namespace forms
