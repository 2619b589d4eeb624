#include "docking/tooltip/ToolTip.h"

#include "docking/framework/Module.h"

#include <commctrl.h>

const char* CToolTip::s_library = "COMCTL32.DLL";

namespace {

struct ToolInfo44 {
    UINT cbSize;
    UINT uFlags;
    HWND hwnd;
    UINT_PTR uId;
    RECT rect;
    HINSTANCE hinst;
    LPSTR lpszText;
    LPARAM lParam;
};
static_assert(sizeof(ToolInfo44) == 44, "the tool description is 44 bytes");

bool g_initialised = false;
bool g_haveInit = false;

ToolInfo44 Describe(HWND window, UINT id, const char* text)
{
    ToolInfo44 ti = {};
    ti.cbSize = sizeof(ti);
    if (id) {
        ti.hwnd = window;
        ti.uId = id;
    } else {
        ti.uFlags = TTF_IDISHWND;
        ti.hwnd = GetParent(window);
        ti.uId = reinterpret_cast<UINT_PTR>(window);
    }
    ti.hinst = dockmod::Instance();
    ti.lpszText = const_cast<LPSTR>(text);
    return ti;
}

}  // namespace

int CToolTip::Create(const char* title)
{
    if (!g_initialised) {
        HMODULE lib = LoadLibraryA(s_library);
        if (!lib)
            return 0;
        using InitEx = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
        using Init = void(WINAPI*)();
        if (auto ex = reinterpret_cast<InitEx>(GetProcAddress(lib, "InitCommonControlsEx"))) {
            INITCOMMONCONTROLSEX icc = {8, ICC_BAR_CLASSES};
            ex(&icc);
            g_haveInit = true;
        } else if (auto plain = reinterpret_cast<Init>(GetProcAddress(lib, "InitCommonControls"))) {
            plain();
            g_haveInit = true;
        }
        g_initialised = true;
    }
    if (!g_haveInit)
        return 0;
    m_hWnd = CreateWindowExA(0, "tooltips_class32", title, WS_POPUP, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                             CW_USEDEFAULT, nullptr, nullptr, dockmod::Instance(), nullptr);
    return 1;
}

int CToolTip::AddTool(HWND window, const char* text, const RECT* rect, UINT id)
{
    if (!m_hWnd)
        return 0;
    ToolInfo44 ti = Describe(window, id, text);
    if (rect)
        ti.rect = *rect;
    return static_cast<int>(SendMessageA(m_hWnd, 1028, 0, reinterpret_cast<LPARAM>(&ti)));
}

void CToolTip::SetToolRect(HWND window, UINT id, const RECT& rect)
{
    if (!m_hWnd)
        return;
    ToolInfo44 ti = Describe(window, id, nullptr);
    ti.rect = rect;
    SendMessageA(m_hWnd, 1030, 0, reinterpret_cast<LPARAM>(&ti));
}

void CToolTip::DelTool(HWND window, UINT id)
{
    if (!window || !m_hWnd)
        return;
    ToolInfo44 ti = Describe(window, id, nullptr);
    SendMessageA(m_hWnd, 1029, 0, reinterpret_cast<LPARAM>(&ti));
}
