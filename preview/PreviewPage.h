#pragma once
// The pages of the central preview as lists of lines: one font at every preview size, and
// the proof sheets of several fonts. Pure: the window writes the lines into its box.
#include <cstdint>
#include <string>
#include <vector>

#include "core/richtext/RtbLine.h"

class qlDisplay;
class qlFonts;

// The point sizes RichEdit can show.
inline constexpr int kMinPreviewPoints = 1;
inline constexpr int kMaxPreviewPoints = 1638;

// The preview of one face. Entries of the size list that are no number, or no size the box
// can show, are left out (listed in skippedSizes) so the rest of the page still shows.
struct SingleFontPage {
    std::vector<RtbLine> lines;
    std::vector<std::string> skippedSizes;
};

// One entry of the comma list of preview sizes: its points (rounded half to even, blanks
// ignored), or false when it is no size the box can show.
bool ParsePreviewSize(const std::string& entry, std::int16_t& points);

// Heading "Font Name: <face>", then per size entry, in list order, "(<entry>)" and the
// sample text at that size in the face and the display style.
SingleFontPage BuildSingleFontPage(const std::string& face, const qlDisplay& display);

// The faces of a proof sheet of every font, in collection order; records of font files
// that are not installed are left out.
std::vector<std::string> ProofSheetFaces(const qlFonts& fonts);

enum class ProofSheetKind { AllFonts, CheckedFonts };

// The value of the sample-text choice that makes each font show its own name.
inline constexpr int kDisplayTextFaceName = 6;

// Per face: heading (Arial 10 underlined), sample (the face at the display's sheet size and
// style), spacer (Arial 12). With faceAsText each face becomes the display's sample text
// before its sample line, so the display keeps the last face afterwards. A sheet of
// checked fonts with no face says "...no fonts selected".
std::vector<RtbLine> BuildProofSheet(const std::vector<std::string>& faces, qlDisplay& display, bool faceAsText,
                                     ProofSheetKind kind);
