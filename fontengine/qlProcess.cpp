#include "fontengine/qlProcess.h"

#include <charconv>

#include "platform/QlError.h"

std::int32_t qlProcess::Process() const
{
    std::int32_t code = 0;
    auto [end, ec] = std::from_chars(process_.data(), process_.data() + process_.size(), code);
    if (process_.empty() || ec != std::errc() || end != process_.data() + process_.size())
        throw QlError(13, "qlProcess", "Type mismatch");
    return code;
}
