// A timer: raises Timer every interval while it is enabled, on the form's clock.
#include "forms/controls.h"

#include "controls/host.h"

namespace forms {

Timer::Timer(FormHost& host, const ControlRow& row)
    : Control(host, row)
    , enabled_(false)
{
    setEnabled(row.enabled);
}

Timer::~Timer() = default;

void Timer::setEnabled(bool enabled)
{
    enabled_ = enabled;
    if (!enabled)
        ticker_.reset();
    else if (!ticker_)
        ticker_ = host_.clock().every(std::chrono::milliseconds(row_.interval), [this] { raise(Trigger::Timer); });
}

}  // namespace forms
