#pragma once
// The view settings the program starts with, from the settings store, and the sample
// texts the display-text presets stand for.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

class qlDisplay;

namespace StartupSettings {

// Reads one setting: name and default text in, text out.
using Reader = std::function<std::string(const std::string& name, const std::string& defaultValue)>;

// Fills the view settings in the order the program does: view 0, character set 1, all
// font types, colours, "Arial", size, style, custom text, sample text, preview sizes. A
// stored number that does not convert gives the setting's default.
void Apply(qlDisplay& display, const Reader& read);

// The sample text of a display-text preset ("1" to "5", letter case ignored; "5" is the
// custom text); anything else gives the empty text.
std::string PresetText(const std::string& preset, const std::string& customText);

// Text to number as the settings store's numbers are written: optional blanks and sign,
// decimal digits with an optional fraction, or "&H" hex; halves round to even. Nothing
// when the text is no number or out of range.
std::optional<std::int32_t> ToLong(const std::string& text);
std::optional<std::int16_t> ToInteger(const std::string& text);

}  // namespace StartupSettings
