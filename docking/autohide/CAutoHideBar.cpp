#include "docking/autohide/CAutoHideBar.h"

#include <algorithm>

#include "docking/autohide/CPinPopupFrame.h"
#include "docking/layout/PaneBase.h"
#include "docking/tabs/TabStripPaint.h"

CAutoHideBar::CAutoHideBar(int side, CAutoHideHost* host) : CToolBand(side), m_pHost(host)
{
  cursorPos = [] {
    POINT pt{};
    GetCursorPos(&pt);
    return pt;
  };
  windowAt = [](POINT pt) { return WindowFromPoint(pt); };
}

CAutoHideBar::~CAutoHideBar()
{
  StopHoverTimer();
  m_tabs.clear();
}

int CAutoHideBar::MeasureText(const std::string& text) const
{
  const bool vertical = !Horizontal();
  if (measure)
    return measure(text, vertical);
  HDC dc = GetDC(m_hWnd);
  HFONT font = m_pHost ? m_pHost->CaptionFont() : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  HFONT made = nullptr;
  if (vertical && font) {
    LOGFONTA lf{};
    GetObjectA(font, sizeof lf, &lf);
    lstrcpynA(lf.lfFaceName, "Arial", LF_FACESIZE);
    made = CreateFontIndirectA(&lf);
  }
  HGDIOBJ old = SelectObject(dc, made ? made : font);
  SIZE size{};
  GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
  SelectObject(dc, old);
  if (made) DeleteObject(made);
  ReleaseDC(m_hWnd, dc);
  return size.cx;
}

void CAutoHideBar::Recalc()
{
  auto rectOf = [&](int side) -> const RECT* {
    CAutoHideBar* s = m_pHost ? m_pHost->StripOf(side) : nullptr;
    return s && s != this && s->m_bVisible && s->m_hWnd ? &s->m_rc : nullptr;
  };
  const int before = Horizontal() ? 0 : 1, after = Horizontal() ? 2 : 3;
  m_nStartInset = AutoHideLayout::StartInset(m_nSide, m_rc, rectOf(before));
  m_nEndInset = AutoHideLayout::EndInset(m_nSide, m_rc, rectOf(after));
  std::vector<int> widths;
  std::vector<bool> images;
  for (const Tab& t : m_tabs) {
    widths.push_back(MeasureText(t.caption));
    images.push_back(m_pHost && m_pHost->PaneHasImage(t.pane));
  }
  const auto extents = AutoHideLayout::LayoutTabs(widths, images, m_nStartInset);
  for (size_t i = 0; i < m_tabs.size(); ++i) {
    m_tabs[i].start = extents[i].start;
    m_tabs[i].end = extents[i].end;
  }
  if (m_hWnd)
    InvalidateRect(m_hWnd, nullptr, TRUE);
}

void CAutoHideBar::AddTab(CPaneBase* pane)
{
  if (!pane)
    return;
  Tab t;
  t.caption = t.fullCaption = pane->m_title;
  t.pane = pane;
  m_tabs.push_back(t);
  Recalc();
}

int CAutoHideBar::RemoveTab(CPaneBase* pane)
{
  auto it = std::find_if(m_tabs.begin(), m_tabs.end(), [&](const Tab& t) { return t.pane == pane; });
  if (it != m_tabs.end()) {
    m_tabs.erase(it);
    m_hover.hoverIndex = -1;
    Recalc();
  }
  return static_cast<int>(m_tabs.size());
}

void CAutoHideBar::SetTabText(CPaneBase* pane, const std::string& text)
{
  for (Tab& t : m_tabs)
    if (t.pane == pane) t.caption = t.fullCaption = text;
  Recalc();
}

std::vector<CAutoHideBar::Tab> CAutoHideBar::TakeAllTabs()
{
  std::vector<Tab> all;
  all.swap(m_tabs);
  m_hover.hoverIndex = -1;
  Recalc();
  return all;
}

void CAutoHideBar::StopHoverTimer()
{
  if (m_hover.timerId == 1 && m_hWnd)
    KillTimer(m_hWnd, kHoverTimer);
  m_hover.timerId = -1;
  m_hover.hoverIndex = -1;
}

