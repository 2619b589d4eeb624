#pragma once
// A stopwatch with pause and resume over the high-resolution counter (the tick
// count when there is none).
#include <cstdint>
#include <functional>
#include <string>

class cProTimer {
public:
    // Where the counts come from; tests give their own clock.
    struct Clock {
        std::function<int64_t()> frequency;  // 0: no high-resolution counter
        std::function<int64_t()> counter;
        std::function<uint32_t()> ticks;
    };
    static Clock SystemClock();

    cProTimer();
    explicit cProTimer(Clock clock);

    bool IsHiTimer() const { return frequency_ != 0; }
    void Start();
    // Seconds of the run that ends here, rounded to three decimals.
    double Pause();
    void StopTime();
    double Elapsed() const;  // milliseconds
    std::string ElapsedString() const;

private:
    int64_t Now() const;
    double RunMs() const;

    Clock clock_;
    enum class State { Stopped, Running, Paused };
    State state_ = State::Stopped;
    int64_t startCount_ = 0;
    double accumulatedMs_ = 0;
    int64_t frequency_ = 0;
};
