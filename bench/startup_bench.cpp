// Start-up benchmark: launches each program as a user would, on the X display
// named by DISPLAY (tools/bench starts an Xvfb for it), and measures the time
// from the launch to its window being shown and painted, and its peak resident
// memory; each launch alternates with one of a window written directly against
// Qt Widgets, so that machine noise falls on both alike.
//
// Usage: startup_bench [--rounds N] <direct-window> <program>...
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <sys/resource.h>
#include <sys/select.h>
#include <sys/wait.h>
#include <csignal>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

double msBetween(Clock::time_point a, Clock::time_point b) { return std::chrono::duration<double, std::milli>(b - a).count(); }

struct Launch {
    double startMs = 0;  // launch to window shown and painted
    long peakKiB = 0;    // peak resident memory over the whole run
    bool ok = false;     // painted, closed, and ended with status 0
    std::string problem;
};

class XConnection {
public:
    XConnection()
        : dpy_(XOpenDisplay(nullptr))
    {
        if (!dpy_) {
            std::fprintf(stderr, "startup_bench: cannot open display %s\n", std::getenv("DISPLAY") ? std::getenv("DISPLAY") : "(unset)");
            std::exit(2);
        }
        root_ = DefaultRootWindow(dpy_);
        // Top-level windows are children of the root window when no window
        // manager runs: their MapNotify arrives here.
        XSelectInput(dpy_, root_, SubstructureNotifyMask);
        netWmPid_ = XInternAtom(dpy_, "_NET_WM_PID", False);
        wmProtocols_ = XInternAtom(dpy_, "WM_PROTOCOLS", False);
        wmDelete_ = XInternAtom(dpy_, "WM_DELETE_WINDOW", False);
        XSync(dpy_, False);
    }
    ~XConnection() { XCloseDisplay(dpy_); }

    void drain()
    {
        XSync(dpy_, False);
        while (XPending(dpy_)) {
            XEvent e;
            XNextEvent(dpy_, &e);
        }
    }

    // The first top-level window the process maps, or nothing by the deadline.
    std::optional<Window> mappedBy(pid_t pid, Clock::time_point deadline)
    {
        const int fd = ConnectionNumber(dpy_);
        while (Clock::now() < deadline) {
            while (XPending(dpy_)) {
                XEvent e;
                XNextEvent(dpy_, &e);
                if (e.type == MapNotify && e.xmap.event == root_ && !e.xmap.override_redirect && ownedBy(e.xmap.window, pid))
                    return e.xmap.window;
            }
            fd_set read;
            FD_ZERO(&read);
            FD_SET(fd, &read);
            timeval wait { 0, 1000 };
            select(fd + 1, &read, nullptr, nullptr, &wait);
        }
        return std::nullopt;
    }

    // The window's pixels as 0xRRGGBB, or nothing while it cannot be read.
    std::optional<std::vector<unsigned>> pixels(Window window, int& width, int& height)
    {
        XWindowAttributes attributes;
        if (!XGetWindowAttributes(dpy_, window, &attributes) || attributes.map_state != IsViewable)
            return std::nullopt;
        width = attributes.width;
        height = attributes.height;
        XImage* image = XGetImage(dpy_, window, 0, 0, unsigned(width), unsigned(height), AllPlanes, ZPixmap);
        if (!image)
            return std::nullopt;
        std::vector<unsigned> result(size_t(width) * size_t(height));
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                result[size_t(y) * size_t(width) + size_t(x)] = unsigned(XGetPixel(image, x, y)) & 0xFFFFFFu;
        XDestroyImage(image);
        return result;
    }

    // The colour the root window shows where no window is: what an unpainted
    // window without a background of its own shows too.
    unsigned rootColour()
    {
        XWindowAttributes attributes;
        XGetWindowAttributes(dpy_, root_, &attributes);
        XImage* image = XGetImage(dpy_, root_, attributes.width - 1, attributes.height - 1, 1, 1, AllPlanes, ZPixmap);
        const unsigned colour = unsigned(XGetPixel(image, 0, 0)) & 0xFFFFFFu;
        XDestroyImage(image);
        return colour;
    }

    // Asks the window to close, as a window manager's close button does.
    void close(Window window)
    {
        XEvent e {};
        e.xclient.type = ClientMessage;
        e.xclient.window = window;
        e.xclient.message_type = wmProtocols_;
        e.xclient.format = 32;
        e.xclient.data.l[0] = long(wmDelete_);
        e.xclient.data.l[1] = CurrentTime;
        XSendEvent(dpy_, window, False, NoEventMask, &e);
        XFlush(dpy_);
    }

private:
    bool ownedBy(Window window, pid_t pid)
    {
        Atom type;
        int format;
        unsigned long count, after;
        unsigned char* data = nullptr;
        if (XGetWindowProperty(dpy_, window, netWmPid_, 0, 1, False, XA_CARDINAL, &type, &format, &count, &after, &data) != Success || !data)
            return true;  // no pid on it: only the launched program maps windows here
        const bool mine = count == 1 && pid_t(*reinterpret_cast<unsigned long*>(data)) == pid;
        XFree(data);
        return mine;
    }

    ::Display* dpy_;
    Window root_;
    Atom netWmPid_, wmProtocols_, wmDelete_;
};

