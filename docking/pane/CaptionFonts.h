#pragma once
// The two fonts every pane caption, floating-frame caption and tab strip draws with: the
// system's caption face at 11 pixels, plain and bold. Made once, kept for the process.
#include <windows.h>

namespace CaptionFonts {

// 1 - the height of the 12-pixel close glyph.
constexpr LONG kHeight = -11;

// The face of the non-client caption font (null metrics: the call failed) at kHeight and weight.
LOGFONTA Describe(const NONCLIENTMETRICSA* metrics, LONG weight);

HFONT Normal();
HFONT Bold();

}  // namespace CaptionFonts
