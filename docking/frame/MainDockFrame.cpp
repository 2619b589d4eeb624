#include "docking/frame/MainDockFrame.h"
#include "docking/toolband/CToolBand.h"
#include "docking/toolband/CToolbarPaneWnd.h"

#include "docking/com/DockFrameCtl.h"
#include "docking/framework/Guard.h"
#include "docking/float/CMiniFrame.h"
#include "docking/layout/PaneBase.h"
#include "docking/layout/Geometry.h"
#include "docking/layout/DockSection.h"
#include "docking/layout/LayoutBlock.h"
#include "docking/menu/MenuImageStore.h"
#include "docking/pane/CPaneWnd.h"
#include "docking/pane/PaneOwner.h"
#include "docking/pane/TreeViewReturn.h"
#include "docking/persist/FloatingLayouts.h"
#include "docking/persist/LayoutStore.h"
#include "docking/persist/PaneClaim.h"
#include "docking/toolband/CToolbarPaneWnd.h"

#include <algorithm>

namespace {

UINT ResetPlaceMessage()
{
    static const UINT message = RegisterWindowMessageA("XMoorline.PlaceResetPanes");
    return message;
}

CMainDockFrame* g_frame = nullptr;
HWND g_host = nullptr;
HHOOK g_keyboardHook = nullptr;

bool ClassIs(HWND hwnd, const char* name)
{
    char cls[200] = {};
    GetClassNameA(hwnd, cls, sizeof(cls) - 1);
    return lstrcmpiA(cls, name) == 0;
}

}  // namespace

void DockFrameMenuOpen(bool open)
{
    if (g_frame)
        g_frame->m_tracking.suspended = open;
}

bool PopupShouldClose(PopupTracking& state, const PopupMouseEvent& e)
{
    const bool buttonDown = e.message == WM_LBUTTONDOWN || e.message == WM_NCLBUTTONDOWN;
    if (state.suspended || e.hitTest == static_cast<UINT>(HTERROR))
        return false;
    if (state.touched && !buttonDown)
        return false;
    if (e.targetInPopup) {
        if (e.message == WM_LBUTTONDOWN || e.message == WM_RBUTTONDOWN)
            state.touched = true;
        state.lastInsideTick = e.now;
        return false;
    }
    if (e.onStripTab || e.comboList)
        return false;
    if (buttonDown && !e.targetInFrame)
        return false;
    if (e.message == WM_MOUSEMOVE || e.message == WM_NCMOUSEMOVE) {
        if (state.lastInsideTick == 0)
            state.lastInsideTick = e.now;
        if (e.now - state.lastInsideTick < 300)
            return false;
    }
    return true;
}

CMainDockFrame* CMainDockFrame::Current() { return g_frame; }
HWND CMainDockFrame::RegisteredHost() { return g_host; }

CMainDockFrame::CMainDockFrame(CDockFrameCtl* owner)
    : CDockFrameBase(1), m_pOwner(owner), m_pFloatLayouts(std::make_unique<CFloatingLayouts>())
{
    OSVERSIONINFOA info = {};
    info.dwOSVersionInfoSize = sizeof(info);
    if (GetVersionExA(&info)) {
        m_osMajor = static_cast<int>(info.dwMajorVersion);
        m_osMinor = static_cast<int>(info.dwMinorVersion);
        m_osPlatform = static_cast<int>(info.dwPlatformId);
    }
    ComputeWorkArea();
    g_frame = this;
    TreeViewReturn::SetQueryAllowed([] { return !g_frame || g_frame->m_bTreeReturnQuery != 0; });
}

CMainDockFrame::~CMainDockFrame()
{
    m_bDestroying = true;
    Detach();
    CloseTrackedPopup();
    if (g_keyboardHook) {
        UnhookWindowsHookEx(g_keyboardHook);
        g_keyboardHook = nullptr;
    }
    if (g_frame == this) {
        g_frame = nullptr;
        g_host = nullptr;
    }
    ClearAllSections();
    for (CAutoHideBar*& strip : m_pStrips)
        strip = nullptr;
}