bool CAutoHideBar::HitTestTab(POINT screen) const
{
  if (!m_hWnd || m_tabs.empty())
    return false;
  POINT pt = screen;
  ScreenToClient(m_hWnd, &pt);
  RECT client;
  GetClientRect(m_hWnd, &client);
  if (!PtInRect(&client, pt))
    return false;
  const int along = Horizontal() ? pt.x : pt.y;
  return along >= m_tabs.front().start && along < m_tabs.back().end;
}

void CAutoHideBar::MovePane(CPaneBase*, const RECT& rc)
{
  if (!m_hWnd)
    CreateBandWindow(m_hWndParent ? m_hWndParent : (m_pHost ? m_pHost->FrameWindow() : nullptr));
  m_rc = rc;
  if (m_hWnd)
    SetWindowPos(m_hWnd, nullptr, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void CAutoHideBar::HoverCheck(POINT client)
{
  RECT rc;
  GetClientRect(m_hWnd, &rc);
  if (!PtInRect(&rc, client))
    return;
  std::vector<AutoHideLayout::Extent> extents;
  for (const Tab& t : m_tabs) extents.push_back(AutoHideLayout::Extent{t.start, t.end});
  const int tab = AutoHideLayout::TabAt(extents, Horizontal() ? client.x : client.y);
  if (tab < 0)
    return;
  CPinPopupFrame* open = m_pHost ? m_pHost->TrackedPopup() : nullptr;
  const bool shown = open && open->m_pPane == m_tabs[tab].pane;
  if (AutoHideLayout::HoverOpens(m_hover, tab, shown)) {
    if (m_pHost) m_pHost->ClearPopupTouched();
    ShowPopup(m_tabs[tab].pane);
  }
}

void CAutoHideBar::OnTimer()
{
  const POINT pt = cursorPos();
  HWND under = windowAt(pt);
  if (under == m_hWnd) {
    POINT client = pt;
    ScreenToClient(m_hWnd, &client);
    HoverCheck(client);
  } else {
    CPinPopupFrame* open = m_pHost ? m_pHost->TrackedPopup() : nullptr;
    if (!open || open->m_pStrip != this)
      StopHoverTimer();
  }
  if (m_pHost)
    m_pHost->PopupMouseMove(under, pt);
}

void CAutoHideBar::ShowPopup(CPaneBase* pane)
{
  if (!pane || !m_hWnd)
    return;
  HWND frame = m_pHost ? m_pHost->FrameWindow() : GetParent(m_hWnd);
  const RECT paneRect = pane->GetScreenRect();
  RECT strip;
  GetWindowRect(m_hWnd, &strip);
  MapWindowPoints(nullptr, frame, reinterpret_cast<POINT*>(&strip), 2);
  RECT rc = AutoHideLayout::PopupRect(m_nSide, strip, m_nStartInset, m_nEndInset, paneRect.right - paneRect.left,
                                      paneRect.bottom - paneRect.top, GetSystemMetrics(SM_CXFRAME),
                                      GetSystemMetrics(SM_CYFRAME));
  // A popup is a top-level window: its rectangle is in screen coordinates.
  MapWindowPoints(frame, nullptr, reinterpret_cast<POINT*>(&rc), 2);
  auto* popup = new CPinPopupFrame(this, pane);
  if (m_hover.timerId != 1) {
    SetTimer(m_hWnd, kHoverTimer, kPopupPeriod, nullptr);
    m_hover.timerId = 1;
  }
  if (!popup->Create("abc", CPinPopupFrame::kStyle, rc, frame)) {
    delete popup;
    return;
  }
  pane->ReparentTo(popup->m_hWnd);
  RECT client;
  GetClientRect(popup->m_hWnd, &client);
  pane->MoveTo(client, nullptr);
  pane->RelayContent();
  pane->Show(true);
  if (HWND w = pane->GetWindow())
    SetFocus(w);
  popup->m_hWndStrip = m_hWnd;
  if (m_pHost)
    m_pHost->TrackPopup(popup);
}

void CAutoHideBar::Paint(HDC dc)
{
  RECT client;
  GetClientRect(m_hWnd, &client);
  HBRUSH back = CreateSolidBrush(RGB(224, 224, 224));
  FillRect(dc, &client, back);
  DeleteObject(back);
  HPEN pen = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNSHADOW));
  HGDIOBJ oldPen = SelectObject(dc, pen);
  HFONT font = m_pHost ? m_pHost->CaptionFont() : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  HFONT vertical = nullptr;
  if (!Horizontal() && font) {
    LOGFONTA lf{};
    GetObjectA(font, sizeof lf, &lf);
    lstrcpynA(lf.lfFaceName, "Arial", LF_FACESIZE);
    lf.lfEscapement = lf.lfOrientation = -900;
    vertical = CreateFontIndirectA(&lf);
  }
  HGDIOBJ oldFont = SelectObject(dc, vertical ? vertical : font);
  SetBkMode(dc, TRANSPARENT);
  const int w = client.right, h = client.bottom;
  HBRUSH face = GetSysColorBrush(COLOR_BTNFACE);
  for (const Tab& t : m_tabs) {
    const int s = t.start, e = t.end;
    IUnknown* image = m_pHost ? m_pHost->PaneImage(t.pane) : nullptr;
    switch (m_nSide) {
    case 1: {
      POINT pts[] = {{s, 0}, {s, h - 3}, {e, h - 3}, {e, 0}};
      RECT fill{s + 2, 0, e, h - 3};
      FillRect(dc, &fill, face);
      Polyline(dc, pts, 4);
      RECT text{s + 4, 0, e, h - 3};
      DrawTextA(dc, t.caption.c_str(), -1, &text, DT_SINGLELINE | DT_VCENTER);
      TabStripPaint::RenderPicture(dc, image, e - 18, 2);
      break;
    }
    case 3: {
      POINT pts[] = {{s, h}, {s, 2}, {e, 2}, {e, h}};
      RECT fill{s + 2, 3, e, h};
      FillRect(dc, &fill, face);
      Polyline(dc, pts, 4);
      RECT text{s + 4, 3, e, h};
      DrawTextA(dc, t.caption.c_str(), -1, &text, DT_SINGLELINE | DT_VCENTER);
      TabStripPaint::RenderPicture(dc, image, e - 18, 2);
      break;
    }
    case 0: {
      POINT pts[] = {{0, s}, {w - 3, s}, {w - 3, e}, {0, e}};
      RECT fill{0, s + 2, w - 3, e};
      FillRect(dc, &fill, face);
      Polyline(dc, pts, 4);
      ExtTextOutA(dc, w - 3, s + 3, 0, nullptr, t.caption.c_str(), static_cast<UINT>(t.caption.size()), nullptr);
      TabStripPaint::RenderPicture(dc, image, 2, e - 18);
      break;
    }
    default: {
      POINT pts[] = {{w, s}, {2, s}, {2, e}, {w, e}};
      RECT fill{3, s + 2, w, e};
      FillRect(dc, &fill, face);
      Polyline(dc, pts, 4);
      ExtTextOutA(dc, w, s + 3, 0, nullptr, t.caption.c_str(), static_cast<UINT>(t.caption.size()), nullptr);
      TabStripPaint::RenderPicture(dc, image, 2, e - 18);
      break;
    }
    }
  }
  SelectObject(dc, oldFont);
  if (vertical) DeleteObject(vertical);
  SelectObject(dc, oldPen);
  DeleteObject(pen);
}

LRESULT CAutoHideBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
  switch (message) {
  case WM_MOUSEMOVE:
    if (m_hover.timerId != 1) {
      SetTimer(m_hWnd, kHoverTimer, kHoverPeriod, nullptr);
      m_hover.timerId = 1;
      HoverCheck(POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))});
    }
    return 0;
  case WM_TIMER:
    if (wParam == kHoverTimer)
      OnTimer();
    return 0;
  case WM_PAINT: {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(m_hWnd, &ps);
    Paint(dc);
    EndPaint(m_hWnd, &ps);
    return 0;
  }
  case WM_PRINTCLIENT:
    Paint(reinterpret_cast<HDC>(wParam));
    return 0;
  case WM_ERASEBKGND:
    return 1;
  default:
    return CToolBand::WindowProc(message, wParam, lParam);
  }
}
