// The race benchmark. First the real programs on the X display (tools/bench
// starts a private Xvfb): chase and busy_chase, its twin whose wait is the busy
// poll as first written, each launched and clicked as a user would, for the CPU
// share, wake-ups and system calls of whole races. Then races run in this
// process on the system clock, the busy poll beside the runtime's wait, for what
// only the program sees: each step's time by its own clock and how long posted
// events and X events wait to be handled. Last, the stack each nested race costs.
//
// Usage: race_bench [--factor F] [--races N] [--program PATH] [--busy PATH]
//   --factor   the text typed into FASTER (default 2: 54 steps, about 9.3 s a race)
//   --races    races measured per launched program (default 3; one more runs under strace)
//   --program, --busy   the programs to launch (chase and busy_chase); none is launched
//                       when both are left out
// Exits 1 when chase misses one of the goals printed beside its figures.
#include "chase.h"
#include "race_process.h"

#include <forms/look.h>

#include <QAbstractNativeEventFilter>
#include <QApplication>
#include <QMouseEvent>
#include <QPushButton>

#ifdef RACE_BENCH_X11
#include <X11/Xlib.h>
#include <xcb/xcb.h>
#endif

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <string>
#include <thread>
#include <time.h>
#include <vector>

namespace {

using Steady = std::chrono::steady_clock;
using chase::Form1;

double cpuSeconds(clockid_t clock)
{
    timespec ts {};
    clock_gettime(clock, &ts);
    return double(ts.tv_sec) + double(ts.tv_nsec) / 1e9;
}

double msSince(Steady::time_point at) { return std::chrono::duration<double, std::milli>(Steady::now() - at).count(); }

// The system clock, with every reading recorded: what the program read and
// when it read it. The program reads the clock only in its wait, so the
// readings replay each wait exactly. `busy` is the wait as first written:
// idle() returns at once, which leaves the wait a bare processEvents, and the
// time of day comes from the standard local-time call.
class RecordingClock final : public forms::Clock {
public:
    explicit RecordingClock(bool busy) : busy_(busy) {}

    struct Reading {
        QDateTime value;
        Steady::time_point at;
    };
    mutable std::vector<Reading> readings;

    QDateTime now() const override
    {
        const QDateTime value = busy_ ? QDateTime::currentDateTime() : system_.now();
        readings.push_back({ value, Steady::now() });
        return value;
    }
    std::chrono::nanoseconds monotonic() const override { return system_.monotonic(); }
    std::unique_ptr<Ticker> every(std::chrono::milliseconds interval, std::function<void()> tick) override
    {
        return system_.every(interval, std::move(tick));
    }
    void idle(std::chrono::milliseconds limit) override
    {
        ++idles;
        if (!busy_)
            system_.idle(limit);
    }
    long idles = 0;

private:
    bool busy_;
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
        latenciesMs.push_back(msSince(static_cast<Sent*>(e)->at));
        return true;
    }
};

#ifdef RACE_BENCH_X11
// Sends client messages to the form's window over a connection of its own, as
// another X client would, and notes how long each waited until the program's
// event loop handled it.
class XProbe final : public QAbstractNativeEventFilter {
public:
    explicit XProbe(unsigned long window)
        : display_(XOpenDisplay(nullptr))
        , window_(window)
    {
        if (display_)
            atom_ = XInternAtom(display_, "RACE_BENCH_PROBE", False);
    }
    ~XProbe() override
    {
        if (display_)
            XCloseDisplay(display_);
    }
    bool ready() const { return display_ != nullptr; }

    // From the sending thread.
    void send()
    {
        XEvent e {};
        e.xclient.type = ClientMessage;
        e.xclient.window = window_;
        e.xclient.message_type = atom_;
        e.xclient.format = 32;
        {
            std::lock_guard lock(mutex_);
            e.xclient.data.l[0] = long(sent_.size());
            sent_.push_back(Steady::now());
        }
        XSendEvent(display_, window_, False, NoEventMask, &e);
        XFlush(display_);
    }

    bool nativeEventFilter(const QByteArray& type, void* message, qintptr*) override
    {
        if (type != "xcb_generic_event_t")
            return false;
        const auto* e = static_cast<const xcb_generic_event_t*>(message);
        if ((e->response_type & 0x7F) != XCB_CLIENT_MESSAGE)
            return false;
        const auto* m = static_cast<const xcb_client_message_event_t*>(message);
        if (m->type != atom_)
            return false;
        std::lock_guard lock(mutex_);
        if (m->data.data32[0] < sent_.size())
            latenciesMs.push_back(msSince(sent_[m->data.data32[0]]));
        return true;
    }
    std::vector<double> latenciesMs;

private:
    ::Display* display_;
    unsigned long window_;
    Atom atom_ = 0;
    std::mutex mutex_;
    std::vector<Steady::time_point> sent_;
};
#endif

