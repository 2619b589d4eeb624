#pragma once
// Real font files from the Debian packages, and altered copies made from them.
#include <cstdint>
#include <string>
#include <vector>

#include "fontengine/parsers/ByteSpan.h"

namespace ql::test {

using FontBytes = std::vector<std::uint8_t>;

constexpr const char* kDejaVuSans = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
constexpr const char* kDejaVuSansBold = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf";
constexpr const char* kDejaVuMonoBold = "/usr/share/fonts/truetype/dejavu/DejaVuSansMono-Bold.ttf";
constexpr const char* kLiberationSansBoldItalic = "/usr/share/fonts/truetype/liberation/LiberationSans-BoldItalic.ttf";
constexpr const char* kLiberationSerif = "/usr/share/fonts/truetype/liberation/LiberationSerif-Regular.ttf";
constexpr const char* kNotoSans = "/usr/share/fonts/truetype/noto/NotoSans-Regular.ttf";
constexpr const char* kNotoLongFamily = "/usr/share/fonts/truetype/noto/NotoSansTifinaghAgrawImazighen-Regular.ttf";
constexpr const char* kNotoLoopedThai = "/usr/share/fonts/truetype/noto/NotoLoopedThai-Regular.ttf";
constexpr const char* kC059Otf = "/usr/share/fonts/opentype/urw-base35/C059-Roman.otf";
constexpr const char* kNimbusSansT1 = "/usr/share/fonts/type1/urw-base35/NimbusSans-Regular.t1";
constexpr const char* kNimbusMonoT1 = "/usr/share/fonts/type1/urw-base35/NimbusMonoPS-Regular.t1";
constexpr const char* kNimbusSansPfb = "/usr/share/fonts/X11/Type1/NimbusSans-Regular.pfb";
constexpr const char* kSansSerifFon = "/usr/share/wine/fonts/sserife.fon";
constexpr const char* kCourierFon = "/usr/share/wine/fonts/coure.fon";
constexpr const char* kMarlett = "/usr/share/wine/fonts/marlett.ttf";

// A whole file by its Unix path; the test fails when it cannot be read.
FontBytes LoadFont(const std::string& unixPath);

inline fontparsers::Bytes Span(const FontBytes& b) { return fontparsers::Bytes(b.data(), b.size()); }

// A TrueType collection of the given fonts, with table offsets moved to match.
FontBytes BuildCollection(const std::vector<FontBytes>& fonts);

// Replaces every occurrence of from by to (same length) in both single-byte and
// UTF-16 big-endian form, so that the naming table carries the new name.
FontBytes PatchName(FontBytes font, const std::string& from, const std::string& to);

// A name of letters unique to this run, of the given length.
std::string UniqueLetters(std::size_t length);

std::string AsText(const FontBytes& b);
FontBytes FromText(const std::string& s);

}  // namespace ql::test
