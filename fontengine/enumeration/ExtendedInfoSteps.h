#pragma once
// The naming-table strings of a font record, read from its file.
#include <string>

class FontPreview;
class qlFonts;

namespace qlEnumeration {

// For a "TrueType" record with a file: copies the file's names into the record.
// False when the record is of another type, already read (unless forced), or on any
// failure. read, when given, is a reader that already holds the record's file.
bool GetTrueTypeExtInfo(qlFonts& fonts, const std::string& faceName, bool forceRefresh,
                        const FontPreview* read = nullptr);
// For a Type 1 record: type word, family, version, identifier, notice and weight
// from the outline file, read on every call. False on any failure.
bool GetType1ExtInfo(qlFonts& fonts, const std::string& faceName);
// The face name Windows knows a TrueType file under; empty when it is none.
std::string GetTTFaceName(const std::string& path);

}  // namespace qlEnumeration
