#include "fontengine/parsers/Sfnt.h"

#include "fontengine/parsers/NameText.h"

namespace fontparsers {

namespace {

struct TableRef {
    std::uint32_t offset;
    std::uint32_t length;
};

// The table's bytes, clipped to the file.
Bytes TableBytes(Bytes file, const TableRef& t)
{
    return Clip(file, t.offset, t.length);
}

void ReadNameTable(Bytes table, std::vector<SfntNameRecord>& out)
{
    out.clear();
    std::uint16_t count = 0, stringOffset = 0;
    if (!ReadU16BE(table, 2, count) || !ReadU16BE(table, 4, stringOffset))
        return;
    out.reserve(count);
    for (std::uint32_t i = 0; i < count; ++i) {
        std::uint64_t at = 6 + std::uint64_t(i) * 12;
        if (!InRange(table, at, 12))
            break;
        SfntNameRecord r;
        ReadU16BE(table, at + 0, r.platformID);
        ReadU16BE(table, at + 2, r.encodingID);
        ReadU16BE(table, at + 4, r.languageID);
        ReadU16BE(table, at + 6, r.nameID);
        ReadU16BE(table, at + 8, r.length);
        ReadU16BE(table, at + 10, r.offset);
        std::uint64_t start = std::uint64_t(stringOffset) + r.offset;
        if (r.length != 0 && InRange(table, start, r.length))
            r.text = DecodeNameText(r.platformID, r.encodingID, table.subspan(static_cast<std::size_t>(start), r.length));
        out.push_back(std::move(r));
    }
}

}  // namespace

SfntInfo ReadSfnt(Bytes file, std::uint32_t fontIndex)
{
    SfntInfo info;
    std::uint64_t base = 0;
    if (TagIs(file, 0, "ttcf")) {
        info.isCollection = true;
        if (!ReadU32BE(file, 8, info.collectionCount) || fontIndex >= info.collectionCount)
            return info;
        std::uint32_t memberOffset = 0;
        if (!ReadU32BE(file, 12 + std::uint64_t(fontIndex) * 4, memberOffset))
            return info;
        base = memberOffset;
    }
    std::uint16_t numTables = 0;
    if (!ReadU16BE(file, base + 4, numTables))
        return info;
    info.isCFF = TagIs(file, base, "OTTO");

    std::vector<std::pair<std::uint64_t, TableRef>> dir;  // tag position, table
    dir.reserve(numTables);
    for (std::uint32_t i = 0; i < numTables; ++i) {
        std::uint64_t rec = base + 12 + std::uint64_t(i) * 16;
        TableRef t{};
        if (!ReadU32BE(file, rec + 8, t.offset) || !ReadU32BE(file, rec + 12, t.length))
            break;
        dir.push_back({rec, t});
    }

    for (const auto& [tagAt, t] : dir) {
        if (!TagIs(file, tagAt, "head"))
            continue;
        std::uint32_t magic = 0;
        info.validTrueType = ReadU32BE(TableBytes(file, t), 12, magic) && magic == kHeadMagic;
        break;
    }
    if (!info.validTrueType)
        return info;

    for (const auto& [tagAt, t] : dir) {
        if (TagIs(file, tagAt, "name")) {
            ReadNameTable(TableBytes(file, t), info.names);
        } else if (TagIs(file, tagAt, "OS/2")) {
            Bytes os2 = TableBytes(file, t);
            if (InRange(os2, 58, 6)) {
                for (int k = 0; k < 4; ++k)
                    info.vendorID[k] = static_cast<char>(os2[58 + k]);
                ReadU16BE(os2, 62, info.fsSelection);
                info.hasOS2 = true;
            }
        } else if (TagIs(file, tagAt, "DSIG")) {
            info.hasDSIG = true;
        }
    }
    return info;
}

std::u16string GetNameString(const std::vector<SfntNameRecord>& names, std::uint16_t nameID, std::uint32_t language)
{
    const std::u16string* chosen = nullptr;
    for (const auto& r : names) {
        if (r.nameID != nameID || r.text.empty())
            continue;
        if (r.platformID == kPlatformWindows) {
            chosen = &r.text;
            if (r.languageID == language)
                break;
        } else if (!chosen) {
            chosen = &r.text;
        }
    }
    return chosen ? *chosen : std::u16string();
}

std::u16string GdiFamilyName(const std::vector<SfntNameRecord>& names, std::uint32_t language)
{
    return CutFaceName(GetNameString(names, 1, language));
}

}  // namespace fontparsers
