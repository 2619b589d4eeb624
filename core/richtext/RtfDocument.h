#pragma once
// Lines of a page as one RTF document, so a rich-text box takes many lines in one stream
// instead of one insertion per line.
#include <cstdint>
#include <span>
#include <string>

#include "core/richtext/RtbLine.h"

// The lines in order, each ended by a paragraph mark, as AddLineToRTB would append them
// (for insertion at the caret). foreColor stands in for colour 0; codePage is the ANSI code
// page the texts are in (their bytes above 127 are written as \'hh escapes).
std::string BuildRtf(std::span<const RtbLine> lines, std::uint32_t foreColor, unsigned codePage);
