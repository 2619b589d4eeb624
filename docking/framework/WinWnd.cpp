#include "docking/framework/WinWnd.h"

#include "docking/framework/Guard.h"
#include "docking/framework/Module.h"
#include "docking/framework/PointerArray.h"

namespace {

struct MapEntry {
    HWND hwnd;
    CWinWnd* object;
};

CPointerArray* g_windowMap = nullptr;

}  // namespace

CPointerArray* CWinWnd::WindowMap() { return g_windowMap; }

CWinWnd::CWinWnd()
{
    if (!g_windowMap)
        g_windowMap = new CPointerArray();
}

CWinWnd::~CWinWnd()
{
    // The derived part is gone already, so WM_NCDESTROY reaches only the default handling.
    HWND hwnd = m_hWnd;
    if (hwnd) {
        Unregister(hwnd, false);
        DestroyWindow(hwnd);
    }
    if (g_windowMap && g_windowMap->GetCount() == 0) {
        delete g_windowMap;
        g_windowMap = nullptr;
    }
}

bool CWinWnd::RegisterWindowClass()
{
    WNDCLASSA wc = {};
    if (GetClassInfoA(dockmod::Instance(), ClassName(), &wc))
        return true;
    wc.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
    wc.lpfnWndProc = WinWndDispatchProc;
    wc.hInstance = dockmod::Instance();
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = ClassName();
    return RegisterClassA(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

int CWinWnd::Create(const char* name, DWORD style, const RECT& rect, HWND parent, UINT)
{
    RegisterWindowClass();
    m_hWnd = CreateWindowExA(0, ClassName(), name, style, rect.left, rect.top, rect.right - rect.left,
                             rect.bottom - rect.top, parent, nullptr, dockmod::Instance(), nullptr);
    if (!m_hWnd)
        return 0;
    SetWindowLongA(m_hWnd, GWL_EXSTYLE, GetWindowLongA(m_hWnd, GWL_EXSTYLE) | WS_EX_NOPARENTNOTIFY);
    if (!g_windowMap)
        g_windowMap = new CPointerArray();
    g_windowMap->Add(new MapEntry{m_hWnd, this});
    OnCreate();
    return 1;
}

LRESULT CWinWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcA(m_hWnd, message, wParam, lParam);
}

void CWinWnd::Unregister(HWND hwnd, bool freeWhenEmpty)
{
    if (!g_windowMap)
        return;
    for (int i = 0; i < g_windowMap->GetCount(); ++i) {
        auto* entry = g_windowMap->At<MapEntry>(i);
        if (entry->hwnd == hwnd) {
            delete entry;
            g_windowMap->RemoveAt(i);
            break;
        }
    }
    if (freeWhenEmpty && g_windowMap->GetCount() == 0) {
        delete g_windowMap;
        g_windowMap = nullptr;
    }
}

CWinWnd* CWinWnd::FromHandle(HWND hwnd)
{
    if (!g_windowMap)
        return nullptr;
    for (int i = 0; i < g_windowMap->GetCount(); ++i) {
        auto* entry = g_windowMap->At<MapEntry>(i);
        if (entry->hwnd == hwnd)
            return entry->object;
    }
    return nullptr;
}

LRESULT CALLBACK WinWndDispatchProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return dockguard::Call<LRESULT>("WinWndDispatchProc", 0, [&]() -> LRESULT {
        if (CWinWnd* object = CWinWnd::FromHandle(hwnd))
            return object->WindowProc(message, wParam, lParam);
        return DefWindowProcA(hwnd, message, wParam, lParam);
    });
}
