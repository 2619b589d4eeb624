#pragma once
// Texts and dates the file search makes from a find record.
#include <cstdint>
#include <string>

namespace ql::search {

// "1,000 bytes", "1.50KB", "5.00GB" in the user's separators.
std::string SizeText(int64_t bytes);

// A FILETIME count (100 ns units since 1601-01-01, UTC) as an OLE date, UTC.
double FileTimeToDate(uint64_t count);

}  // namespace ql::search
