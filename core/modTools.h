#pragma once
// General helpers.
#include <cstdint>
#include <string>
#include <type_traits>

namespace modTools {

// Unloads every loaded window, one after the other (a snapshot of the loaded-window
// registry, so unloading while walking is safe); a window whose unload fails is
// skipped and the walk goes on.
void UnloadAllForms();

// The text cut at its first NUL, without leading and trailing blanks.
std::string TrimNull(const std::string& text);

// True for a single digit, or for two or more characters of which the first is "-",
// "+", "." or a digit, every later one a digit or ".", with at most one "." in all.
// No range check: "-." and "5." are numbers.
bool IsNumber(const std::string& text);

namespace detail {
std::string FormatFileSizeValue(double size, bool showBytes);
}

// "0 bytes", "1 byte", "1,023 bytes", "1.00 KB", "10.0 KB", "100 MB", with the system's
// digit grouping and decimal sign; showBytes adds " (1,536 bytes)" from 1,024 up.
// A negative 16-bit or 32-bit size is taken as an unsigned number that wrapped.
template <class T>
    requires std::is_arithmetic_v<T>
std::string FormatFileSize(T size, bool showBytes = false)
{
    double v = static_cast<double>(size);
    if constexpr (std::is_integral_v<T> && std::is_signed_v<T>) {
        if (size < 0) {
            if constexpr (sizeof(T) == 2)
                v += 65536.0;
            else if constexpr (sizeof(T) == 4)
                v += 4294967296.0;
        }
    }
    return detail::FormatFileSizeValue(v, showBytes);
}

}  // namespace modTools
