#pragma once
// What is being shown: view, font, sample text, sizes and colours. A plain record.
#include <cstdint>
#include <string>

#include "fontengine/Property.h"

class qlDisplay {
public:
    // CurrentView: what the central preview shows.
    enum View : std::int32_t {
        ViewNothing = 0,        // nothing chosen yet
        ViewInstalledFont = 1,  // one installed font
        ViewFontFile = 2,       // a font file that is not installed
        ViewAllFonts = 3,       // proof sheet of all fonts
        ViewCheckedFonts = 5    // proof sheet of the checked fonts
    };
    // Style: the display style, 1-based (display-style menu position + 1).
    enum DisplayStyle : std::int16_t { StyleNormal = 1, StyleBold = 2, StyleItalic = 3, StyleUnderline = 4 };
    // FontType: the type or family filter of the installed-fonts tree.
    enum TypeFilter : std::int32_t {
        FilterVector = 0,
        FilterRaster = 1,
        FilterDevice = 2,
        FilterTrueType = 4,
        FilterOpenType = 5,
        FilterType1 = 6,
        FilterDecorative = 7,
        FilterModern = 8,
        FilterRoman = 9,
        FilterScript = 10,
        FilterSwiss = 11,
        FilterAll = 12
    };

    QL_PROPERTY(std::int16_t, FontSize)
    QL_PROPERTY(std::uint32_t, BackColor)  // 0x00BBGGRR
    QL_PROPERTY(std::uint32_t, ForeColor)
    QL_PROPERTY(std::string, FontName)
    QL_PROPERTY(std::string, Filename)
    QL_PROPERTY(std::string, Text)
    QL_PROPERTY(std::string, CustomText)
    QL_PROPERTY(std::string, DisplaySizes)  // comma-separated point sizes
    QL_PROPERTY(std::int32_t, CharacterSet)
    QL_PROPERTY(std::int16_t, Style)     // a DisplayStyle
    QL_PROPERTY(std::int32_t, FontType)  // a TypeFilter
    QL_PROPERTY(std::int32_t, CurrentView)  // a View
};
