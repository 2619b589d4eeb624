#pragma once
// Structural and geometric checks of a frame's layout, for use after every step of a test.
#include <string>

class CDockFrameBase;

// Empty when everything holds, else a description of the first broken rule.
std::string CheckLayout(const CDockFrameBase& frame);
