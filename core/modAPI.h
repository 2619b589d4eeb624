#pragma once
// Thin wrappers over platform calls.
#include <windows.h>

#include <cstdint>
#include <string>

namespace modAPI {

// Index of the first item of a combo box matching text (exact: the whole text, else a
// prefix; letter case is ignored either way), or -1 (CB_ERR).
int32_t ComboFindString(HWND combo, const std::string& text, bool exact);

// The colour with its luminance changed by n (tenths of a percent), as the shell's
// ColorAdjustLuma with scaling.
uint32_t AdjustLuma(uint32_t colour, int32_t n);

// A shell folder by CSIDL (5 = the user's documents), or "" when the platform does not
// know it (the caller must then not build paths on it).
std::string GetSpecialFolderPath(int32_t csidl);

}  // namespace modAPI
