#include "platform/forms/Convert.h"

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <limits>

#include "platform/QlError.h"

namespace platform::forms {

static bool Parse(const std::string& text, double& out, bool wholeText)
{
    size_t i = 0, n = text.size();
    while (i < n && std::isspace(static_cast<unsigned char>(text[i])))
        ++i;
    if (i + 1 < n && text[i] == '&' && (text[i + 1] == 'H' || text[i + 1] == 'h')) {
        size_t j = i + 2;
        long long v = 0;
        size_t digits = 0;
        while (j < n && std::isxdigit(static_cast<unsigned char>(text[j])) && digits < 16) {
            v = v * 16 + (std::isdigit(static_cast<unsigned char>(text[j])) ? text[j] - '0'
                                                                          : std::tolower(text[j]) - 'a' + 10);
            ++j;
            ++digits;
        }
        if (!digits)
            return false;
        // Up to four digits a hex literal is an Integer, then a Long: "&HFFFF" is -1.
        if (digits <= 4 && v > 0x7FFF)
            v -= 0x10000;
        else if (digits <= 8 && v > 0x7FFFFFFF)
            v -= 0x100000000LL;
        while (j < n && std::isspace(static_cast<unsigned char>(text[j])))
            ++j;
        if (wholeText && j != n)
            return false;
        out = static_cast<double>(v);
        return true;
    }
    size_t start = i;
    if (i < n && (text[i] == '+' || text[i] == '-'))
        ++i;
    size_t digits = 0;
    while (i < n && std::isdigit(static_cast<unsigned char>(text[i])))
        ++i, ++digits;
    if (i < n && text[i] == '.') {
        ++i;
        while (i < n && std::isdigit(static_cast<unsigned char>(text[i])))
            ++i, ++digits;
    }
    if (!digits)
        return false;
    if (i < n && (text[i] == 'e' || text[i] == 'E')) {
        size_t j = i + 1;
        if (j < n && (text[j] == '+' || text[j] == '-'))
            ++j;
        if (j < n && std::isdigit(static_cast<unsigned char>(text[j]))) {
            while (j < n && std::isdigit(static_cast<unsigned char>(text[j])))
                ++j;
            i = j;
        }
    }
    std::string number = text.substr(start, i - start);
    while (i < n && std::isspace(static_cast<unsigned char>(text[i])))
        ++i;
    if (wholeText && i != n)
        return false;
    out = std::strtod(number.c_str(), nullptr);
    return std::isfinite(out);
}

double CDbl(const std::string& text)
{
    double v;
    if (!Parse(text, v, true))
        throw QlError(13, "Convert", "Type mismatch");
    return v;
}

float CSng(const std::string& text)
{
    double v = CDbl(text);
    if (std::fabs(v) > std::numeric_limits<float>::max())
        throw QlError(6, "Convert", "Overflow");
    return static_cast<float>(v);
}

static double RoundHalfEven(double v)
{
    double r = std::nearbyint(v);  // the default rounding mode is to nearest, ties to even
    return r;
}

int32_t CLng(double value)
{
    double r = RoundHalfEven(value);
    if (!(r >= -2147483648.0 && r <= 2147483647.0))
        throw QlError(6, "Convert", "Overflow");
    return static_cast<int32_t>(r);
}

int16_t CInt(double value)
{
    double r = RoundHalfEven(value);
    if (!(r >= -32768.0 && r <= 32767.0))
        throw QlError(6, "Convert", "Overflow");
    return static_cast<int16_t>(r);
}

int32_t CLng(const std::string& text) { return CLng(CDbl(text)); }
int16_t CInt(const std::string& text) { return CInt(CDbl(text)); }

double Val(const std::string& text)
{
    double v;
    return Parse(text, v, false) ? v : 0.0;
}

}  // namespace platform::forms
