#pragma once
// What is being shown: view, font, sample text, sizes and colours. A plain record.
#include <cstdint>
#include <string>

#include "fontengine/Property.h"

class qlDisplay {
    QL_PROPERTY(std::int16_t, FontSize)
    QL_PROPERTY(std::uint32_t, BackColor)  // 0x00BBGGRR
    QL_PROPERTY(std::uint32_t, ForeColor)
    QL_PROPERTY(std::string, FontName)
    QL_PROPERTY(std::string, Filename)
    QL_PROPERTY(std::string, Text)
    QL_PROPERTY(std::string, CustomText)
    QL_PROPERTY(std::string, DisplaySizes)  // comma-separated point sizes
    QL_PROPERTY(std::int32_t, CharacterSet)
    QL_PROPERTY(std::int16_t, Style)        // 1-based display style
    QL_PROPERTY(std::int32_t, FontType)     // filter of the installed-font tree, 12 = all
    QL_PROPERTY(std::int32_t, CurrentView)
};
