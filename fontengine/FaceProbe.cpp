#include "fontengine/FaceProbe.h"

#include <windows.h>

#include <cstring>

namespace fontengine {

namespace {

// Wine's mapper keeps the result of a failed mapping for an identical LOGFONT even
// after the font has been added, so every probe asks with a height not used before.
LONG NextProbeHeight()
{
    static LONG counter = 0;
    counter = counter % 30000 + 1;
    return -(20 + counter);
}

}  // namespace

std::string CutFaceNameAnsi(const std::string& faceName)
{
    if (faceName.size() < LF_FACESIZE)
        return faceName;
    // Do not end on the lead byte of a double-byte character.
    std::size_t n = 0;
    while (n < faceName.size()) {
        std::size_t step = IsDBCSLeadByte(static_cast<BYTE>(faceName[n])) ? 2 : 1;
        if (n + step > LF_FACESIZE - 1)
            break;
        n += step;
    }
    return faceName.substr(0, n);
}

bool IsFaceKnown(const std::string& faceName)
{
    std::string wanted = CutFaceNameAnsi(faceName);
    if (wanted.empty())
        return false;
    LOGFONTA lf{};
    lf.lfHeight = NextProbeHeight();
    lf.lfCharSet = DEFAULT_CHARSET;
    std::memcpy(lf.lfFaceName, wanted.data(), wanted.size());
    HFONT font = CreateFontIndirectA(&lf);
    if (!font)
        return false;
    bool known = false;
    if (HDC dc = CreateCompatibleDC(nullptr)) {
        HGDIOBJ old = SelectObject(dc, font);
        char face[LF_FACESIZE + 1] = {};
        if (GetTextFaceA(dc, LF_FACESIZE, face) > 0)
            known = wanted == face;
        SelectObject(dc, old);
        DeleteDC(dc);
    }
    DeleteObject(font);
    return known;
}

}  // namespace fontengine
