#include "core/modAPI.h"

#include <shlobj.h>
#include <shlwapi.h>

#include "platform/AnsiText.h"

namespace modAPI {

int32_t ComboFindString(HWND combo, const std::string& text, bool exact)
{
    LRESULT r = SendMessageA(combo, exact ? CB_FINDSTRINGEXACT : CB_FINDSTRING, static_cast<WPARAM>(-1),
                             reinterpret_cast<LPARAM>(text.c_str()));
    return static_cast<int32_t>(r);
}

uint32_t AdjustLuma(uint32_t colour, int32_t n)
{
    return static_cast<uint32_t>(ColorAdjustLuma(static_cast<COLORREF>(colour), n, TRUE));
}

std::string GetSpecialFolderPath(int32_t csidl)
{
    char buf[MAX_PATH + 1] = {};
    if (!SHGetSpecialFolderPathA(GetDesktopWindow(), buf, csidl, FALSE))
        return {};
    buf[MAX_PATH] = '\0';
    return platform::CutAtNul(buf);
}

}  // namespace modAPI
