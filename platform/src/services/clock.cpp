#include "forms/clock.h"

#include <QCoreApplication>
#include <QObject>
#include <QTimer>

#include <cstdlib>
#include <ctime>

namespace forms {

namespace {

class QtTicker final : public Clock::Ticker {
public:
    QtTicker(std::chrono::milliseconds interval, std::function<void()> tick)
    {
        timer_.setTimerType(Qt::PreciseTimer);
        QObject::connect(&timer_, &QTimer::timeout, &timer_, std::move(tick));
        timer_.start(interval);
    }

private:
    QTimer timer_;
};

// Receives the wake-up timer of an idle wait; the event itself needs no handling.
class Waker final : public QObject {
protected:
    void timerEvent(QTimerEvent*) override {}
};

// Seconds east of UTC at `t`. localtime_r itself does not look for a changed
// zone: only tzset() does.
long offsetAt(std::time_t t)
{
    std::tm local {};
    localtime_r(&t, &local);
    return local.tm_gmtoff;
}

}  // namespace

QDateTime LocalTime::now()
{
    timespec ts {};
    clock_gettime(CLOCK_REALTIME, &ts);  // answered in user space, without a system call
    return at(qint64(ts.tv_sec) * 1000 + ts.tv_nsec / 1000000);
}

QDateTime LocalTime::at(qint64 utcMs)
{
    const char* tz = std::getenv("TZ");
    if (utcMs < validFrom_ || utcMs >= validUntil_ || (tz != nullptr) != tzSet_ || (tz && tz_ != tz))
        refresh(utcMs);
    return QDateTime::fromMSecsSinceEpoch(utcMs, Qt::OffsetFromUTC, offsetSeconds_);
}

void LocalTime::refresh(qint64 utcMs)
{
    const char* tz = std::getenv("TZ");
    tzSet_ = tz != nullptr;
    tz_ = tz ? tz : "";
    tzset();  // reads TZ again, or without it the system's zone

    // Offsets change on whole seconds. The offset found holds for the next
    // minute, or up to the first second of that minute with another offset.
    const std::time_t from = std::time_t(utcMs >= 0 ? utcMs / 1000 : (utcMs - 999) / 1000);
    const long offset = offsetAt(from);
    std::time_t until = from + 60;
    if (offsetAt(until) != offset) {
        std::time_t same = from;  // invariant: offsetAt(same) == offset != offsetAt(until)
        while (until - same > 1) {
            const std::time_t middle = same + (until - same) / 2;
            if (offsetAt(middle) == offset)
                same = middle;
            else
                until = middle;
        }
    }
    offsetSeconds_ = int(offset);
    validFrom_ = qint64(from) * 1000;
    validUntil_ = qint64(until) * 1000;
}

QDateTime SystemClock::now() const { return local_.now(); }

std::unique_ptr<Clock::Ticker> SystemClock::every(std::chrono::milliseconds interval, std::function<void()> tick)
{
    return std::make_unique<QtTicker>(interval, std::move(tick));
}

SystemClock::SystemClock() = default;
SystemClock::~SystemClock() = default;

void SystemClock::idle(std::chrono::milliseconds limit)
{
    if (!waker_)
        waker_ = std::make_unique<Waker>();
    // The wake-up timer bounds the wait; any other event ends it sooner.
    const int id = waker_->startTimer(limit, Qt::PreciseTimer);
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    waker_->killTimer(id);
}

}  // namespace forms
