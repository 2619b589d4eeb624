#include "platform/zip/ZipNameCoding.h"

#include "platform/zip/ZipFormat.h"

#include <zlib.h>

namespace qlzip {

namespace {

// Bytes 0x80..0xFF of code page 437.
const uint16_t kCp437High[128] = {
    0x00C7, 0x00FC, 0x00E9, 0x00E2, 0x00E4, 0x00E0, 0x00E5, 0x00E7,
    0x00EA, 0x00EB, 0x00E8, 0x00EF, 0x00EE, 0x00EC, 0x00C4, 0x00C5,
    0x00C9, 0x00E6, 0x00C6, 0x00F4, 0x00F6, 0x00F2, 0x00FB, 0x00F9,
    0x00FF, 0x00D6, 0x00DC, 0x00A2, 0x00A3, 0x00A5, 0x20A7, 0x0192,
    0x00E1, 0x00ED, 0x00F3, 0x00FA, 0x00F1, 0x00D1, 0x00AA, 0x00BA,
    0x00BF, 0x2310, 0x00AC, 0x00BD, 0x00BC, 0x00A1, 0x00AB, 0x00BB,
    0x2591, 0x2592, 0x2593, 0x2502, 0x2524, 0x2561, 0x2562, 0x2556,
    0x2555, 0x2563, 0x2551, 0x2557, 0x255D, 0x255C, 0x255B, 0x2510,
    0x2514, 0x2534, 0x252C, 0x251C, 0x2500, 0x253C, 0x255E, 0x255F,
    0x255A, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550, 0x256C, 0x2567,
    0x2568, 0x2564, 0x2565, 0x2559, 0x2558, 0x2552, 0x2553, 0x256B,
    0x256A, 0x2518, 0x250C, 0x2588, 0x2584, 0x258C, 0x2590, 0x2580,
    0x03B1, 0x00DF, 0x0393, 0x03C0, 0x03A3, 0x03C3, 0x00B5, 0x03C4,
    0x03A6, 0x0398, 0x03A9, 0x03B4, 0x221E, 0x03C6, 0x03B5, 0x2229,
    0x2261, 0x00B1, 0x2265, 0x2264, 0x2320, 0x2321, 0x00F7, 0x2248,
    0x00B0, 0x2219, 0x00B7, 0x221A, 0x207F, 0x00B2, 0x25A0, 0x00A0,
};

void AppendUtf8(std::string& out, uint32_t c)
{
    if (c < 0x80) {
        out += char(c);
    } else if (c < 0x800) {
        out += char(0xC0 | (c >> 6));
        out += char(0x80 | (c & 0x3F));
    } else {
        out += char(0xE0 | (c >> 12));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    }
}

// The Info-ZIP Unicode Path field: version 1, the CRC of the stored name, UTF-8 name.
bool UnicodePath(std::string_view raw, std::string_view extra, std::string& out)
{
    auto* p = reinterpret_cast<const unsigned char*>(extra.data());
    size_t pos = 0;
    while (extra.size() - pos >= 4) {
        uint16_t id = Get16(p + pos), len = Get16(p + pos + 2);
        pos += 4;
        if (len > extra.size() - pos)
            return false;
        if (id == kUnicodePathExtra && len >= 5 && p[pos] == 1) {
            uint32_t crc = uint32_t(crc32(0, reinterpret_cast<const Bytef*>(raw.data()), uInt(raw.size())));
            // A field whose CRC does not match belongs to a name some tool changed later.
            if (Get32(p + pos + 1) != crc)
                return false;
            out.assign(extra.data() + pos + 5, len - 5);
            return true;
        }
        pos += len;
    }
    return false;
}

}  // namespace

bool IsAscii(std::string_view s)
{
    for (unsigned char c : s)
        if (c >= 0x80)
            return false;
    return true;
}

bool IsUtf8(std::string_view s)
{
    auto* p = reinterpret_cast<const unsigned char*>(s.data());
    size_t n = s.size();
    for (size_t i = 0; i < n;) {
        unsigned char c = p[i];
        size_t more = c < 0x80 ? 0 : (c & 0xE0) == 0xC0 ? 1 : (c & 0xF0) == 0xE0 ? 2 : (c & 0xF8) == 0xF0 ? 3 : 9;
        if (more == 9 || (more == 1 && c < 0xC2) || more > n - i - 1)
            return false;
        for (size_t k = 1; k <= more; ++k)
            if ((p[i + k] & 0xC0) != 0x80)
                return false;
        i += more + 1;
    }
    return true;
}

std::string Cp437ToUtf8(std::string_view raw)
{
    std::string out;
    out.reserve(raw.size());
    for (unsigned char c : raw)
        AppendUtf8(out, c < 0x80 ? c : kCp437High[c - 0x80]);
    return out;
}

std::string DecodeEntryName(std::string_view raw, uint16_t flags, std::string_view extra, uint16_t versionMadeBy)
{
    if (flags & kFlagUtf8)
        return std::string(raw);
    std::string unicode;
    if (UnicodePath(raw, extra, unicode))
        return unicode;
    if (IsAscii(raw))
        return std::string(raw);
    constexpr int kMadeOnUnix = 3;
    if ((versionMadeBy >> 8) == kMadeOnUnix && IsUtf8(raw))
        return std::string(raw);
    return Cp437ToUtf8(raw);
}

}  // namespace qlzip
