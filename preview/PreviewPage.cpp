#include "preview/PreviewPage.h"

#include "fontengine/qlDisplay.h"
#include "fontengine/qlFonts.h"
#include "platform/QlError.h"
#include "platform/forms/Convert.h"

namespace {

constexpr const char* kHeadingFont = "Arial";

std::vector<std::string> SplitSizes(const std::string& list)
{
    // An empty list has no entries at all; otherwise every comma separates one.
    std::vector<std::string> out;
    if (list.empty())
        return out;
    size_t start = 0;
    for (;;) {
        size_t comma = list.find(',', start);
        out.push_back(list.substr(start, comma == std::string::npos ? std::string::npos : comma - start));
        if (comma == std::string::npos)
            return out;
        start = comma + 1;
    }
}

constexpr std::int32_t Style(TextStyle s) { return static_cast<std::int32_t>(s); }

}  // namespace

bool ParsePreviewSize(const std::string& entry, std::int16_t& points)
{
    try {
        std::int16_t v = platform::forms::CInt(entry);
        if (v < kMinPreviewPoints || v > kMaxPreviewPoints)
            return false;
        points = v;
        return true;
    } catch (const QlError&) {
        return false;
    }
}

SingleFontPage BuildSingleFontPage(const std::string& face, const qlDisplay& display)
{
    SingleFontPage page;
    page.lines.push_back({"Font Name: " + face, kHeadingFont, 16, Style(TextStyle::Underline)});
    for (const std::string& entry : SplitSizes(display.DisplaySizes())) {
        std::int16_t points = 0;
        if (!ParsePreviewSize(entry, points)) {
            page.skippedSizes.push_back(entry);
            continue;
        }
        page.lines.push_back({"(" + entry + ")", kHeadingFont, 16, Style(TextStyle::Italic)});
        page.lines.push_back({display.Text(), face, points, display.Style()});
    }
    return page;
}

std::vector<std::string> ProofSheetFaces(const qlFonts& fonts)
{
    std::vector<std::string> faces;
    faces.reserve(static_cast<size_t>(fonts.Count()));
    for (const auto& font : fonts)
        if (font && font->Installed())
            faces.push_back(font->FaceName());
    return faces;
}

std::vector<RtbLine> BuildProofSheet(const std::vector<std::string>& faces, qlDisplay& display, bool faceAsText,
                                     ProofSheetKind kind)
{
    std::vector<RtbLine> lines;
    lines.reserve(faces.size() * 3);
    for (const std::string& face : faces) {
        lines.push_back({"Font Name: " + face, kHeadingFont, 10, Style(TextStyle::Underline)});
        if (faceAsText)
            display.Text(face);
        lines.push_back({display.Text(), face, display.FontSize(), display.Style()});
        lines.push_back({"", kHeadingFont, 12, Style(TextStyle::Regular)});
    }
    if (lines.empty() && kind == ProofSheetKind::CheckedFonts)
        lines.push_back({"...no fonts selected", kHeadingFont, 14, Style(TextStyle::Bold)});
    return lines;
}
