#pragma once
// The clipboard as the program uses it: text in the ANSI code page and as UTF-16.
#include <string>

namespace platform::forms::Clipboard {

bool Clear();
// Puts text as CF_TEXT and CF_UNICODETEXT (converted from the ANSI code page).
bool SetText(const std::string& text);
// The clipboard's text (empty when none).
std::string GetText();

}  // namespace platform::forms::Clipboard