void CMainDockFrame::ComputeWorkArea()
{
    HDC screen = GetDC(nullptr);
    const int w = screen ? GetDeviceCaps(screen, HORZRES) : 0, h = screen ? GetDeviceCaps(screen, VERTRES) : 0;
    if (screen)
        ReleaseDC(nullptr, screen);
    if (!SystemParametersInfoA(SPI_GETWORKAREA, 0, &m_rcWork, 0))
        SetRect(&m_rcWork, 0, 0, w, h);
    const int vw = GetSystemMetrics(SM_CXVIRTUALSCREEN), vh = GetSystemMetrics(SM_CYVIRTUALSCREEN);
    if (vw > w || vh > h) {
        m_rcWork.left = GetSystemMetrics(SM_XVIRTUALSCREEN);
        m_rcWork.top = GetSystemMetrics(SM_YVIRTUALSCREEN);
        m_rcWork.right = m_rcWork.left + vw;
        m_rcWork.bottom = m_rcWork.top + vh;
    }
}

void CMainDockFrame::Attach(HWND host)
{
    if (!host || m_bAttached)
        return;
    ComputeWorkArea();
    if (!g_keyboardHook)
        g_keyboardHook = SetWindowsHookExA(WH_KEYBOARD, KeyboardHook, nullptr, GetCurrentThreadId());
    m_hWndHost = host;
    m_hWndFrame = host;
    g_host = host;
    SubclassWindow(this, host);
    // The host may still be hidden while its form loads: bars count by their own style.
    int insets[4] = {0, 0, 0, 0};
    MeasureHostInsets(insets, true);
    ReadHostForm(insets);
    for (int i = 0; i < 4; ++i)
        m_insets[i] = insets[i];
    if (m_hWndMdiClient) {
        SubclassWindow(this, m_hWndMdiClient);
        RECT rc;
        GetWindowRect(m_hWndMdiClient, &rc);
        MapWindowPoints(nullptr, host, reinterpret_cast<POINT*>(&rc), 2);
        m_lastClientX = rc.left;
        m_lastClientY = rc.top;
        m_lastClientCx = rc.right - rc.left;
        m_lastClientCy = rc.bottom - rc.top;
    }
    m_bAttached = 1;
    RECT client;
    GetClientRect(host, &client);
    m_lastHostSize.cx = client.right;
    m_lastHostSize.cy = client.bottom;
    UpdateClientRect(nullptr);
}

void CMainDockFrame::Detach()
{
    if (m_hWndHost) {
        UnsubclassWindow(this, m_hWndHost);
        // The hosted forms go back to the host before their pane windows go.
        for (int i = 0; i < CPaneBase::LiveCount(); ++i)
            if (HWND pane = CPaneBase::LiveAt(i)->GetWindow())
                if (HWND form = ::GetWindow(pane, GW_CHILD))
                    SetParent(form, m_hWndHost);
    }
    if (m_hWndMdiClient)
        UnsubclassWindow(this, m_hWndMdiClient);
    m_hWndHost = nullptr;
    m_pOwner = nullptr;
}

