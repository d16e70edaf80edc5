// The clock behind Timer, Date and Time, and the timers of Timer controls.
// Programs use the system clock; tests substitute a manual one.
#pragma once

#include <QDateTime>
#include <QObject>

#include <chrono>
#include <functional>
#include <memory>
#include <string>

class QFileSystemWatcher;

namespace forms {

class Clock {
public:
    virtual ~Clock() = default;

    // Local date and time, to the millisecond.
    virtual QDateTime now() const = 0;

    // Time since an arbitrary start on a clock that runs at the pace of now()
    // but is never set: a step of the wall clock (NTP, a manual change) or of
    // the zone moves now() only. What a wait measures its sleep on.
    virtual std::chrono::nanoseconds monotonic() const = 0;

    // A repeating timer: `tick` runs every `interval` until the handle is destroyed.
    class Ticker {
    public:
        virtual ~Ticker() = default;
    };
    virtual std::unique_ptr<Ticker> every(std::chrono::milliseconds interval, std::function<void()> tick) = 0;

    // Called by DoEvents and DoEventsUntil when they found nothing to dispatch:
    // waits until an event arrives or `limit` has passed, and dispatches what
    // arrived. DoEvents asks for 1 ms; DoEventsUntil for the time left until its
    // caller's deadline, so a handler waiting on the clock sleeps until then.
    virtual void idle(std::chrono::milliseconds limit) = 0;
};

// Local time without a file-system call per reading: the real-time clock plus
// an offset from UTC, worked out again only when it may have changed. The
// offset is asked of the C library when TZ takes another value, when the zone
// file changes (the desktop puts another in place of /etc/localtime, or of the
// file TZ names), at the offset change that falls within the next minute, so a
// daylight-saving change reads right from its first second, and otherwise a
// minute after it was last asked: a change of zone the file watch cannot see,
// such as one while no event is handled, still shows within a minute.
// Not thread-safe: one per thread.
class LocalTime {
public:
    LocalTime();
    ~LocalTime();
    LocalTime(const LocalTime&) = delete;
    LocalTime& operator=(const LocalTime&) = delete;

    // The local date and time, to the millisecond.
    QDateTime now();
    // The local date and time at `utcMs` milliseconds since 1970-01-01 UTC.
    QDateTime at(qint64 utcMs);

private:
    void refresh(qint64 utcMs);
    void watchZoneFile();
    bool tzChanged(const char* tz) const;  // TZ is not as last seen

    qint64 validFrom_ = 0;   // the offset holds for instants in [validFrom_, validUntil_)
    qint64 validUntil_ = 0;
    int offsetSeconds_ = 0;
    std::string tz_;         // TZ as last seen
    bool tzSet_ = false;
    bool zoneChanged_ = true;                      // the zone file changed since the offset was asked
    std::unique_ptr<QFileSystemWatcher> watcher_;  // on the zone file and its folder, through the event loop
};

// The machine's clock, Qt timers and Qt's event dispatcher.
class SystemClock final : public Clock {
public:
    SystemClock();
    ~SystemClock() override;
    QDateTime now() const override;
    std::chrono::nanoseconds monotonic() const override;
    std::unique_ptr<Ticker> every(std::chrono::milliseconds interval, std::function<void()> tick) override;
    void idle(std::chrono::milliseconds limit) override;

private:
    mutable LocalTime local_;
    std::unique_ptr<QObject> waker_;
};

}  // namespace forms
