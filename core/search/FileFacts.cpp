#include "core/search/FileFacts.h"

#include <cmath>

#include "core/util/NumberText.h"

namespace ql::search {

std::string SizeText(int64_t n)
{
    if (n == -1)
        return "0" + ql::DecimalSeparator() + "0KB (0 bytes)";
    if (n < 1024)
        return ql::FormatNumber(static_cast<double>(n), 0, true) + " bytes";
    int64_t k = n / 1024;
    double d = static_cast<double>(n);
    if (k <= 9)
        return ql::FormatNumber(d / 1024, 2, false) + "KB";
    if (k <= 999)
        return ql::FormatNumber(d / 1024, 1, false) + "KB";
    if (k <= 9999)
        return ql::FormatNumber(d / 1048576, 2, false) + "MB";
    if (k <= 999999)
        return ql::FormatNumber(d / 1048576, 1, false) + "MB";
    return ql::FormatNumber(d / 1048576 / 1024, 2, false) + "GB";
}

double FileTimeToDate(uint64_t count)
{
    // Whole hours first, then the remaining seconds, as whole seconds.
    double seconds = static_cast<double>(count) / 10000000.0;
    double hours = std::round(seconds / 3600.0);
    double rest = std::round(seconds - hours * 3600.0);
    double total = hours * 3600.0 + rest;  // seconds since 1601-01-01
    double days = std::floor(total / 86400.0);
    double frac = (total - days * 86400.0) / 86400.0;
    // 1601-01-01 is day -109205 of the OLE calendar; before 1899-12-30 the time of
    // day counts away from zero.
    double oleDay = days - 109205.0;
    return oleDay >= 0 ? oleDay + frac : oleDay - frac;
}

}  // namespace ql::search
