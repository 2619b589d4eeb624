#include "shell/ProgressThrottle.h"

bool ProgressThrottle::Due(std::int32_t current, std::int32_t total, std::uint32_t nowMs)
{
    // Unsigned difference: right across the tick count's wrap.
    if (shown_ && current < total && nowMs - lastMs_ < intervalMs_)
        return false;
    shown_ = true;
    lastMs_ = nowMs;
    return true;
}
