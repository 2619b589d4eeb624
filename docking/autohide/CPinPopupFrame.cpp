#include "docking/autohide/CPinPopupFrame.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "docking/autohide/CAutoHideBar.h"
#include "docking/framework/Guard.h"
#include "docking/framework/Module.h"
#include "docking/layout/PaneBase.h"

namespace {

std::vector<std::pair<HWND, CPinPopupFrame*>>* g_popups = nullptr;
CPinPopupFrame* g_creating = nullptr;

void Unlist(HWND hwnd)
{
  if (!g_popups)
    return;
  auto& v = *g_popups;
  v.erase(std::remove_if(v.begin(), v.end(), [&](const auto& e) { return e.first == hwnd; }), v.end());
  if (v.empty()) {
    delete g_popups;
    g_popups = nullptr;
  }
}

}  // namespace

CPinPopupFrame::CPinPopupFrame(CAutoHideBar* strip, CPaneBase* pane) : m_pPane(pane), m_pStrip(strip) {}

CPinPopupFrame::~CPinPopupFrame()
{
  if (m_pStrip)
    m_pStrip->StopHoverTimer();
  if (m_hWnd) {
    if (HWND child = GetWindow(m_hWnd, GW_CHILD)) {
      ShowWindow(child, SW_HIDE);
      SetParent(child, m_hWndMainFrame);
    }
    if (m_pPane) {
      m_pPane->Show(false);
      m_pPane->ReparentTo(m_hWndMainFrame);
    }
    HWND hwnd = m_hWnd;
    m_hWnd = nullptr;
    Unlist(hwnd);
    DestroyWindow(hwnd);
  }
}

int CPinPopupFrame::ListedPopups() { return g_popups ? static_cast<int>(g_popups->size()) : 0; }

CPinPopupFrame* CPinPopupFrame::FromHandle(HWND hwnd)
{
  if (g_popups)
    for (const auto& e : *g_popups)
      if (e.first == hwnd) return e.second;
  return nullptr;
}

bool CPinPopupFrame::StripHitTab(POINT screen) const { return m_pStrip && m_pStrip->HitTestTab(screen); }

bool CPinPopupFrame::Create(const std::string& title, DWORD style, const RECT& rc, HWND parent)
{
  static bool registered = false;
  if (!registered) {
    WNDCLASSA wc = {};
    wc.style = CS_VREDRAW | CS_HREDRAW;
    wc.lpfnWndProc = ClassProc;
    wc.hInstance = dockmod::Instance();
    wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.lpszClassName = kClassName;
    registered = RegisterClassA(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
    if (!registered)
      return false;
  }
  m_hWndMainFrame = parent;
  g_creating = this;
  HWND hwnd = CreateWindowExA(0, kClassName, title.c_str(), style, rc.left, rc.top, rc.right - rc.left,
                              rc.bottom - rc.top, parent, nullptr, dockmod::Instance(), nullptr);
  g_creating = nullptr;
  if (!hwnd)
    return false;
  SetWindowLongA(hwnd, GWL_EXSTYLE, GetWindowLongA(hwnd, GWL_EXSTYLE) | WS_EX_TOOLWINDOW);
  return true;
}

LRESULT CALLBACK CPinPopupFrame::ClassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
  CPinPopupFrame* popup = FromHandle(hwnd);
  if (!popup && g_creating) {
    popup = g_creating;
    popup->m_hWnd = hwnd;
    if (!g_popups) g_popups = new std::vector<std::pair<HWND, CPinPopupFrame*>>();
    g_popups->emplace_back(hwnd, popup);
  }
  if (message == WM_NCDESTROY) {
    Unlist(hwnd);
    if (popup && popup->m_hWnd == hwnd) popup->m_hWnd = nullptr;
    return DefWindowProcA(hwnd, message, wParam, lParam);
  }
  if (!popup)
    return DefWindowProcA(hwnd, message, wParam, lParam);
  return dockguard::Call<LRESULT>("CPinPopupFrame: WindowProc", 0,
                                  [&] { return popup->WindowProc(message, wParam, lParam); });
}

LRESULT CPinPopupFrame::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
  if (message == WM_SIZE) {
    if (HWND child = GetWindow(m_hWnd, GW_CHILD)) {
      RECT rc;
      GetClientRect(m_hWnd, &rc);
      SetWindowPos(child, nullptr, 0, 0, rc.right, rc.bottom, SWP_NOZORDER | SWP_NOACTIVATE);
    }
  } else if (message == WM_GETMINMAXINFO) {
    auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
    info->ptMinTrackSize.x = 30;
    info->ptMinTrackSize.y = 50;
  }
  return DefWindowProcA(m_hWnd, message, wParam, lParam);
}
