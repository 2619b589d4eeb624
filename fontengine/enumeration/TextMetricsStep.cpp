#include "fontengine/enumeration/TextMetricsStep.h"

#include <cstring>

#include "fontengine/enumeration/MetricWords.h"
#include "fontengine/qlFonts.h"

namespace qlEnumeration {

MetricsContext::MetricsContext() : dc_(CreateCompatibleDC(nullptr)) {}

MetricsContext::~MetricsContext()
{
    if (dc_)
        DeleteDC(dc_);
}

bool MetricsContext::Read(const std::string& faceName, TEXTMETRICA& tm) const
{
    // The face must leave room for the NUL of the 32-byte field.
    if (!dc_ || faceName.size() >= LF_FACESIZE)
        return false;
    LOGFONTA lf{};
    lf.lfCharSet = DEFAULT_CHARSET;
    std::memcpy(lf.lfFaceName, faceName.data(), faceName.size());
    HFONT font = CreateFontIndirectA(&lf);
    if (!font)
        return false;
    HGDIOBJ previous = SelectObject(dc_, font);
    bool ok = previous && GetTextMetricsA(dc_, &tm);
    if (previous)
        SelectObject(dc_, previous);
    DeleteObject(font);
    return ok;
}

void ApplyTextMetrics(qlFont& font, const TEXTMETRICA& tm, bool keepTypeWord)
{
    BYTE pf = tm.tmPitchAndFamily;
    if (!keepTypeWord) {
        if ((pf & TMPF_VECTOR) && !(pf & TMPF_TRUETYPE))
            font.FontType("Vector");
        if (pf & TMPF_DEVICE)
            font.FontType("Device");
    }
    if (!(pf & (TMPF_VECTOR | TMPF_TRUETYPE | TMPF_DEVICE)))
        font.IsMonospaced(true);
    // The flag's name says the opposite of what it means: set for variable pitch.
    font.Pitch((pf & TMPF_FIXED_PITCH) ? "Variable" : "Fixed");
    std::string family = FamilyWord(pf);
    if (!family.empty())
        font.Families()->Add(family);
    if (font.Families()->Count() == 0)
        font.Families()->Add("Unknown");
    font.DefaultCharacterSetID(tm.tmCharSet);
    font.MaxCharWidth(tm.tmMaxCharWidth);
    font.AvgCharWidth(tm.tmAveCharWidth);
    font.FirstChar(static_cast<BYTE>(tm.tmFirstChar));
    font.LastChar(static_cast<BYTE>(tm.tmLastChar));
    font.BreakChar(static_cast<BYTE>(tm.tmBreakChar));
    font.DefaultChar(static_cast<BYTE>(tm.tmDefaultChar));
    font.Weight(WeightWord(tm.tmWeight));
}

void FillTextMetrics(qlFonts& fonts, const std::string& faceName, const MetricsContext& context, bool keepTypeWord)
{
    try {
        TEXTMETRICA tm{};
        if (!context.Read(faceName, tm))
            return;
        ApplyTextMetrics(*fonts.Item(faceName), tm, keepTypeWord);
    } catch (...) {
    }
}

}  // namespace qlEnumeration
