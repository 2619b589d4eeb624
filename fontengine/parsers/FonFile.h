#pragma once
// Names inside a Windows bitmap font file (.fon: a 16-bit NE module of font resources).
#include <string>
#include <vector>

#include "fontengine/parsers/ByteSpan.h"

namespace fontparsers {

struct FonInfo {
    bool isNE = false;
    // The module description (first entry of the non-resident name table), e.g.
    // "FONTRES 100,96,96 : MS Sans Serif 8,10,12 (VGA res)".
    std::string description;
    // The description after "FONTRES ...:" trimmed, empty when it is not a font module.
    std::string resourceName;
    // Face names of the fonts in the file, from the font directory resource, or
    // else from the font resources themselves; in file order, repeats kept.
    std::vector<std::string> faceNames;
};

FonInfo ReadFon(Bytes file);

}  // namespace fontparsers
