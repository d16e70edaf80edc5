#include "forms/clock.h"

#include <QCoreApplication>
#include <QObject>
#include <QTimer>

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

}  // namespace

QDateTime SystemClock::now() const { return QDateTime::currentDateTime(); }

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
