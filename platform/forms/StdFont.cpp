#include "platform/forms/StdFont.h"

#include <cmath>
#include <cstring>

namespace platform::forms {

StdFont::StdFont(const StdFont& o)
    : name_(o.name_), size_(o.size_), weight_(o.weight_), italic_(o.italic_), underline_(o.underline_),
      strike_(o.strike_), charset_(o.charset_)
{
}

StdFont& StdFont::operator=(const StdFont& o)
{
    if (this != &o) {
        name_ = o.name_;
        size_ = o.size_;
        weight_ = o.weight_;
        italic_ = o.italic_;
        underline_ = o.underline_;
        strike_ = o.strike_;
        charset_ = o.charset_;
        Changed();
    }
    return *this;
}

StdFont::~StdFont() { Changed(); }

void StdFont::Size(double v)
{
    if (v > 0 && v < 2160) {
        size_ = v;
        Changed();
    }
}

void StdFont::Changed()
{
    if (font_) {
        DeleteObject(font_);
        font_ = nullptr;
    }
}

HFONT StdFont::Handle() const
{
    if (font_)
        return font_;
    LOGFONTA lf{};
    HDC dc = GetDC(nullptr);
    int dpi = dc ? GetDeviceCaps(dc, LOGPIXELSY) : 96;
    if (dc)
        ReleaseDC(nullptr, dc);
    lf.lfHeight = -static_cast<LONG>(std::lround(size_ * dpi / 72.0));
    lf.lfWeight = weight_;
    lf.lfItalic = italic_;
    lf.lfUnderline = underline_;
    lf.lfStrikeOut = strike_;
    lf.lfCharSet = static_cast<BYTE>(charset_);
    lf.lfQuality = DEFAULT_QUALITY;
    std::strncpy(lf.lfFaceName, name_.c_str(), LF_FACESIZE - 1);
    font_ = CreateFontIndirectA(&lf);
    return font_;
}

std::string StdFont::RealizedName() const
{
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, Handle());
    char face[LF_FACESIZE] = {};
    GetTextFaceA(dc, LF_FACESIZE, face);
    SelectObject(dc, old);
    DeleteDC(dc);
    return face;
}

int StdFont::RealizedCharset() const
{
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, Handle());
    int cs = GetTextCharset(dc);
    SelectObject(dc, old);
    DeleteDC(dc);
    return cs;
}

bool StdFont::operator==(const StdFont& o) const
{
    return name_ == o.name_ && size_ == o.size_ && weight_ == o.weight_ && italic_ == o.italic_ &&
           underline_ == o.underline_ && strike_ == o.strike_ && charset_ == o.charset_;
}

}  // namespace platform::forms
