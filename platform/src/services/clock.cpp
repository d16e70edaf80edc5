#include "forms/clock.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QFileSystemWatcher>
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

// The file the C library reads the zone from: without TZ the system's
// /etc/localtime, else the file TZ names (after an optional ':'), by its path
// or under /usr/share/zoneinfo. Empty for a TZ that names no file.
QString zoneFile(const char* tz)
{
    if (!tz)
        return QStringLiteral("/etc/localtime");
    QString name = QString::fromLocal8Bit(tz);
    if (name.startsWith(u':'))
        name.remove(0, 1);
    if (!name.startsWith(u'/'))
        name.prepend(QStringLiteral("/usr/share/zoneinfo/"));
    return QFileInfo(name).isFile() ? name : QString();
}

// Has the C library read the zone again. Without TZ, tzset() looks at the
// system's zone file and reads it if it changed; a zone file that TZ names is
// read only when TZ takes another value, so TZ takes another for a moment.
void readZoneAgain()
{
    if (qEnvironmentVariableIsSet("TZ")) {
        const QByteArray tz = qgetenv("TZ");
        qputenv("TZ", "UTC0");
        tzset();
        qputenv("TZ", tz);
    }
    tzset();
}

}  // namespace

LocalTime::LocalTime() = default;
LocalTime::~LocalTime() = default;

QDateTime LocalTime::now()
{
    timespec ts {};
    clock_gettime(CLOCK_REALTIME, &ts);  // answered in user space, without a system call
    return at(qint64(ts.tv_sec) * 1000 + ts.tv_nsec / 1000000);
}

QDateTime LocalTime::at(qint64 utcMs)
{
    if (zoneChanged_ || utcMs < validFrom_ || utcMs >= validUntil_ || tzChanged(std::getenv("TZ")))
        refresh(utcMs);
    return QDateTime::fromMSecsSinceEpoch(utcMs, Qt::OffsetFromUTC, offsetSeconds_);
}

// Watches the zone file, and its folder, where the desktop puts a new file in
// place by renaming it over the old one (or a new link to another zone): either
// change has the offset asked again at the next reading. A watched file that
// was replaced is watched no more, so each change watches the file anew.
void LocalTime::watchZoneFile()
{
    if (!QCoreApplication::instance())
        return;  // no event loop to hear of changes: the minute's limit alone holds
    if (!watcher_) {
        watcher_ = std::make_unique<QFileSystemWatcher>();
        const auto changed = [this] { zoneChanged_ = true; };
        QObject::connect(watcher_.get(), &QFileSystemWatcher::fileChanged, watcher_.get(), changed);
        QObject::connect(watcher_.get(), &QFileSystemWatcher::directoryChanged, watcher_.get(), changed);
    }
    const QStringList watched = watcher_->files() + watcher_->directories();
    if (!watched.isEmpty())
        watcher_->removePaths(watched);
    const QString file = zoneFile(std::getenv("TZ"));
    if (!file.isEmpty())
        watcher_->addPaths({ file, QFileInfo(file).absolutePath() });
}

bool LocalTime::tzChanged(const char* tz) const { return (tz != nullptr) != tzSet_ || (tz && tz_ != tz); }

void LocalTime::refresh(qint64 utcMs)
{
    const char* tz = std::getenv("TZ");
    const bool zoneFileMayDiffer = zoneChanged_ || tzChanged(tz);
    tzSet_ = tz != nullptr;
    tz_ = tz ? tz : "";
    if (zoneFileMayDiffer)
        watchZoneFile();
    zoneChanged_ = false;
    readZoneAgain();

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

std::chrono::nanoseconds SystemClock::monotonic() const
{
    timespec ts {};
    clock_gettime(CLOCK_MONOTONIC, &ts);  // answered in user space too
    return std::chrono::seconds(ts.tv_sec) + std::chrono::nanoseconds(ts.tv_nsec);
}

std::unique_ptr<Clock::Ticker> SystemClock::every(std::chrono::milliseconds interval, std::function<void()> tick)
{
    return std::make_unique<QtTicker>(interval, std::move(tick));
}

SystemClock::SystemClock()
{
    local_.now();  // asks for the zone now, not at the first reading a handler makes
}
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
