#pragma once
// Decides when a progress display is worth redrawing: a redraw per step would cost more
// than the steps themselves, so steps in between are skipped for a short while.
#include <cstdint>

class ProgressThrottle {
public:
    explicit ProgressThrottle(std::uint32_t intervalMs = 50) : intervalMs_(intervalMs) {}

    // True for the first step, the last step of a run (current >= total) and any step at
    // least the interval after the last one shown; `nowMs` is a wrapping millisecond tick.
    bool Due(std::int32_t current, std::int32_t total, std::uint32_t nowMs);

private:
    std::uint32_t intervalMs_;
    std::uint32_t lastMs_ = 0;
    bool shown_ = false;
};
