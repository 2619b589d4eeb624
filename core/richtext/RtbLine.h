#pragma once
// One formatted line of a rich-text page, as the windows build their pages: text, font,
// size, two style values and a colour (0 stands for the display's text colour).
#include <cstdint>
#include <string>

enum class TextStyle : std::int32_t { Regular = 1, Bold = 2, Italic = 3, Underline = 4 };

struct RtbLine {
    std::string text;
    std::string fontName;
    std::int16_t size = 10;  // points
    std::int32_t style1 = static_cast<std::int32_t>(TextStyle::Regular);
    std::int32_t style2 = static_cast<std::int32_t>(TextStyle::Regular);
    std::uint32_t colour = 0;  // 0x00BBGGRR; 0 = the display's text colour

    bool operator==(const RtbLine&) const = default;
};

// The bold, italic and underline switches two style values give (any other value adds none).
struct TextEffects {
    bool bold = false, italic = false, underline = false;
};
inline TextEffects EffectsOf(std::int32_t style1, std::int32_t style2)
{
    TextEffects e;
    for (std::int32_t s : {style1, style2}) {
        e.bold |= s == static_cast<std::int32_t>(TextStyle::Bold);
        e.italic |= s == static_cast<std::int32_t>(TextStyle::Italic);
        e.underline |= s == static_cast<std::int32_t>(TextStyle::Underline);
    }
    return e;
}
