#pragma once
// The sfnt tables of a font file, read from the file without mapping it: only the
// header, the table directory and the few tables the reader looks at. Mapping costs far
// more than the bytes read, and the installed fonts are read one after another at start.
#include <cstdint>
#include <string>

#include "fontengine/parsers/Sfnt.h"

namespace fontengine {

// What fontparsers::ReadSfnt gives for the whole file; an empty result when it cannot
// be opened.
fontparsers::SfntInfo ReadSfntFile(const std::string& path, std::uint32_t fontIndex = 0);

}  // namespace fontengine
