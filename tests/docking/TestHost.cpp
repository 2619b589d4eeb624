#include "TestHost.h"

#include <olectl.h>

STDMETHODIMP TestSite::QueryInterface(REFIID riid, void** ppv)
{
    if (riid == IID_IUnknown || riid == IID_IOleClientSite) *ppv = static_cast<IOleClientSite*>(this);
    else if (riid == IID_IOleWindow || riid == IID_IOleInPlaceSite) *ppv = static_cast<IOleInPlaceSite*>(this);
    else if (riid == IID_IOleControlSite) *ppv = static_cast<IOleControlSite*>(this);
    else if (riid == IID_IDispatch) *ppv = static_cast<IDispatch*>(this);
    else {
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    return S_OK;
}

STDMETHODIMP TestSite::Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS*, VARIANT* result, EXCEPINFO*, UINT*)
{
    if (id != DISPID_AMBIENT_USERMODE || !result)
        return DISP_E_MEMBERNOTFOUND;
    VariantInit(result);
    V_VT(result) = VT_BOOL;
    V_BOOL(result) = m_userMode ? VARIANT_TRUE : VARIANT_FALSE;
    return S_OK;
}

namespace {

LRESULT CALLBACK HostProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* host = reinterpret_cast<TestHostWindow*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (message == WM_SIZE && host && host->mdiClient) {
        const int w = LOWORD(lParam), h = HIWORD(lParam);
        MoveWindow(host->statusBar, 0, h - host->statusHeight, w, host->statusHeight, TRUE);
        MoveWindow(host->mdiClient, 0, 0, w, h - host->statusHeight, TRUE);
        return 0;
    }
    return DefFrameProcA(hwnd, host ? host->mdiClient : nullptr, message, wParam, lParam);
}

void RegisterClasses()
{
    static bool done = false;
    if (done) return;
    done = true;
    WNDCLASSA wc = {};
    wc.lpfnWndProc = HostProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "QlTestMdiHost";
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1);
    RegisterClassA(&wc);
    wc.lpfnWndProc = DefWindowProcA;
    wc.lpszClassName = "StatusBar20WndClass";
    RegisterClassA(&wc);
}

}  // namespace

TestHostWindow::TestHostWindow(int width, int height, int status) : statusHeight(status)
{
    RegisterClasses();
    RECT rc = {0, 0, width, height};
    AdjustWindowRect(&rc, WS_OVERLAPPEDWINDOW, FALSE);
    frame = CreateWindowExA(0, "QlTestMdiHost", "host", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, 0,
                            rc.right - rc.left, rc.bottom - rc.top, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    CLIENTCREATESTRUCT ccs = {nullptr, 1000};
    mdiClient = CreateWindowExA(WS_EX_CLIENTEDGE, "MDICLIENT", nullptr, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0,
                                width, height - status, frame, nullptr, GetModuleHandleA(nullptr), &ccs);
    statusBar = CreateWindowExA(0, "StatusBar20WndClass", "", WS_CHILD | WS_VISIBLE, 0, height - status, width, status,
                                frame, nullptr, GetModuleHandleA(nullptr), nullptr);
    SetWindowLongPtrA(frame, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    ShowWindow(frame, SW_SHOWNOACTIVATE);
}

TestHostWindow::~TestHostWindow()
{
    if (IsWindow(frame))
        DestroyWindow(frame);
}

void TestHostWindow::Resize(int width, int height)
{
    RECT rc = {0, 0, width, height};
    AdjustWindowRect(&rc, WS_OVERLAPPEDWINDOW, FALSE);
    SetWindowPos(frame, nullptr, 0, 0, rc.right - rc.left, rc.bottom - rc.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

RECT ChildRect(HWND child)
{
    RECT rc;
    GetWindowRect(child, &rc);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&rc), 2);
    return rc;
}
