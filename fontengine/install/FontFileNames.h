#pragma once
// The names the installer registers a font file under, read from the file itself.
#include <string>

namespace qlInstall {

struct TrueTypeNames {
    bool valid = false;     // an sfnt file with a valid head table
    std::string family;     // name ID 1, as GDI knows the face (at most 31 characters)
    std::string fullName;   // name ID 4
    std::string subFamily;  // name ID 2
};

// Names of font 0 of a TrueType/OpenType file (or collection); not valid when unreadable.
TrueTypeNames ReadTrueTypeNames(const std::string& path);

// The value name of a bitmap font: its FONTRES description; empty when the file is none.
std::string ReadFonResName(const std::string& path);

// The registry value name of a TrueType font: full name & " (TrueType)", as Windows
// itself names them; empty when the file has no usable name.
std::string TrueTypeValueName(const TrueTypeNames& names);

}  // namespace qlInstall
