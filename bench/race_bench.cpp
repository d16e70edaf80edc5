// Runs real races of chase on the system clock and compares the wait as written
// (a busy poll whose DoEvents only processes events) with the runtime's DoEvents,
// which sleeps up to 1 ms when nothing is pending: CPU share, step timing and
// event latency side by side; then measures the stack each nested race costs.
//
// Usage: race_bench [factor]   (default 2: 54 steps, about 9.3 s per race)
#include "chase.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPushButton>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <thread>
#include <time.h>
#include <vector>

namespace {

using Steady = std::chrono::steady_clock;
using Form1 = chase::Form1<chase::Chase>;

double cpuSeconds(clockid_t clock)
{
    timespec ts {};
    clock_gettime(clock, &ts);
    return double(ts.tv_sec) + double(ts.tv_nsec) / 1e9;
}

// The system clock, with every reading recorded: what the program read and
// when it read it. The program reads the clock only in its wait, so the
// readings replay each wait exactly. `literal` makes idle() return at once,
// which leaves DoEvents a bare processEvents: the wait as written.
class RecordingClock final : public forms::Clock {
public:
    explicit RecordingClock(bool literal) : literal_(literal) {}

    struct Reading {
        QDateTime value;
        Steady::time_point at;
    };
    mutable std::vector<Reading> readings;

    QDateTime now() const override
    {
        const QDateTime value = system_.now();
        readings.push_back({ value, Steady::now() });
        return value;
    }
    std::unique_ptr<Ticker> every(std::chrono::milliseconds interval, std::function<void()> tick) override
    {
        return system_.every(interval, std::move(tick));
    }
    void idle(std::chrono::milliseconds limit) override
    {
        ++idles;
        if (!literal_)
            system_.idle(limit);
    }
    long idles = 0;

private:
    bool literal_;
    forms::SystemClock system_;
};

// Receives events posted from another thread and notes how long each waited.
class Probe final : public QObject {
public:
    static constexpr QEvent::Type sentType = QEvent::Type(QEvent::User + 1);
    struct Sent : QEvent {
        explicit Sent(Steady::time_point at) : QEvent(sentType), at(at) {}
        Steady::time_point at;
    };
    std::vector<double> latenciesMs;

protected:
    bool event(QEvent* e) override
    {
        if (e->type() != sentType)
            return QObject::event(e);
        latenciesMs.push_back(std::chrono::duration<double, std::milli>(Steady::now() - static_cast<Sent*>(e)->at).count());
        return true;
    }
};

struct Stats {
    double min = 0, median = 0, max = 0;
};
Stats stats(std::vector<double> v)
{
    if (v.empty())
        return {};
    std::sort(v.begin(), v.end());
    return { v.front(), v[v.size() / 2], v.back() };
}

struct Result {
    int steps = 0;
    double wallS = 0, cpuShare = 0;
    Stats realMs, clockMs, latencyMs;
    double readsPerStep = 0, idlesPerS = 0;
};

// One race at `factor`, clicked as the user does, with events posted to the
// program every 23 ms from another thread as input would arrive.
Result race(bool literal, const char* factor)
{
    RecordingClock clock(literal);
    Form1 form({ &clock, nullptr });
    form.load();
    form.show();
    form.FASTER().setText(QString::fromLatin1(factor));
    QCoreApplication::processEvents();

    Probe probe;
    std::atomic<bool> running { true };
    std::thread poster([&] {
        while (running) {
            std::this_thread::sleep_for(std::chrono::milliseconds(23));
            QCoreApplication::postEvent(&probe, new Probe::Sent(Steady::now()));
        }
    });

    clock.readings.clear();
    const double cpu0 = cpuSeconds(CLOCK_THREAD_CPUTIME_ID);
    const auto wall0 = Steady::now();
    static_cast<QPushButton*>(form.START().widget())->click();
    const double wall = std::chrono::duration<double>(Steady::now() - wall0).count();
    const double cpu = cpuSeconds(CLOCK_THREAD_CPUTIME_ID) - cpu0;
    running = false;
    poster.join();

    // Replays the waits: a step's wait starts at one reading (t0) and ends at
    // the first later reading at least 0.17 s after it by the clock.
    Result r;
    std::vector<double> realMs, clockMs;
    const auto& reads = clock.readings;
    for (size_t i = 0; i < reads.size();) {
        const QTime t0 = reads[i].value.time();
        size_t j = i + 1;
        while (j < reads.size()) {
            double elapsed = reads[j].value.time().msecsSinceStartOfDay() / 1000.0 - t0.msecsSinceStartOfDay() / 1000.0;
            if (elapsed < 0)
                elapsed += 86400;
            if (elapsed >= 0.17)
                break;
            ++j;
        }
        if (j == reads.size())
            break;
        realMs.push_back(std::chrono::duration<double, std::milli>(reads[j].at - reads[i].at).count());
        clockMs.push_back(reads[i].value.msecsTo(reads[j].value));
        i = j + 1;
    }
    r.steps = int(realMs.size());
    r.wallS = wall;
    r.cpuShare = 100.0 * cpu / wall;
    r.realMs = stats(realMs);
    r.clockMs = stats(clockMs);
    r.latencyMs = stats(probe.latenciesMs);
    r.readsPerStep = r.steps ? double(reads.size()) / r.steps : 0;
    r.idlesPerS = literal ? 0 : clock.idles / wall;
    return r;
}

// Nests races by clicking START in every wait until the runtime's bound, noting
// the stack depth at each level, then closes the window, which ends them all.
class NestingClock final : public forms::Clock {
public:
    Form1* form = nullptr;
    std::vector<std::pair<int, std::uintptr_t>> depths;  // nesting level, stack address

