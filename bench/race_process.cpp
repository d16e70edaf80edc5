#include "race_process.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <thread>
#include <vector>

namespace race_bench {

namespace {

using Steady = std::chrono::steady_clock;
using namespace std::chrono_literals;

// Starts a program with its output discarded; returns its pid.
pid_t spawn(const std::vector<std::string>& argv)
{
    const pid_t pid = fork();
    if (pid == 0) {
        const int null = open("/dev/null", O_WRONLY);
        dup2(null, STDOUT_FILENO);
        dup2(null, STDERR_FILENO);
        std::vector<char*> args;
        for (const auto& a : argv)
            args.push_back(const_cast<char*>(a.c_str()));
        args.push_back(nullptr);
        execvp(args[0], args.data());
        _exit(127);
    }
    return pid;
}

bool runs(const std::vector<std::string>& argv)
{
    int status = 0;
    return waitpid(spawn(argv), &status, 0) > 0 && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

std::string firstLineOf(const std::string& command)
{
    std::string line;
    if (FILE* out = popen(command.c_str(), "r")) {
        char buffer[256];
        if (std::fgets(buffer, sizeof buffer, out))
            line = buffer;
        pclose(out);
    }
    while (!line.empty() && (line.back() == '\n' || line.back() == ' '))
        line.pop_back();
    return line;
}

// What the scheduler has recorded for all of a process's threads so far.
struct Activity {
    long long cpuNs = 0;
    long long slices = 0;  // times a thread was put on a CPU
    bool operator==(const Activity&) const = default;
};

Activity activityOf(pid_t pid)
{
    Activity total;
    std::error_code error;
    for (const auto& task : std::filesystem::directory_iterator("/proc/" + std::to_string(pid) + "/task", error)) {
        std::ifstream in(task.path() / "schedstat");
        long long cpu = 0, waiting = 0, slices = 0;
        if (in >> cpu >> waiting >> slices) {
            total.cpuNs += cpu;
            total.slices += slices;
        }
    }
    return total;
}

// Waits until no thread has run for `quiet`; returns the activity at the last
// change and when it was seen, or nothing if the process never settles.
struct Settled {
    Activity activity;
    Steady::time_point at;
};
std::optional<Settled> settle(pid_t pid, std::chrono::milliseconds quiet, std::chrono::seconds limit)
{
    const auto deadline = Steady::now() + limit;
    Settled last { activityOf(pid), Steady::now() };
    while (Steady::now() < deadline) {
        std::this_thread::sleep_for(5ms);
        const Activity now = activityOf(pid);
        if (!(now == last.activity))
            last = { now, Steady::now() };
        else if (Steady::now() - last.at >= quiet)
            return last;
    }
    return std::nullopt;
}

struct Race {
    double seconds = 0;
    Activity used;
};

std::optional<Race> clickAndWait(pid_t pid, const std::string& window, int x, int y)
{
    const Activity before = activityOf(pid);
    const auto clicked = Steady::now();
    if (!runs({ "xdotool", "mousemove", "--window", window, std::to_string(x), std::to_string(y), "click", "1" }))
        return std::nullopt;
    // A race wakes the program at least once per step; a second without any
    // wake-up means it has ended.
    const auto settled = settle(pid, 1000ms, 600s);
    if (!settled)
        return std::nullopt;
    return Race { std::chrono::duration<double>(settled->at - clicked).count(),
                  { settled->activity.cpuNs - before.cpuNs, settled->activity.slices - before.slices } };
}

bool allTraced(pid_t pid)
{
    std::error_code error;
    int tasks = 0;
    for (const auto& task : std::filesystem::directory_iterator("/proc/" + std::to_string(pid) + "/task", error)) {
        std::ifstream in(task.path() / "status");
        std::string line;
        bool traced = false;
        while (std::getline(in, line))
            if (line.rfind("TracerPid:", 0) == 0)
                traced = std::atol(line.c_str() + 10) != 0;
        if (!traced)
            return false;
        ++tasks;
    }
    return tasks > 0;
}

// The summary strace -c writes: one row per system call, then a total.
void readSummary(const std::string& path, ProcessFigures& f)
{
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream row(line);
        std::vector<std::string> fields;
        for (std::string field; row >> field;)
            fields.push_back(field);
        if (fields.size() < 5 || !std::isdigit(static_cast<unsigned char>(fields[0][0])))
            continue;
        const std::string& name = fields.back();
        const long calls = std::atol(fields[3].c_str());
        if (name == "total")
            f.syscalls = calls;
        else if (name == "poll" || name == "ppoll")
            f.polls += calls;
        else if (name.find("stat") != std::string::npos)
            f.stats += calls;
    }
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

class Program {
public:
    explicit Program(const std::string& path) : pid_(spawn({ path })) {}
    ~Program()
    {
        kill(pid_, SIGTERM);
        int status = 0;
        waitpid(pid_, &status, 0);
    }
    pid_t pid() const { return pid_; }

    // Its top-level window, once mapped.
    std::string window() const
    {
        for (int i = 0; i < 400; ++i) {
            const std::string id = firstLineOf("xdotool search --onlyvisible --pid " + std::to_string(pid_) + " 2>/dev/null");
            if (!id.empty())
                return id;
            std::this_thread::sleep_for(50ms);
        }
        return {};
    }

private:
    pid_t pid_;
};

}  // namespace

ProcessFigures measureProgram(const std::string& path, int x, int y, int races)
{
    ProcessFigures f;
    {
        Program program(path);
        const std::string window = program.window();
        if (window.empty() || !settle(program.pid(), 500ms, 30s)) {
            f.problem = "no window, or it never settled";
            return f;
        }
        std::vector<double> seconds, shares, wakeups;
        for (int i = 0; i < races; ++i) {
            const auto race = clickAndWait(program.pid(), window, x, y);
            if (!race) {
                f.problem = "a race did not end";
                return f;
            }
            seconds.push_back(race->seconds);
            shares.push_back(100.0 * double(race->used.cpuNs) / 1e9 / race->seconds);
            wakeups.push_back(double(race->used.slices) / race->seconds);
        }
        f.races = races;
        f.raceS = median(seconds);
        f.cpuShare = median(shares);
        f.wakeupsPerS = median(wakeups);
    }

    Program program(path);
    const std::string window = program.window();
    if (window.empty() || !settle(program.pid(), 500ms, 30s)) {
        f.problem = "no window, or it never settled";
        return f;
    }
    char summary[] = "/tmp/race_bench_strace_XXXXXX";
    const int fd = mkstemp(summary);
    if (fd < 0) {
        f.problem = "no temporary file";
        return f;
    }
    close(fd);
    const pid_t strace = spawn({ "strace", "-f", "-c", "-o", summary, "-p", std::to_string(program.pid()) });
    for (int i = 0; i < 500 && !allTraced(program.pid()); ++i)
        std::this_thread::sleep_for(10ms);
    std::optional<Race> race;
    if (allTraced(program.pid()) && settle(program.pid(), 500ms, 30s))
        race = clickAndWait(program.pid(), window, x, y);
    kill(strace, SIGINT);  // detaches and writes the summary
    int status = 0;
    waitpid(strace, &status, 0);
    if (race) {
        f.tracedRaceS = race->seconds;
        readSummary(summary, f);
    } else {
        f.problem = "the race under strace did not run (is strace installed?)";
    }
    std::remove(summary);
    return f;
}

}  // namespace race_bench