struct Stats {
    double min = 0, median = 0, max = 0, p99 = 0;
};
Stats stats(std::vector<double> v)
{
    if (v.empty())
        return {};
    std::sort(v.begin(), v.end());
    return { v.front(), v[v.size() / 2], v.back(), v[std::min(v.size() - 1, v.size() * 99 / 100)] };
}

struct Result {
    int steps = 0;
    double wallS = 0, cpuShare = 0;
    Stats realMs, clockMs, postedMs, xMs;
    double readsPerStep = 0, idlesPerS = 0;
};

// One race at `factor`, clicked in this process, with events posted to the
// program and X events sent to its window every 23 ms from another thread, as
// input would arrive.
Result race(bool busy, const char* factor)
{
    RecordingClock clock(busy);
    Form1 form(chase::chase(), { &clock, nullptr });
    form.load();
    form.show();
    form.FASTER().setText(QString::fromLatin1(factor));
    QCoreApplication::processEvents();

    Probe probe;
#ifdef RACE_BENCH_X11
    std::unique_ptr<XProbe> xprobe;
    if (QApplication::platformName() == QLatin1String("xcb")) {
        xprobe = std::make_unique<XProbe>(form.window()->winId());
        if (xprobe->ready())
            QCoreApplication::instance()->installNativeEventFilter(xprobe.get());
        else
            xprobe.reset();
    }
#endif
    std::atomic<bool> running { true };
    std::thread poster([&] {
        while (running) {
            std::this_thread::sleep_for(std::chrono::milliseconds(23));
            QCoreApplication::postEvent(&probe, new Probe::Sent(Steady::now()));
#ifdef RACE_BENCH_X11
            if (xprobe) {
                std::this_thread::sleep_for(std::chrono::milliseconds(7));
                xprobe->send();
            }
#endif
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
    r.postedMs = stats(probe.latenciesMs);
#ifdef RACE_BENCH_X11
    if (xprobe) {
        QCoreApplication::instance()->removeNativeEventFilter(xprobe.get());
        r.xMs = stats(xprobe->latenciesMs);
    }
#endif
    r.readsPerStep = r.steps ? double(reads.size()) / r.steps : 0;
    r.idlesPerS = busy ? 0 : clock.idles / wall;
    return r;
}

// Nests races by clicking START in every wait until the runtime's bound, noting
// the stack depth at each level, then closes the window, which ends them all.
class NestingClock final : public forms::Clock {
public:
    Form1* form = nullptr;
    std::vector<std::pair<int, std::uintptr_t>> depths;  // nesting level, stack address

    QDateTime now() const override { return system_.now(); }
    std::chrono::nanoseconds monotonic() const override { return system_.monotonic(); }
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
    Form1 form(chase::chase(), { &clock, nullptr });
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

const char* verdict(bool met) { return met ? "met" : "MISSED"; }

}  // namespace

int main(int argc, char** argv)
{
    // Without a display the in-process races run offscreen; the programs themselves never set this.
    if (!std::getenv("QT_QPA_PLATFORM") && !std::getenv("DISPLAY"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    std::string factor = "2", program, busy;
    int races = 3;
    for (int i = 1; i < argc; ++i) {
        const bool more = i + 1 < argc;
        if (std::strcmp(argv[i], "--factor") == 0 && more)
            factor = argv[++i];
        else if (std::strcmp(argv[i], "--races") == 0 && more)
            races = std::max(1, std::atoi(argv[++i]));
        else if (std::strcmp(argv[i], "--program") == 0 && more)
            program = argv[++i];
        else if (std::strcmp(argv[i], "--busy") == 0 && more)
            busy = argv[++i];
        else {
            std::fprintf(stderr, "usage: race_bench [--factor F] [--races N] [--program PATH] [--busy PATH]\n");
            return 2;
        }
    }
    bool allMet = true;

    if (!program.empty() || !busy.empty()) {
        // The middle of START, in the window's coordinates (chase has no menu bar).
        const QRect start = forms::pixelRect(chase::chase().control("START"));
        const QPoint click = start.center();
        std::printf("race_bench: the programs on X display %s, FASTER as typed at start (2), clicked at (%d, %d);\n"
                    "%d races per launch, then one more under strace -f -c\n",
                    std::getenv("DISPLAY") ? std::getenv("DISPLAY") : "(unset)", click.x(), click.y(), races);
        race_bench::ProcessFigures figures[2];
        const std::string paths[2] = { busy, program };
        for (int i = 0; i < 2; ++i) {
            if (paths[i].empty())
                continue;
            figures[i] = race_bench::measureProgram(paths[i], click.x(), click.y(), races);
            if (!figures[i].problem.empty()) {
                std::fprintf(stderr, "race_bench: %s: %s\n", paths[i].c_str(), figures[i].problem.c_str());
                allMet = false;
            }
        }
        const auto& b = figures[0];
        const auto& c = figures[1];
        std::printf("\n  %-40s %14s %14s   %s\n", "", "busy poll", "chase", "goal for chase");
        std::printf("  %-40s %14.2f %14.2f\n", "race, click to last wake-up (s)", b.raceS, c.raceS);
        const bool cpuMet = c.cpuShare <= 0.5;
        std::printf("  %-40s %14.2f %14.2f   <= 0.5 %s\n", "CPU share over a race (% of a core)", b.cpuShare, c.cpuShare, verdict(cpuMet));
        std::printf("  %-40s %14.0f %14.0f\n", "wake-ups per second (all threads)", b.wakeupsPerS, c.wakeupsPerS);
        const bool callsMet = c.syscalls <= 1000;
        std::printf("  %-40s %14ld %14ld   <= 1000 %s\n", "system calls per race (strace)", b.syscalls, c.syscalls, verdict(callsMet));
        std::printf("  %-40s %14ld %14ld\n", "  of which poll and ppoll", b.polls, c.polls);
        std::printf("  %-40s %14ld %14ld\n", "  of which the stat family", b.stats, c.stats);
        std::printf("  %-40s %14.2f %14.2f\n", "race under strace (s)", b.tracedRaceS, c.tracedRaceS);
        if (!program.empty())
            allMet = allMet && cpuMet && callsMet && c.problem.empty();
        std::printf("\n");
    }

    std::printf("race_bench: chase in this process, FASTER \"%s\", one race each, platform %s\n", factor.c_str(),
                qPrintable(QApplication::platformName()));
    const Result literal = race(true, factor.c_str());
    const Result ours = race(false, factor.c_str());

    auto row = [](const char* what, const Stats& a, const Stats& b, bool p99) {
        if (p99)
            std::printf("  %-36s %7.3f %7.3f %7.3f    %7.3f %7.3f %7.3f", what, a.median, a.p99, a.max, b.median, b.p99, b.max);
        else
            std::printf("  %-36s %7.3f %7.3f %7.3f    %7.3f %7.3f %7.3f", what, a.min, a.median, a.max, b.min, b.median, b.max);
    };
    std::printf("\n  %-36s %-27s %-27s %s\n", "", "busy poll as written", "chase", "goal for chase");
    std::printf("  %-36s %-27d %d\n", "steps", literal.steps, ours.steps);
    std::printf("  %-36s %-27.2f %.2f\n", "race time (s)", literal.wallS, ours.wallS);
    std::printf("  %-36s %-27.2f %.2f\n", "CPU of the program's thread (% core)", literal.cpuShare, ours.cpuShare);
    std::printf("  %-36s %-27.0f %.1f\n", "clock readings per step", literal.readsPerStep, ours.readsPerStep);
    std::printf("  %-36s %-27s %.0f\n", "idle waits per second", "-", ours.idlesPerS);
    std::printf("  %-36s %7s %7s %7s    %7s %7s %7s\n", "", "min", "median", "max", "min", "median", "max");
    row("step after its t0, real time (ms)", literal.realMs, ours.realMs, false);
    std::printf("\n");
    const bool stepMet = ours.steps > 0 && ours.clockMs.min >= 170 && ours.clockMs.median <= 172;
    row("step after its t0, by Timer (ms)", literal.clockMs, ours.clockMs, false);
    std::printf("   min >= 170, median <= 172 %s\n", verdict(stepMet));
    std::printf("  %-36s %7s %7s %7s    %7s %7s %7s\n", "", "median", "p99", "max", "median", "p99", "max");
    const bool postedMet = ours.postedMs.median <= 1;
    row("latency of a posted event (ms)", literal.postedMs, ours.postedMs, true);
    std::printf("   median <= 1 %s\n", verdict(postedMet));
    bool xMet = true;
    if (ours.xMs.max > 0) {
        xMet = ours.xMs.median <= 1;
        row("latency of an X event (ms)", literal.xMs, ours.xMs, true);
        std::printf("   median <= 1 %s\n", verdict(xMet));
    }
    std::printf("  (Timer reads the clock to the millisecond, so a step can come up to 1 ms\n"
                "   sooner in real time than its 170 ms by the clock.)\n");
    allMet = allMet && stepMet && postedMet && xMet;

    nesting();
    return allMet ? 0 : 1;
}
