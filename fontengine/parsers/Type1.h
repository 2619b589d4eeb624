#pragma once
// The clear-text header of a PostScript Type 1 font file and the values of its
// font dictionary keys, found by plain text search line by line.
#include <string>
#include <string_view>
#include <vector>

#include "fontengine/parsers/ByteSpan.h"

namespace fontparsers {

// The readable part of a Type 1 file: for the binary form (segments starting 0x80)
// the ASCII segments joined; for the text form everything before "eexec"; for
// anything else the whole file. One character per byte.
std::string Type1ClearText(Bytes file);

// Splits at every line end: LF, CR or CR LF.
std::vector<std::string> SplitLines(std::string_view text);

// The value that follows key on the first line that holds it (letter case ignored,
// the key matched as a whole name): a parenthesised string without its outer
// parentheses (inner pairs and escaped parentheses kept), otherwise the text up to
// the next blank. Empty when no line holds the key or nothing follows it.
std::string Type1Value(const std::vector<std::string>& lines, std::string_view key);

}  // namespace fontparsers
