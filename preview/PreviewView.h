#pragma once
// What the central preview shows, as the display settings hold it (qlDisplay::CurrentView).
#include <cstdint>

enum class PreviewView : std::int32_t {
    Nothing = 0,            // nothing chosen yet
    SingleFont = 1,         // one installed font at every preview size
    FontFile = 2,           // a font file that is not installed
    ProofSheetAll = 3,      // every installed font
    ProofSheetChecked = 5,  // the fonts checked in the installed-fonts tree
};
