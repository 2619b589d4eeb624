#pragma once
// Reader of the TrueType/OpenType (sfnt) tables the viewer shows: the naming table,
// a few OS/2 fields, the head magic number and the presence of a signature table.
// Collections (.ttc) are read at one member; CFF-based files ("OTTO") like any sfnt.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "fontengine/parsers/ByteSpan.h"

namespace fontparsers {

struct SfntNameRecord {
    std::uint16_t platformID = 0;
    std::uint16_t encodingID = 0;
    std::uint16_t languageID = 0;
    std::uint16_t nameID = 0;
    std::uint16_t length = 0;
    std::uint16_t offset = 0;
    std::u16string text;  // empty when the length is 0 or the bytes lie outside the table
};

struct SfntInfo {
    bool validTrueType = false;  // head magicNumber is 0x5F0F3CF5
    bool hasDSIG = false;
    bool isCFF = false;          // sfntVersion "OTTO"
    bool isCollection = false;   // "ttcf" header
    std::uint32_t collectionCount = 0;
    std::vector<SfntNameRecord> names;
    bool hasOS2 = false;
    std::array<char, 4> vendorID{{0, 0, 0, 0}};  // achVendID, in file order
    std::uint16_t fsSelection = 0;
};

constexpr std::uint32_t kHeadMagic = 0x5F0F3CF5;

// Reads font fontIndex of a collection (0 for a single font). Never throws; a
// truncated or hostile file gives what could be read and no more.
SfntInfo ReadSfnt(Bytes file, std::uint32_t fontIndex = 0);

// The string of one name ID: the Windows-platform string in the given language wins;
// failing that, the last Windows-platform string; failing that, the first string of
// another platform. Records with an empty string are passed over.
std::u16string GetNameString(const std::vector<SfntNameRecord>& names, std::uint16_t nameID, std::uint32_t language);

// The GDI family name: name ID 1 of the Windows platform (any other platform when
// there is none), cut to 31 characters.
std::u16string GdiFamilyName(const std::vector<SfntNameRecord>& names, std::uint32_t language);

}  // namespace fontparsers