// Painted: most of the window no longer shows the root's colour and it is not
// one flat colour (a window's background fill alone would be).
bool painted(const std::vector<unsigned>& pixels, unsigned rootColour)
{
    size_t root = 0;
    std::map<unsigned, size_t> colours;
    for (unsigned p : pixels) {
        root += p == rootColour;
        if (colours.size() < 3)
            ++colours[p];
    }
    return root * 2 < pixels.size() && colours.size() >= 2;
}

Launch launch(XConnection& display, const std::string& path)
{
    Launch result;
    display.drain();
    const unsigned rootColour = display.rootColour();

    const Clock::time_point start = Clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        const std::string name = path.substr(path.rfind('/') + 1);
        execl(path.c_str(), name.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }

    const std::optional<Window> window = display.mappedBy(pid, start + 30s);
    if (!window) {
        result.problem = "no window within 30 s";
    } else {
        // Reads the window's pixels every millisecond until the first painted
        // frame: Qt paints the whole window in one flush of its backing store.
        const Clock::time_point deadline = Clock::now() + 30s;
        while (Clock::now() < deadline) {
            int width = 0, height = 0;
            const auto pixels = display.pixels(*window, width, height);
            const Clock::time_point at = Clock::now();
            if (pixels && painted(*pixels, rootColour)) {
                result.startMs = msBetween(start, at);
                result.ok = true;
                break;
            }
            std::this_thread::sleep_for(1ms);
        }
        if (!result.ok)
            result.problem = "not painted within 30 s";
        // The window stays up a moment, as it does for a user, before it is closed.
        std::this_thread::sleep_for(300ms);
        display.close(*window);
    }

    int status = 0;
    rusage usage {};
    const Clock::time_point deadline = Clock::now() + 10s;
    pid_t ended = 0;
    while ((ended = wait4(pid, &status, WNOHANG, &usage)) == 0 && Clock::now() < deadline)
        std::this_thread::sleep_for(2ms);
    if (ended == 0) {
        kill(pid, SIGKILL);
        wait4(pid, &status, 0, &usage);
        result.ok = false;
        result.problem = "did not end when closed";
    } else if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        result.ok = false;
        result.problem = "ended with status " + std::to_string(WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status));
    }
    result.peakKiB = usage.ru_maxrss;
    return result;
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n == 0 ? 0 : n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

struct Samples {
    std::vector<double> ms, mib, directMs, directMib;
};

}  // namespace

int main(int argc, char** argv)
{
    int rounds = 7;
    std::vector<std::string> paths;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--rounds") == 0 && i + 1 < argc)
            rounds = std::max(1, std::atoi(argv[++i]));
        else
            paths.emplace_back(argv[i]);
    }
    if (paths.size() < 2) {
        std::fprintf(stderr, "usage: startup_bench [--rounds N] <direct-window> <program>...\n");
        return 2;
    }
    const std::string direct = paths.front();
    const std::vector<std::string> programs(paths.begin() + 1, paths.end());

    XConnection display;
    // One launch of each first, unmeasured, so that every measured launch finds
    // the libraries and fonts in the page cache alike.
    for (const auto& path : paths)
        launch(display, path);

    std::map<std::string, Samples> samples;
    int failures = 0;
    auto record = [&](const std::string& path, std::vector<double>& ms, std::vector<double>& mib) {
        const Launch run = launch(display, path);
        if (!run.ok) {
            ++failures;
            std::fprintf(stderr, "startup_bench: %s: %s\n", path.c_str(), run.problem.c_str());
            return;
        }
        ms.push_back(run.startMs);
        mib.push_back(double(run.peakKiB) / 1024.0);
    };
    for (int round = 0; round < rounds; ++round) {
        for (const auto& program : programs) {
            Samples& s = samples[program];
            // Alternating which goes first cancels a drift within a pair as well.
            if (round % 2 == 0) {
                record(direct, s.directMs, s.directMib);
                record(program, s.ms, s.mib);
            } else {
                record(program, s.ms, s.mib);
                record(direct, s.directMs, s.directMib);
            }
        }
        std::fprintf(stderr, "startup_bench: round %d of %d done\n", round + 1, rounds);
    }

    std::printf("Start-up: launch to window shown and painted, and peak resident memory;\n"
                "medians of %d launches each, every one paired with a launch of the direct Qt window.\n"
                "Goal: at most 1.10x the direct window's time and at most 2 MiB more memory.\n\n",
                rounds);
    std::printf("%-14s %9s %9s %7s   %9s %9s %8s   %s\n", "program", "ms", "Qt ms", "ratio", "MiB", "Qt MiB", "+MiB", "goal");
    bool allMet = true;
    for (const auto& program : programs) {
        const Samples& s = samples[program];
        const double ms = median(s.ms), directMs = median(s.directMs);
        const double mib = median(s.mib), directMib = median(s.directMib);
        const double ratio = directMs > 0 ? ms / directMs : 0;
        const bool met = !s.ms.empty() && ratio <= 1.10 && mib - directMib <= 2.0;
        allMet = allMet && met;
        const std::string name = program.substr(program.rfind('/') + 1);
        std::printf("%-*s %9.1f %9.1f %7.3f   %9.2f %9.2f %+8.2f   %s\n",
                    // Pads by characters, not bytes, for the Greek name.
                    int(14 + name.size() - std::count_if(name.begin(), name.end(), [](char c) { return (c & 0xC0) != 0x80; })),
                    name.c_str(), ms, directMs, ratio, mib, directMib, mib - directMib, met ? "met" : "MISSED");
    }
    if (failures)
        std::printf("\n%d launches failed (see above); they are left out of the medians.\n", failures);
    return allMet && !failures ? 0 : 1;
}
