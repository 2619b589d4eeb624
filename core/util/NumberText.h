#pragma once
// Numbers as text in the user's regional settings (decimal and grouping separators).
#include <string>

namespace ql {

// A number with a fixed count of decimals; grouped = thousands separators as "#,##0" gives.
std::string FormatNumber(double value, int decimals, bool grouped);

// The user's decimal separator ("." when the platform gives none).
std::string DecimalSeparator();

}  // namespace ql