void CMainDockFrame::SetClientWindow(HWND window)
{
    if (m_hWndMdiClient || !window)
        return;
    m_hWndClient = window;
    if (m_rcClient.left == dockgeo::kUnsetRect && m_rcClient.right == dockgeo::kUnsetRect && m_hWndHost) {
        GetClientRect(m_hWndHost, &m_rcClient);
        SetWindowPos(window, nullptr, 0, 0, m_rcClient.right, m_rcClient.bottom, SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void CMainDockFrame::ClearLayout()
{
    // A host may clear right after loading, before any form shows: the places just loaded
    // survive that, so the layout outlives a restart whichever order the host calls in.
    if (m_bLoadPending)
        return;
    CloseTrackedPopup();
    // Every pane of this frame leaves its place: unpinned ones their strips, floating ones
    // their frames, docked ones their sections. They keep whether they were shown.
    struct Reset {
        CPaneWnd* pane;
        bool shown;
    };
    std::vector<Reset> panes;
    for (int i = 0; i < CPaneBase::LiveCount(); ++i) {
        auto* p = dynamic_cast<CPaneWnd*>(CPaneBase::LiveAt(i));
        if (!p || !p->hwnd || !p->owner || p->dockFrame != this)
            continue;
        const bool shown = p->resetPending ? p->resetShown
                                           : p->m_bUnpinned || (p->IsVisible() && (p->container || p->miniFrame));
        panes.push_back(Reset{p, shown});
    }
    for (const Reset& r : panes) {
        CPaneWnd* p = r.pane;
        if (auto* toolbar = dynamic_cast<CToolbarPaneWnd*>(p)) {
            // A floating toolbar leaves its frame through a dock, then its row.
            if (toolbar->miniFrame)
                toolbar->DockAt(this, toolbar->side >= 0 && toolbar->side <= 3 ? toolbar->side : 1);
            toolbar->HideFromContainer();
            toolbar->ReparentTo(m_hWndFrame);
        } else {
            if (p->m_bUnpinned)
                TakeOffStrip(p, 1);
            p->LeavePlace();
        }
        p->ForgetPlace();
    }
    ClearAllSections();
    for (CAutoHideBar*& strip : m_pStrips)
        strip = nullptr;
    m_pFloatLayouts->Clear();
    CMiniFrame::DestroyAll();
    UpdateClientRect(nullptr);
    m_bLayoutLoaded = 0;
    m_bLoadPending = 0;
    // A host resets to set new initial places (side, reference, size, pin) and then shows its
    // panes: placing them now would place them by the values they had before.
    for (const Reset& r : panes) {
        r.pane->resetPending = true;
        r.pane->resetShown = r.shown;
        r.pane->resetPinState = -1;
        r.pane->resetStyleSet = false;
        r.pane->resetRefSet = false;
    }
    if (panes.empty() || m_bResetPlacePosted)
        return;
    m_bResetPlacePosted = m_hWndHost && PostMessageA(m_hWndHost, ResetPlaceMessage(), 0, 0);
    if (!m_bResetPlacePosted)
        PlaceResetPanes();
}

void CMainDockFrame::PlaceResetPanes()
{
    m_bResetPlacePosted = false;
    std::vector<HWND> pending;
    for (int i = 0; i < CPaneBase::LiveCount(); ++i)
        if (auto* p = dynamic_cast<CPaneWnd*>(CPaneBase::LiveAt(i)); p && p->resetPending && p->hwnd)
            pending.push_back(p->hwnd);
    // Placing one pane may tear another down through the host's events: each is looked up again.
    for (HWND window : pending) {
        CPaneWnd* p = CPaneWnd::FromHandle(window);
        if (!p || !p->resetPending)
            continue;
        p->resetPending = false;
        if (p->owner)
            p->owner->PlaceInitially(p->resetShown);
    }
}

HRESULT CMainDockFrame::SaveStates(const std::string& key)
{
    PlaceResetPanes();
    LayoutStore::SaveRequest request;
    request.root = m_registryRoot;
    request.key = key;
    if (m_hWndHost)
        GetWindowRect(m_hWndHost, &request.hostRect);
    request.main = this;
    request.nameOf = &PaneClaim::NameOf;
    request.floats = m_pFloatLayouts->ForSave();
    // A floating toolbar is saved in the row it floated from, with its frame's rectangle.
    for (int i = 0; i < CPaneBase::LiveCount(); ++i)
        if (auto* toolbar = dynamic_cast<CToolbarPaneWnd*>(CPaneBase::LiveAt(i)))
            toolbar->UpdateRememberedPlace();
    return static_cast<HRESULT>(LayoutStore::Save(request));
}

HRESULT CMainDockFrame::LoadStates(const std::string& key)
{
    if (m_bLayoutLoaded)
        return S_OK;
    m_bLayoutLoaded = 1;
    LayoutStore::LoadRequest request;
    request.root = m_registryRoot;
    request.key = key;
    request.main = this;
    request.moveHost = [this](const RECT& rc) {
        if (m_hWndHost)
            MoveWindow(m_hWndHost, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, TRUE);
    };
    for (int i = 0; i < CPaneBase::LiveCount(); ++i) {
        CPaneBase* pane = CPaneBase::LiveAt(i);
        auto* wnd = dynamic_cast<CPaneWnd*>(pane);
        if (pane->m_pFrame == this || (wnd && (wnd->container || wnd->miniFrame)))
            request.attachedNames.push_back(PaneClaim::NameOf(pane));
    }
    m_pFloatLayouts->Hook(request);
    // Saved toolbar rows come back as rows that can hold toolbar panes.
    request.makeRow = [](int side) -> CDockSection* { return new CToolBand(side); };
    const LONG result = LayoutStore::Load(request);
    m_bLoadPending = result == ERROR_SUCCESS ? 1 : 0;
    return static_cast<HRESULT>(result);
}

bool CMainDockFrame::ClaimPlace(CPaneWnd* pane)
{
    // A form shows: from now on a clear is the user's, and clears.
    m_bLoadPending = 0;
    const std::string name = PaneClaim::NameOf(pane);
    if (!pane || !pane->hwnd || pane->container || pane->miniFrame || !pane->m_bFormPane || name.empty())
        return false;
    // A pane that floated when the layout was saved floats again, whatever docked place its
    // name is remembered by.
    if (m_pFloatLayouts->Claim(pane, name) || PaneClaim::Claim(*this, pane))
        return true;
    LayoutStore::SavedPlace place;
    if (!LayoutStore::FindBlockByTitle(*this, name, place) || (pane->owner && !pane->owner->CanDock(place.side)))
        return false;
    const CDockSection* section = SectionAt(place.side, place.index);
    const bool savedShown = (place.misc & 1) || (place.misc & 4);
    if (!(place.misc & 8) && !savedShown && section && !section->m_bRow)
        return KeepHiddenPlace(pane, name);
    // Saved unpinned: back on its side's strip. The loaded slot gives way to the one unpinning
    // remembers, so the name is kept once.
    if (pane->pinState == 0 || !(place.misc & 8))
        return false;
    RemovePaneFromSection(place.block, nullptr, name.c_str(), place.side, place.index);
    pane->DockTo(this, place.side);
    ChangePinState(pane, 2);
    return true;
}

bool CMainDockFrame::ReserveSavedPlace(CPaneWnd* pane)
{
    m_bLoadPending = 0;
    const std::string name = PaneClaim::NameOf(pane);
    if (!pane || !pane->hwnd || pane->container || pane->miniFrame || !pane->m_bFormPane || name.empty())
        return false;
    LayoutStore::SavedPlace place;
    if (!LayoutStore::FindBlockByTitle(*this, name, place) || (place.misc & 8) ||
        (pane->owner && !pane->owner->CanDock(place.side)))
        return false;
    const CDockSection* section = SectionAt(place.side, place.index);
    return section && !section->m_bRow && KeepHiddenPlace(pane, name);
}

bool CMainDockFrame::KeepHiddenPlace(CPaneWnd* pane, const std::string& name)
{
    // Saved hidden: the pane stays hidden, and the loaded place waits for it to be shown.
    LayoutStore::SavedPlace place;
    if (!LayoutStore::ClaimSavedPlace(*this, pane, name, &place) || !place.block)
        return false;
    CLayoutBlock* block = place.block;
    if (!block->m_pPane) {
        block->m_pPane = pane;
        block->m_bVacant = true;
    }
    pane->m_pBlock = nullptr;
    pane->m_bUnpinned = false;
    pane->side = place.side;
    pane->m_nSide = place.side;
    pane->prevSide = place.side;
    pane->prevIndex = place.index;
    pane->prevBlock = block;
    pane->Show(false);
    pane->placed = 0;
    return true;
}

void CMainDockFrame::NudgeHost()
{
    if (m_bHostNudged || !m_hWndHost)
        return;
    m_bHostNudged = 1;
    RECT rc;
    GetWindowRect(m_hWndHost, &rc);
    const UINT flags = SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER;
    SetWindowPos(m_hWndHost, nullptr, 0, 0, rc.right - rc.left + 1, rc.bottom - rc.top, flags);
    SetWindowPos(m_hWndHost, nullptr, 0, 0, rc.right - rc.left, rc.bottom - rc.top, flags);
}

int CMainDockFrame::DragAreaStyle() const { return m_pOwner ? m_pOwner->DragAreaStyleValue() : 0; }

HMENU CMainDockFrame::GetHostMenu() const { return m_hWndHost ? GetMenu(m_hWndHost) : nullptr; }

HWND CMainDockFrame::FocusedMiniFrame() const
{
    for (HWND w = GetFocus(); w; w = GetParent(w))
        if (ClassIs(w, "MIFRAMEWND"))
            return w;
    return nullptr;
}

void CMainDockFrame::ReadHostForm(int insets[4])
{
    if (!m_pOwner)
        return;
    IDispatch* form = m_pOwner->GetHostForm();
    if (!form)
        return;
    AddAlignedControls(m_pOwner->ClientSite(), m_hWndHost, form, insets);
    form->Release();
}

void CMainDockFrame::RebuildAccelerators() { m_accelerators = BuildAccelerators(GetHostMenu()); }

void CMainDockFrame::SetTrackedPopup(CTrackedPopup* popup)
{
    if (m_pTrackedPopup && m_pTrackedPopup != popup)
        delete m_pTrackedPopup;
    m_pTrackedPopup = popup;
    if (!m_hMouseHook)
        m_hMouseHook = SetWindowsHookExA(WH_MOUSE, MouseHook, nullptr, GetCurrentThreadId());
    m_tracking.lastInsideTick = 0;
    m_tracking.touched = false;
}

void CMainDockFrame::CloseTrackedPopup()
{
    delete m_pTrackedPopup;
    m_pTrackedPopup = nullptr;
    if (m_hMouseHook) {
        UnhookWindowsHookEx(m_hMouseHook);
        m_hMouseHook = nullptr;
    }
}

void CMainDockFrame::TrackMouse(UINT message, const MOUSEHOOKSTRUCT* info)
{
    if (!m_pTrackedPopup || !info)
        return;
    HWND popup = m_pTrackedPopup->Window();
    PopupMouseEvent e = {};
    e.message = message;
    e.hitTest = info->wHitTestCode;
    e.now = GetTickCount();
    for (HWND w = info->hwnd; w && !e.targetInPopup; w = GetParent(w) ? GetParent(w) : ::GetWindow(w, GW_OWNER))
        if (w == popup) e.targetInPopup = true;
    if (info->hwnd && info->hwnd == m_pTrackedPopup->StripWindow())
        e.onStripTab = m_pTrackedPopup->StripHitTab(info->pt);
    e.targetInFrame = info->hwnd == m_hWndFrame || IsChild(m_hWndFrame, info->hwnd);
    e.comboList = info->hwnd && ClassIs(info->hwnd, "ComboLBox");
    if (PopupShouldClose(m_tracking, e)) {
        if (m_hMouseHook) {
            UnhookWindowsHookEx(m_hMouseHook);
            m_hMouseHook = nullptr;
        }
        CTrackedPopup* p = m_pTrackedPopup;
        m_pTrackedPopup = nullptr;
        p->SlideBack();
        delete p;
    }
}

LRESULT CALLBACK CMainDockFrame::MouseHook(int code, WPARAM wParam, LPARAM lParam)
{
    HHOOK hook = g_frame ? g_frame->m_hMouseHook : nullptr;
    if (code == HC_ACTION && g_frame)
        dockguard::Call<int>("MouseHook", 0, [&] {
            g_frame->TrackMouse(static_cast<UINT>(wParam), reinterpret_cast<MOUSEHOOKSTRUCT*>(lParam));
            return 0;
        });
    return CallNextHookEx(hook, code, wParam, lParam);
}

LRESULT CALLBACK CMainDockFrame::KeyboardHook(int code, WPARAM wParam, LPARAM lParam)
{
    if (code >= 0 && g_frame)
        dockguard::Call<int>("KeyboardHook", 0, [&] {
            CMainDockFrame* f = g_frame;
            HWND mini = f->FocusedMiniFrame();
            if (lParam & (1 << 29)) {
                // Alt belongs to the host's menu, unless the floating pane handles it itself.
                if (mini && mini != f->m_hWndHost && !CMiniFrame::TestPaneOfWindow(mini))
                    SetActiveWindow(f->m_hWndHost);
                return 0;
            }
            if (lParam & (1u << 31))
                return 0;
            const bool ctrl = GetKeyState(VK_CONTROL) < 0, shift = GetKeyState(VK_SHIFT) < 0;
            const UINT vk = static_cast<UINT>(wParam);
            const bool fkey = vk >= VK_F1 && vk <= VK_F24;
            if (!(ctrl || shift || fkey) || !mini || mini == f->m_hWndHost)
                return 0;
            f->RebuildAccelerators();
            if (const AccelRecord* r = MatchAccelerator(f->m_accelerators, AcceleratorCode(ctrl, shift, vk), vk))
                SendMessageA(f->m_hWndHost, WM_COMMAND, r->command, 0);
            return 0;
        });
    return CallNextHookEx(g_keyboardHook, code, wParam, lParam);
}

LRESULT CMainDockFrame::SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_bDestroying)
        return CallNext(hwnd, message, wParam, lParam);
    if (hwnd == m_hWndMdiClient && hwnd)
        return MdiClientProc(hwnd, message, wParam, lParam);
    return HostProc(hwnd, message, wParam, lParam);
}

LRESULT CMainDockFrame::HostProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == ResetPlaceMessage()) {
        PlaceResetPanes();
        return 0;
    }
    switch (message) {
    case WM_SIZE: {
        const LRESULT r = CallNext(hwnd, message, wParam, lParam);
        if (!m_hWndMdiClient)
            OnHostSize(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam));
        return r;
    }
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_CLICKACTIVE)
            return 0;
        break;
    case WM_MOUSEACTIVATE:
        // A click on the host outside the panes takes the active caption away from them.
        if (m_bSuppressActivate)
            m_bSuppressActivate = 0;
        else
            CPaneWnd::ActivateAll(nullptr, false);
        break;
    case WM_SIZING:
        m_bSizing = 1;
        break;
    case WM_DRAWITEM:
        if (m_pImageStore && m_pImageStore->OnDrawItem(reinterpret_cast<DRAWITEMSTRUCT*>(lParam)))
            return 1;
        break;
    case WM_MEASUREITEM:
        if (m_pImageStore && m_pImageStore->OnMeasureItem(reinterpret_cast<MEASUREITEMSTRUCT*>(lParam), hwnd))
            return 1;
        break;
    case WM_INITMENUPOPUP: {
        CallNext(hwnd, message, wParam, lParam);
        if (m_pImageStore)
            m_pImageStore->OnInitMenuPopup(reinterpret_cast<HMENU>(wParam), LOWORD(lParam), HIWORD(lParam) != 0);
        return 0;
    }
    case WM_MENUSELECT:
        if (m_pImageStore)
            m_pImageStore->OnMenuSelect(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HMENU>(lParam));
        break;
    case WM_MENUCHAR:
        if (m_pImageStore)
            if (LRESULT r = m_pImageStore->OnMenuChar(static_cast<char>(LOWORD(wParam)), HIWORD(wParam),
                                                      reinterpret_cast<HMENU>(lParam)))
                return r;
        break;
    case WM_NCDESTROY:
        m_hWndHost = nullptr;
        break;
    default:
        break;
    }
    return CallNext(hwnd, message, wParam, lParam);
}

