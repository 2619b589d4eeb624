#pragma once
// Decoding of naming-table strings by platform and encoding.
#include <cstdint>
#include <string>

#include "fontengine/parsers/ByteSpan.h"

namespace fontparsers {

enum : std::uint16_t {
    kPlatformUnicode = 0,
    kPlatformMacintosh = 1,
    kPlatformIso = 2,
    kPlatformWindows = 3,
};

// Unicode and Windows strings are UTF-16 big-endian; Macintosh Roman is mapped through
// its code chart; anything else is taken byte by byte.
std::u16string DecodeNameText(std::uint16_t platformID, std::uint16_t encodingID, Bytes raw);

std::u16string DecodeUtf16BE(Bytes raw);
std::u16string DecodeMacRoman(Bytes raw);

// GDI keeps at most 31 characters of a face name.
std::u16string CutFaceName(std::u16string_view face);

}  // namespace fontparsers
