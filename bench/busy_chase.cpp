// chase with the race's wait as first written: a busy poll that reads the time
// of day through the standard local-time call and runs DoEvents, which never
// sleeps here, until 0.17 s have passed. race_bench measures it beside chase.
#include "chase.h"

#include <forms/run.h>

#include <QDateTime>

namespace {

class BusyClock final : public forms::Clock {
public:
    QDateTime now() const override { return QDateTime::currentDateTime(); }
    std::chrono::nanoseconds monotonic() const override { return system_.monotonic(); }
    std::unique_ptr<Ticker> every(std::chrono::milliseconds interval, std::function<void()> tick) override
    {
        return system_.every(interval, std::move(tick));
    }
    void idle(std::chrono::milliseconds) override {}

private:
    forms::SystemClock system_;
};

}  // namespace

int main(int argc, char** argv)
{
    BusyClock clock;
    const forms::ProgramInfo program { .executable = "busy_chase", .command = "busy_chase", .desktopId = "forms-chase",
                                       .summary = "chase with a busy-polling wait", .menuName = "Καταδίωξη",
                                       .menuNameEnglish = "Pursuit race", .version = "" };
    return forms::run(argc, argv, program,
                      [&] { return std::make_unique<chase::Form1>(chase::chase(), forms::Services { &clock, nullptr }); });
}
