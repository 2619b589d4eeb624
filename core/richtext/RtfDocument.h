#pragma once
// A whole page of lines as one RTF document, so a rich-text box takes it in one stream
// (one layout pass) instead of one insertion per line.
#include <cstdint>
#include <string>
#include <vector>

#include "core/richtext/RtbLine.h"

// The lines in order, each ended by a paragraph mark, as AddLineToRTB would append them to
// an empty box (with one more mark at the end, which the box takes as its own final one). foreColor stands in for colour 0; codePage is the ANSI code page the texts
// are in (their bytes above 127 are written as \'hh escapes).
std::string BuildRtf(const std::vector<RtbLine>& lines, std::uint32_t foreColor, unsigned codePage);