LRESULT CMainDockFrame::MdiClientProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCDESTROY) {
        m_hWndMdiClient = nullptr;
        m_hWndClient = nullptr;
        return CallNext(hwnd, message, wParam, lParam);
    }
    if (message == WM_MDIGETACTIVE || wParam == 1)
        return CallNext(hwnd, message, wParam, lParam);
    if (message == WM_MDIACTIVATE) {
        HWND child = reinterpret_cast<HWND>(wParam);
        if (child && GetParent(child) != hwnd)
            SetParent(child, hwnd);
        return CallNext(hwnd, message, wParam, lParam);
    }
    if (message != WM_WINDOWPOSCHANGING)
        return CallNext(hwnd, message, wParam, lParam);
    auto* pos = reinterpret_cast<WINDOWPOS*>(lParam);
    if (!pos || (pos->flags & SWP_NOSIZE && pos->flags & SWP_NOMOVE) || (pos->cx == 0 && pos->cy == 0))
        return CallNext(hwnd, message, wParam, lParam);
    if (m_lastClientCx == 0 && m_lastClientCy == 0) {
        m_lastClientX = pos->x;
        m_lastClientY = pos->y;
        m_lastClientCx = pos->cx;
        m_lastClientCy = pos->cy;
        SetRect(&m_rcClient, pos->x, pos->y, pos->x + pos->cx, pos->y + pos->cy);
        return CallNext(hwnd, message, wParam, lParam);
    }
    const RECT proposed = {pos->x, pos->y, pos->x + pos->cx, pos->y + pos->cy};
    if (!EqualRect(&proposed, &m_rcClient)) {
        const int top = pos->y - m_lastClientY;
        const int bottom = (pos->y + pos->cy) - (m_lastClientY + m_lastClientCy);
        const int left = pos->x - m_lastClientX;
        const int right = (pos->x + pos->cx) - (m_lastClientX + m_lastClientCx);
        if (top) { OffsetSections(1, 0, top, nullptr); FitSections(0, -32767, 32767, nullptr); FitSections(2, -32767, 32767, nullptr); }
        if (bottom) { OffsetSections(3, 0, -bottom, nullptr); FitSections(0, -32767, 32767, nullptr); FitSections(2, -32767, 32767, nullptr); }
        if (left) { OffsetSections(0, 0, left, nullptr); FitSections(1, -32767, 32767, nullptr); FitSections(3, -32767, 32767, nullptr); }
        if (right) { OffsetSections(2, 0, -right, nullptr); FitSections(1, -32767, 32767, nullptr); FitSections(3, -32767, 32767, nullptr); }
        m_lastClientX = pos->x;
        m_lastClientY = pos->y;
        m_lastClientCx = pos->cx;
        m_lastClientCy = pos->cy;
        RECT next = {SideEdge(0, 2), SideEdge(1, 3), SideEdge(2, 0), SideEdge(3, 1)};
        if (next.right < next.left) {
            int a = 0, b = 0;
            ShrinkSections(0, next.right - next.left, a, b);
            next.left -= a;
            next.right += b;
        }
        if (next.bottom < next.top) {
            int a = 0, b = 0;
            ShrinkSections(1, next.bottom - next.top, a, b);
            next.top -= a;
            next.bottom += b;
        }
        m_rcClient = next;
    }
    pos->x = m_rcClient.left;
    pos->y = m_rcClient.top;
    pos->cx = std::max<LONG>(0, m_rcClient.right - m_rcClient.left);
    pos->cy = std::max<LONG>(0, m_rcClient.bottom - m_rcClient.top);
    return CallNext(hwnd, message, wParam, lParam);
}
