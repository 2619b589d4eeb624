#pragma once
// The values of the Windows Fonts key, read and changed through cRegistry. A font's
// values are found by their data (the file they name), so that removing or moving one
// member of a family never touches another member's registration.
#include <string>
#include <vector>

#include "fontengine/tools/ToolsPlaces.h"
#include "fontengine/tools/qlTools.h"

namespace qlFontValues {

// The value name a font of that type is registered under: face & " (TrueType)" for
// "TrueType" and "OpenType", face & " (All Res)" for "Vector" and "Raster"; empty for
// any other type (such a font cannot be removed or repointed).
std::string ValueNameFor(const std::string& faceName, const std::string& fontType);

// Every text value whose data names the file (a bare name lives in the Fonts folder).
std::vector<qlTools::RegEntry> ValuesOfFile(const qlToolsPlaces::Registration& where, const std::string& file);
// Whether the named value exists.
bool ValueExists(const qlToolsPlaces::Registration& where, const std::string& name);
// Both throw QlError on failure.
void DeleteValue(const qlToolsPlaces::Registration& where, const std::string& name);
void WriteValue(const qlToolsPlaces::Registration& where, const std::string& name, const std::string& data);

}  // namespace qlFontValues