    QDateTime now() const override { return system_.now(); }
    std::unique_ptr<Ticker> every(std::chrono::milliseconds interval, std::function<void()> tick) override
    {
        return system_.every(interval, std::move(tick));
    }
    void idle(std::chrono::milliseconds limit) override
    {
        volatile char marker = 0;
        const int level = form->nesting();
        if (depths.empty() || depths.back().first < level)
            depths.emplace_back(level, reinterpret_cast<std::uintptr_t>(&marker));
        if (level < forms::Form::maxNesting()) {
            // A press and a release, delivered through the event loop like a user's click.
            QWidget* button = form->START().widget();
            const QPointF centre = QRectF(button->rect()).center();
            QCoreApplication::postEvent(button, new QMouseEvent(QEvent::MouseButtonPress, centre, button->mapToGlobal(centre),
                                                                Qt::LeftButton, Qt::LeftButton, Qt::NoModifier));
            QCoreApplication::postEvent(button, new QMouseEvent(QEvent::MouseButtonRelease, centre, button->mapToGlobal(centre),
                                                                Qt::LeftButton, Qt::NoButton, Qt::NoModifier));
        } else {
            form->close();
        }
        system_.idle(limit);
    }

private:
    forms::SystemClock system_;
};

void nesting()
{
    NestingClock clock;
    Form1 form({ &clock, nullptr });
    clock.form = &form;
    form.load();
    form.show();
    QCoreApplication::processEvents();
    const auto wall0 = Steady::now();
    static_cast<QPushButton*>(form.START().widget())->click();
    const double wall = std::chrono::duration<double>(Steady::now() - wall0).count();

    std::vector<double> perLevel;
    for (size_t i = 1; i < clock.depths.size(); ++i)
        if (clock.depths[i].first == clock.depths[i - 1].first + 1)
            perLevel.push_back(double(clock.depths[i - 1].second - clock.depths[i].second));
    const Stats s = stats(perLevel);
    const int deepest = clock.depths.empty() ? 0 : clock.depths.back().first;
    const double totalKiB = clock.depths.empty() ? 0 : double(clock.depths.front().second - clock.depths.back().second) / 1024;
    std::printf("\nNested races (clicks posted to START in every wait, platform %s)\n", qPrintable(QApplication::platformName()));
    std::printf("  deepest level reached         %d (bound %d), in %.2f s, then closed: exit status %d\n",
                deepest, forms::Form::maxNesting(), wall, form.exitStatus().value_or(-1));
    std::printf("  stack per level (bytes)       min %.0f  median %.0f  max %.0f\n", s.min, s.median, s.max);
    std::printf("  stack from level 1 to %-4d    %.0f KiB of the 8192 KiB default\n", deepest, totalKiB);
}

}  // namespace

int main(int argc, char** argv)
{
    // The benchmark needs no screen; the programs themselves never set this.
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    const char* factor = argc > 1 ? argv[1] : "2";

    std::printf("race_bench: chase, FASTER \"%s\", one race each, platform %s\n", factor, qPrintable(QApplication::platformName()));
    const Result literal = race(true, factor);
    const Result ours = race(false, factor);

    auto row3 = [](const char* what, const Stats& a, const Stats& b) {
        std::printf("  %-34s %7.3f %7.3f %7.3f    %7.3f %7.3f %7.3f\n", what, a.min, a.median, a.max, b.min, b.median, b.max);
    };
    std::printf("\n  %-34s %-27s %s\n", "", "literal busy poll", "ours (DoEvents idles <= 1 ms)");
    std::printf("  %-34s %-27d %d\n", "steps", literal.steps, ours.steps);
    std::printf("  %-34s %-27.2f %.2f\n", "race time (s)", literal.wallS, ours.wallS);
    std::printf("  %-34s %-27.1f %.1f\n", "CPU of the program's thread (% core)", literal.cpuShare, ours.cpuShare);
    std::printf("  %-34s %-27.0f %.0f\n", "clock readings per step", literal.readsPerStep, ours.readsPerStep);
    std::printf("  %-34s %-27s %.0f\n", "idle waits per second", "-", ours.idlesPerS);
    std::printf("  %-34s %7s %7s %7s    %7s %7s %7s\n", "", "min", "median", "max", "min", "median", "max");
    row3("step after its t0, real time (ms)", literal.realMs, ours.realMs);
    row3("step after its t0, by Timer (ms)", literal.clockMs, ours.clockMs);
    row3("latency of a posted event (ms)", literal.latencyMs, ours.latencyMs);
    std::printf("  (Timer reads the clock to the millisecond, so a step can come up to 1 ms\n"
                "   sooner in real time than its 170 ms by the clock.)\n");

    nesting();
    return 0;
}
