#include "core/util/cProTimer.h"

#include <windows.h>

#include <cmath>
#include <cstdio>

#include "core/util/NumberText.h"

cProTimer::Clock cProTimer::SystemClock()
{
    Clock c;
    c.frequency = [] {
        LARGE_INTEGER f{};
        return QueryPerformanceFrequency(&f) ? static_cast<int64_t>(f.QuadPart) : int64_t{0};
    };
    c.counter = [] {
        LARGE_INTEGER n{};
        QueryPerformanceCounter(&n);
        return static_cast<int64_t>(n.QuadPart);
    };
    c.ticks = [] { return static_cast<uint32_t>(GetTickCount()); };
    return c;
}

cProTimer::cProTimer() : cProTimer(SystemClock()) {}

cProTimer::cProTimer(Clock clock) : clock_(std::move(clock)), frequency_(clock_.frequency()) {}

int64_t cProTimer::Now() const { return frequency_ ? clock_.counter() : static_cast<int64_t>(clock_.ticks()); }

double cProTimer::RunMs() const
{
    if (frequency_)
        return static_cast<double>(Now() - startCount_) / static_cast<double>(frequency_) * 1000.0;
    // The tick count wraps after 49.7 days; unsigned difference keeps one wrap right.
    return static_cast<double>(static_cast<uint32_t>(Now()) - static_cast<uint32_t>(startCount_));
}

void cProTimer::Start()
{
    if (state_ == State::Running)
        return;
    if (state_ == State::Stopped)
        accumulatedMs_ = 0;
    startCount_ = Now();
    state_ = State::Running;
}

// Pause and stop only count a run that is going on: a stale start count would add
// time that never ran.
double cProTimer::Pause()
{
    if (state_ != State::Running)
        return 0;
    double run = RunMs();
    accumulatedMs_ += run;
    state_ = State::Paused;
    return std::round(run) / 1000.0;
}

void cProTimer::StopTime()
{
    if (state_ == State::Running)
        accumulatedMs_ += RunMs();
    state_ = State::Stopped;
}

double cProTimer::Elapsed() const { return state_ == State::Running ? RunMs() : accumulatedMs_; }

std::string cProTimer::ElapsedString() const
{
    double seconds = Elapsed() / 1000.0;
    char buf[64];
    std::snprintf(buf, sizeof buf, "%07.3f", seconds);
    std::string text = buf;
    auto dot = text.find('.');
    if (dot != std::string::npos)
        text.replace(dot, 1, ql::DecimalSeparator());
    return text + " seconds";
}
