#pragma once
// Words the font list shows for what GDI reports in a TEXTMETRIC.
#include <cstdint>
#include <string>

namespace qlEnumeration {

// "Thin" .. "Black" by hundreds from 1 to 999; empty otherwise.
std::string WeightWord(std::int32_t tmWeight);
// "Roman", "Swiss", "Modern", "Script", "Decorative" by the family nibble; empty otherwise.
std::string FamilyWord(std::uint8_t pitchAndFamily);

}  // namespace qlEnumeration
