#include "platform/forms/Timer.h"

#include "platform/QlError.h"
#include "platform/forms/Form.h"

namespace platform::forms {

Timer::~Timer() { Destroy(); }

void Timer::Interval(int ms)
{
    if (ms < 0 || ms > 65535)
        throw QlError(380, Name(), "Invalid property value");
    interval_ = ms;
    EnsureLoaded();
    Restart();
}

void Timer::Enabled(bool v)
{
    enabled_ = v;
    EnsureLoaded();
    Restart();
}

void Timer::Restart()
{
    HWND w = form_.Window();
    if (!w)
        return;
    UINT_PTR id = static_cast<UINT_PTR>(form_.TimerId(this));
    if (armed_) {
        KillTimer(w, id);
        armed_ = false;
    }
    if (enabled_ && interval_ > 0) {
        SetTimer(w, id, static_cast<UINT>(interval_), nullptr);
        armed_ = true;
    }
}

void Timer::Create() { Restart(); }

void Timer::Destroy()
{
    if (armed_) {
        if (HWND w = form_.Window())
            KillTimer(w, static_cast<UINT_PTR>(form_.TimerId(this)));
        armed_ = false;
    }
}

void Timer::Fire()
{
    if (running_ || !enabled_ || interval_ == 0)
        return;
    running_ = true;
    Tick.Raise(Source("Timer"));
    running_ = false;
}

}  // namespace platform::forms
