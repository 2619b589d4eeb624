#include "core/modTools.h"

#include <windows.h>

#include <cmath>
#include <cstdio>

#include "platform/LoadedForms.h"

namespace modTools {

void UnloadAllForms()
{
    for (platform::LoadedForm* form : platform::LoadedFormsSnapshot()) {
        try {
            if (platform::IsFormRegistered(form))
                form->Unload();
        } catch (...) {
            // the next window is unloaded all the same
        }
    }
}

std::string TrimNull(const std::string& text)
{
    std::string s = text.substr(0, text.find('\0'));
    std::size_t first = s.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    std::size_t last = s.find_last_not_of(' ');
    return s.substr(first, last - first + 1);
}

bool IsNumber(const std::string& text)
{
    auto digit = [](char c) { return c >= '0' && c <= '9'; };
    if (text.size() == 1)
        return digit(text[0]);
    if (text.size() < 2)
        return false;
    char first = text[0];
    if (!(first == '-' || first == '+' || first == '.' || digit(first)))
        return false;
    for (std::size_t i = 1; i < text.size(); ++i)
        if (!(digit(text[i]) || text[i] == '.'))
            return false;
    std::size_t dot = text.find('.');
    return dot == std::string::npos || text.find('.', dot + 1) == std::string::npos;
}

namespace {

std::string LocaleText(LCTYPE what, const char* fallback)
{
    char buf[16] = {};
    if (GetLocaleInfoA(LOCALE_USER_DEFAULT, what, buf, sizeof buf) <= 0 || !buf[0])
        return fallback;
    return buf;
}

// A whole number with the system's digit grouping (the pattern "#,##0").
std::string Grouped(double value)
{
    char digits[64];
    std::snprintf(digits, sizeof digits, "%.0f", std::round(value));
    std::string decimal = LocaleText(LOCALE_SDECIMAL, ".");
    std::string thousand = LocaleText(LOCALE_STHOUSAND, ",");
    // "3;0" -> 3, "3;2;0" -> 32, as NUMBERFMT wants it.
    std::string groupingText = LocaleText(LOCALE_SGROUPING, "3;0");
    UINT grouping = 0;
    bool repeat = groupingText.size() >= 2 && groupingText.compare(groupingText.size() - 2, 2, ";0") == 0;
    for (char c : groupingText)
        if (c >= '0' && c <= '9')
            grouping = grouping * 10 + static_cast<UINT>(c - '0');
    if (repeat)
        grouping /= 10;  // NUMBERFMT repeats the last group unless it ends in 0
    else
        grouping *= 10;
    NUMBERFMTA fmt{};
    fmt.NumDigits = 0;
    fmt.LeadingZero = 1;
    fmt.Grouping = grouping;
    fmt.lpDecimalSep = decimal.data();
    fmt.lpThousandSep = thousand.data();
    fmt.NegativeOrder = 1;
    char out[96] = {};
    if (GetNumberFormatA(LOCALE_USER_DEFAULT, 0, digits, &fmt, out, sizeof out) <= 0)
        return digits;
    return out;
}

// value / 10^4 written with `decimals` places, rounded half away from zero, with the
// system's decimal sign and no grouping (the patterns "0.00", "0.0" and "0").
std::string Fixed(long long tenThousandths, int decimals)
{
    long long div = 1;
    for (int i = decimals; i < 4; ++i)
        div *= 10;
    long long scaled = (tenThousandths + div / 2) / div;  // non-negative here
    long long unit = 1;
    for (int i = 0; i < decimals; ++i)
        unit *= 10;
    std::string out = std::to_string(scaled / unit);
    if (decimals > 0) {
        std::string frac = std::to_string(scaled % unit);
        out += LocaleText(LOCALE_SDECIMAL, ".") + std::string(static_cast<std::size_t>(decimals) - frac.size(), '0') + frac;
    }
    return out;
}

}  // namespace

namespace detail {

std::string FormatFileSizeValue(double size, bool showBytes)
{
    if (size < 1024.0)
        return Grouped(size) + (size == 1.0 ? " byte" : " bytes");
    const double kb = 1024.0, mb = kb * 1024.0, gb = mb * 1024.0, tb = gb * 1024.0;
    double unit = kb;
    const char* name = " KB";
    if (size >= tb) {
        unit = tb;
        name = " TB";
    } else if (size >= gb) {
        unit = gb;
        name = " GB";
    } else if (size >= mb) {
        unit = mb;
        name = " MB";
    }
    // Held as a fixed-point number with four decimals, rounded to even as such numbers are.
    long long q = static_cast<long long>(std::nearbyint(size / unit * 10000.0));
    std::string out;
    if (q < 100000)
        out = Fixed(q, 2);
    else if (q < 1000000)
        out = Fixed(q, 1);
    else
        out = Fixed(q, 0);
    out += name;
    if (showBytes)
        out += " (" + Grouped(size) + " bytes)";
    return out;
}

}  // namespace detail
}  // namespace modTools
