#include "docking/layout/SplitterBar.h"

#include "docking/framework/Module.h"
#include "docking/framework/WinWnd.h"

namespace {
int g_liveBars = 0;
}

CSplitterBar::CSplitterBar(int orientation, CDockFrameBase* owner) : m_nOrientation(orientation), m_pOwner(owner)
{
    ++g_liveBars;
}

CSplitterBar::~CSplitterBar()
{
    if (m_hWnd)
        DestroyWindow(m_hWnd);
    --g_liveBars;
}

int CSplitterBar::LiveCount() { return g_liveBars; }

bool CSplitterBar::Create(HWND parent)
{
    if (!parent || !IsWindow(parent))
        return false;
    CWinWnd::RegisterWindowClass();
    m_hWnd = CreateWindowExA(0, CWinWnd::ClassName(), "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, m_rc.left,
                             m_rc.top, m_rc.right - m_rc.left, m_rc.bottom - m_rc.top, parent,
                             reinterpret_cast<HMENU>(static_cast<UINT_PTR>(0xFF1)), dockmod::Instance(), nullptr);
    return m_hWnd != nullptr;
}

void CSplitterBar::MoveTo(const RECT& rc, HDWP* batch)
{
    m_rc = rc;
    if (m_hWnd)
        DeferMoveRect(m_hWnd, rc, batch);
}

void CSplitterBar::Offset(int delta, HDWP* batch)
{
    RECT rc = m_rc;
    if (m_nOrientation == 1 || m_nOrientation == 3)
        OffsetRect(&rc, 0, delta);
    else
        OffsetRect(&rc, delta, 0);
    MoveTo(rc, batch);
}

void CSplitterBar::Show(bool show)
{
    if (m_hWnd)
        ShowWindow(m_hWnd, show ? SW_SHOWNA : SW_HIDE);
}

void CSplitterBar::Reparent(HWND parent)
{
    if (m_hWnd && parent)
        SetParent(m_hWnd, parent);
}

void DeferMoveRect(HWND hwnd, const RECT& rc, HDWP* batch)
{
    if (!hwnd)
        return;
    const UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
    if (batch && *batch) {
        HDWP next = DeferWindowPos(*batch, hwnd, nullptr, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, flags);
        *batch = next;
        if (next)
            return;
    }
    SetWindowPos(hwnd, nullptr, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, flags);
}
