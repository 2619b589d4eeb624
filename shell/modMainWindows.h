#pragma once
// The members of modMain that write into windows or read the font model: rich-text lines,
// the quick help of the information pane and the property report.
#include <cstdint>
#include <string>

namespace platform::forms {
class RichTextBox;
}

namespace modMain {

// Appends text and a line break at the end of the box in the font, size, styles (1 regular,
// 2 bold, 3 italic, 4 underline; others add nothing) and colour given; colour 0 is the
// display's text colour. Failures are logged; the line stays as far as it came.
void AddLineToRTB(const std::string& text, std::int16_t size, platform::forms::RichTextBox& rtb,
                  const std::string& fontName, std::int32_t style1, std::int32_t style2, std::uint32_t colour,
                  std::int32_t unused = 0);

// Writes a topic's title and help paragraph into the information pane when it is visible.
void ShowQuickHelp(const std::string& topic, bool unused = false);

// Opens a new property report window for the display font. There is no report window in
// the program yet, so this does nothing.
void DisplayPropertyView();

}  // namespace modMain
