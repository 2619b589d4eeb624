#include "core/util/NumberText.h"

#include <windows.h>

#include <cmath>
#include <cstdio>
#include <vector>

namespace ql {

namespace {

std::string LocaleText(LCTYPE type, const char* fallback)
{
    char buf[16] = {};
    int n = GetLocaleInfoA(LOCALE_USER_DEFAULT, type, buf, sizeof buf);
    if (n <= 1)
        return fallback;
    return std::string(buf);
}

}  // namespace

std::string DecimalSeparator() { return LocaleText(LOCALE_SDECIMAL, "."); }

std::string FormatNumber(double value, int decimals, bool grouped)
{
    if (decimals < 0)
        decimals = 0;
    if (!std::isfinite(value))
        value = 0;
    char plain[64];
    std::snprintf(plain, sizeof plain, "%.*f", decimals, value);

    std::string dec = DecimalSeparator();
    std::string thou = LocaleText(LOCALE_STHOUSAND, ",");
    NUMBERFMTA fmt{};
    fmt.NumDigits = static_cast<UINT>(decimals);
    fmt.LeadingZero = 1;
    fmt.Grouping = grouped ? 3 : 0;
    fmt.lpDecimalSep = dec.data();
    fmt.lpThousandSep = thou.data();
    fmt.NegativeOrder = 1;
    char out[96] = {};
    int n = GetNumberFormatA(LOCALE_USER_DEFAULT, 0, plain, &fmt, out, sizeof out);
    if (n <= 0)
        return plain;
    return std::string(out);
}

}  // namespace ql
