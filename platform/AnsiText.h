#pragma once
// Text crosses to the platform in the system's ANSI code page.
#include <string>
#include <string_view>

namespace platform {

std::string ToAnsi(std::u16string_view text);
std::u16string FromAnsi(std::string_view text);

// A buffer the platform filled, cut at its first NUL.
std::string CutAtNul(std::string_view text);

}  // namespace platform
