#include "fontengine/enumeration/MetricWords.h"

namespace qlEnumeration {

std::string WeightWord(std::int32_t w)
{
    static const char* const words[] = {"Thin",   "Extra/UltraLight", "Light",           "Regular", "Medium",
                                        "Semi/DemiBold", "Bold",      "Extra/UltraBold", "Black"};
    if (w < 1 || w > 999)
        return {};
    return w < 200 ? words[0] : words[w / 100 - 1];
}

std::string FamilyWord(std::uint8_t pitchAndFamily)
{
    switch (pitchAndFamily & 0xF0) {
    case 0x10: return "Roman";
    case 0x20: return "Swiss";
    case 0x30: return "Modern";
    case 0x40: return "Script";
    case 0x50: return "Decorative";
    default: return {};
    }
}

}  // namespace qlEnumeration
