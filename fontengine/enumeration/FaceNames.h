#pragma once
// The face name of a registry value, by the kind of font it lists, and the small
// path tests the enumeration makes.
#include <string>

namespace qlEnumeration {

// The value name up to the blank before its last "("; empty without a "(" past the
// second character. Size lists before the parenthesis stay part of the name.
std::string GetRasterFaceName(const std::string& valueName);
// The Type 1 value name without the words "Regular", "Italic" and "Semibold" (any
// case), blanks trimmed and runs of blanks made one.
std::string GetPST1FaceName(const std::string& valueName);
// The extension with its dot, empty when there is none.
std::string GetExtensionPart(const std::string& path);
// True unless the text holds ":" or "\".
bool IsBareFileName(const std::string& text);
bool FileExists(const std::string& path);
std::string LowerCase(std::string text);

}  // namespace qlEnumeration
