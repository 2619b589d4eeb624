#include "fontengine/parsers/FonFile.h"

namespace fontparsers {

namespace {

constexpr std::uint16_t kRtFont = 0x8008;
constexpr std::uint16_t kRtFontDir = 0x8007;
constexpr std::uint64_t kFontDirEntryFixed = 113;  // FONTDIRENTRY up to its two strings
constexpr std::uint64_t kFntFaceOffset = 0x69;     // dfFace in a font resource header

// A NUL-terminated string inside b from offset; false when it runs off the end.
bool ReadCString(Bytes b, std::uint64_t at, std::string& out, std::uint64_t* next = nullptr)
{
    out.clear();
    while (true) {
        std::uint8_t c = 0;
        if (!ReadU8(b, at, c))
            return false;
        ++at;
        if (c == 0)
            break;
        out += static_cast<char>(c);
    }
    if (next)
        *next = at;
    return true;
}

std::string Trim(const std::string& s)
{
    std::size_t a = s.find_first_not_of(" \t");
    if (a == std::string::npos)
        return {};
    std::size_t b = s.find_last_not_of(" \t");
    return s.substr(a, b - a + 1);
}

struct Resource {
    std::uint64_t offset;
    std::uint64_t length;
};

void FacesFromFontDir(Bytes dir, std::vector<std::string>& faces)
{
    std::uint16_t count = 0;
    if (!ReadU16LE(dir, 0, count))
        return;
    std::uint64_t at = 2;
    for (std::uint32_t i = 0; i < count; ++i) {
        at += 2 + kFontDirEntryFixed;  // ordinal, fixed fields
        std::string device, face;
        if (!ReadCString(dir, at, device, &at) || !ReadCString(dir, at, face, &at))
            return;
        faces.push_back(face);
    }
}

}  // namespace

FonInfo ReadFon(Bytes file)
{
    FonInfo info;
    std::uint32_t neAt = 0;
    if (file.size() < 2 || file[0] != 'M' || file[1] != 'Z')
        return info;
    if (!ReadU32LE(file, 0x3C, neAt) || !InRange(file, neAt, 0x40) || file[neAt] != 'N' || file[neAt + 1] != 'E')
        return info;
    info.isNE = true;

    // Non-resident names: length byte, text, ordinal; the first is the description.
    std::uint32_t nonResident = 0;
    std::uint8_t len = 0;
    if (ReadU32LE(file, neAt + 0x2C, nonResident) && ReadU8(file, nonResident, len) && InRange(file, nonResident + 1, len)) {
        info.description.assign(reinterpret_cast<const char*>(file.data()) + nonResident + 1, len);
        if (info.description.compare(0, 7, "FONTRES") == 0) {
            std::size_t colon = info.description.find(':');
            if (colon != std::string::npos)
                info.resourceName = Trim(info.description.substr(colon + 1));
        }
    }

    // Resource table: alignment shift, then type blocks of (type, count, reserved,
    // count entries of offset, length, flags, id, reserved), ended by type 0.
    std::uint16_t resTable = 0, shift = 0;
    if (!ReadU16LE(file, neAt + 0x24, resTable) || !ReadU16LE(file, std::uint64_t(neAt) + resTable, shift) || shift > 16)
        return info;
    std::vector<Resource> fontDirs, fonts;
    std::uint64_t at = std::uint64_t(neAt) + resTable + 2;
    for (int guard = 0; guard < 256; ++guard) {
        std::uint16_t type = 0, count = 0;
        if (!ReadU16LE(file, at, type) || type == 0 || !ReadU16LE(file, at + 2, count))
            break;
        at += 8;
        for (std::uint32_t i = 0; i < count; ++i, at += 12) {
            std::uint16_t off = 0, size = 0;
            if (!ReadU16LE(file, at, off) || !ReadU16LE(file, at + 2, size))
                break;
            Resource r{std::uint64_t(off) << shift, std::uint64_t(size) << shift};
            if (type == kRtFontDir)
                fontDirs.push_back(r);
            else if (type == kRtFont)
                fonts.push_back(r);
        }
    }
    for (const auto& r : fontDirs)
        FacesFromFontDir(Clip(file, r.offset, r.length), info.faceNames);
    if (info.faceNames.empty()) {
        for (const auto& r : fonts) {
            Bytes font = Clip(file, r.offset, r.length);
            std::uint32_t faceAt = 0;
            std::string face;
            if (ReadU32LE(font, kFntFaceOffset, faceAt) && ReadCString(font, faceAt, face))
                info.faceNames.push_back(face);
        }
    }
    return info;
}

}  // namespace fontparsers
