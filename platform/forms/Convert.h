#pragma once
// Text to numbers as the old runtime converted it: blanks around are ignored, a sign and
// a decimal point are allowed, "&H" gives hex; whole-number results round half to even;
// no number is error 13 "Type mismatch", out of range is error 6 "Overflow".
#include <cstdint>
#include <string>

namespace platform::forms {

double CDbl(const std::string& text);
float CSng(const std::string& text);
int32_t CLng(const std::string& text);
int16_t CInt(const std::string& text);
int32_t CLng(double value);
int16_t CInt(double value);
// The number at the start of the text (0 when none); never fails.
double Val(const std::string& text);

}  // namespace platform::forms
