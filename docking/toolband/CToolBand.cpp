#include "docking/toolband/CToolBand.h"

#include <algorithm>
#include <utility>

#include "docking/frame/DockFrameBase.h"
#include "docking/framework/Guard.h"
#include "docking/framework/Module.h"
#include "docking/layout/DockDragInfo.h"
#include "docking/layout/Geometry.h"
#include "docking/layout/LayoutBlock.h"
#include "docking/layout/PaneBase.h"
#include "docking/toolband/CToolbarPaneWnd.h"
#include "docking/toolband/RowPacking.h"

namespace {

// Band windows and their bands; the band being created takes the first messages.
std::vector<std::pair<HWND, CToolBand*>>* g_bands = nullptr;
CToolBand* g_creating = nullptr;

void Unlist(HWND hwnd)
{
  if (!g_bands)
    return;
  auto& v = *g_bands;
  v.erase(std::remove_if(v.begin(), v.end(), [&](const auto& e) { return e.first == hwnd; }), v.end());
  if (v.empty()) {
    delete g_bands;
    g_bands = nullptr;
  }
}

bool RegisterBandClass(WNDPROC proc)
{
  static bool done = false;
  if (done)
    return true;
  WNDCLASSA wc = {};
  wc.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
  wc.lpfnWndProc = proc;
  wc.hInstance = dockmod::Instance();
  wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = CToolBand::kClassName;
  done = RegisterClassA(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
  return done;
}

}  // namespace

CToolBand::CToolBand(int side) : m_nSide(side < 0 || side > 3 ? 1 : side)
{
  m_bRow = 1;
  m_nSplitterWidth = 0;
}

CToolBand::~CToolBand()
{
  if (m_hWnd) {
    HWND hwnd = m_hWnd;
    m_hWnd = nullptr;
    Unlist(hwnd);
    DestroyWindow(hwnd);
  }
}

int CToolBand::ListedBands() { return g_bands ? static_cast<int>(g_bands->size()) : 0; }

CToolBand* CToolBand::FromHandle(HWND hwnd)
{
  if (g_bands)
    for (const auto& e : *g_bands)
      if (e.first == hwnd) return e.second;
  return nullptr;
}

LRESULT CALLBACK CToolBand::ClassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
  CToolBand* band = FromHandle(hwnd);
  if (!band && g_creating) {
    band = g_creating;
    band->m_hWnd = hwnd;
    if (!g_bands) g_bands = new std::vector<std::pair<HWND, CToolBand*>>();
    g_bands->emplace_back(hwnd, band);
  }
  if (message == WM_NCDESTROY) {
    Unlist(hwnd);
    if (band && band->m_hWnd == hwnd) band->m_hWnd = nullptr;
    return DefWindowProcA(hwnd, message, wParam, lParam);
  }
  if (!band)
    return DefWindowProcA(hwnd, message, wParam, lParam);
  return dockguard::Call<LRESULT>("CToolBand: WindowProc", 0,
                                  [&] { return band->WindowProc(message, wParam, lParam); });
}

LRESULT CToolBand::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
  return DefWindowProcA(m_hWnd, message, wParam, lParam);
}

bool CToolBand::CreateBandWindow(HWND parent)
{
  if (m_hWnd)
    return true;
  if (!RegisterBandClass(ClassProc))
    return false;
  g_creating = this;
  HWND hwnd = CreateWindowExA(0, kClassName, "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0, 0, 0, 0, parent,
                              nullptr, dockmod::Instance(), nullptr);
  g_creating = nullptr;
  return hwnd != nullptr;
}

HWND CToolBand::FrameWindowFor(const CPaneBase* pane) const
{
  if (pane && pane->m_pFrame && pane->m_pFrame->m_hWndFrame)
    return pane->m_pFrame->m_hWndFrame;
  return m_hWndParent;
}

void CToolBand::ReparentPane(CPaneBase* pane)
{
  if (!pane || !m_hWnd)
    return;
  const bool placed = pane->m_bPlaced;
  pane->m_bPlaced = true;
  pane->ReparentTo(m_hWnd);
  pane->m_bPlaced = placed;
}

void CToolBand::ReparentBand(HWND frameWindow)
{
  if (m_hWnd && frameWindow)
    SetParent(m_hWnd, frameWindow);
}

int CToolBand::BandLength() const
{
  return Horizontal() ? m_rc.right - m_rc.left : m_rc.bottom - m_rc.top;
}

int CToolBand::BandThickness() const
{
  return Horizontal() ? m_rc.bottom - m_rc.top : m_rc.right - m_rc.left;
}

int CToolBand::CollectRowPanes(std::vector<RowPane>& list, const CPaneBase* pane) const
{
  list.clear();
  int found = -1;
  int guard = 0;
  for (const CLayoutBlock* b = m_pRoot; b && guard < 4096; b = b->m_pSecond, ++guard) {
    CPaneBase* p = b->m_pPane;
    if (!p || (!p->IsShown() && p != pane))
      continue;
    const RECT rc = p->GetRectInFrame();
    RowPane e;
    e.pane = p;
    e.start = Horizontal() ? rc.left : rc.top;
    e.length = Horizontal() ? p->m_nDockedWidth : p->m_nDockedHeight;
    e.thickness = Horizontal() ? p->m_nDockedHeight : p->m_nDockedWidth;
    if (p == pane) found = static_cast<int>(list.size());
    list.push_back(e);
  }
  return found;
}

void CToolBand::Apply(const std::vector<RowPane>& list, const std::vector<int>& starts)
{
  HDWP dwp = m_hWnd ? BeginDeferWindowPos(static_cast<int>(list.size())) : nullptr;
  HDWP* batch = dwp ? &dwp : nullptr;
  const int thickness = BandThickness();
  for (size_t i = 0; i < list.size(); ++i) {
    const int s = starts[i];
    RECT rc = Horizontal() ? RECT{s, 0, s + list[i].length, thickness} : RECT{0, s, thickness, s + list[i].length};
    list[i].pane->MoveTo(rc, batch);
  }
  if (dwp)
    EndDeferWindowPos(dwp);
}

namespace {
std::vector<RowPacking::Item> Items(const std::vector<CToolBand::RowPane>& list)
{
  std::vector<RowPacking::Item> items;
  for (const auto& e : list) items.push_back(RowPacking::Item{e.start, e.length});
  return items;
}
std::vector<int> Starts(const std::vector<RowPacking::Item>& items)
{
  std::vector<int> s;
  for (const auto& i : items) s.push_back(i.start);
  return s;
}
}  // namespace

void CToolBand::MovePane(CPaneBase* pane, const RECT& rc)
{
  if (!m_hWnd) {
    if (CreateBandWindow(FrameWindowFor(pane)))
      SetWindowPos(m_hWnd, nullptr, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
  }
  m_rc = rc;
  if (!pane)
    return;
  ReparentPane(pane);
  pane->Show(true);
  RestoreBlock(nullptr, pane);
}

void CToolBand::ComputeBlockRect(CDockFrameBase* frame)
{
  if (!m_hWnd || !frame || !frame->m_hWndFrame)
    return;
  RECT rc;
  GetWindowRect(m_hWnd, &rc);
  MapWindowPoints(nullptr, frame->m_hWndFrame, reinterpret_cast<POINT*>(&rc), 2);
  m_rc = rc;
}

void CToolBand::DestroySplitter()
{
  HWND parent = m_hWnd ? GetParent(m_hWnd) : m_hWndParent;
  for (CLayoutBlock* b = m_pRoot; b; b = b->m_pSecond)
    if (CPaneBase* p = b->m_pPane) {
      p->Show(false);
      p->ReparentTo(parent);
    }
  CDockSection::DestroySplitter();
  if (m_hWnd) {
    HWND hwnd = m_hWnd;
    m_hWnd = nullptr;
    Unlist(hwnd);
    DestroyWindow(hwnd);
  }
}

int CToolBand::RemoveBlock(CLayoutBlock* block)
{
  if (!block)
    return 0;
  if (block == m_pRoot) {
    CLayoutBlock* next = block->m_pSecond;
    if (!next)
      return 1;  // the band is empty; the section goes with its root
    block->m_pSecond = nullptr;
    next->m_pParent = nullptr;
    m_pRoot = next;
    delete block;
    return 0;
  }
  for (CLayoutBlock* b = m_pRoot; b; b = b->m_pSecond)
    if (b->m_pSecond == block) {
      b->m_pSecond = block->m_pSecond;
      if (b->m_pSecond) b->m_pSecond->m_pParent = b;
      block->m_pSecond = nullptr;
      block->m_pParent = nullptr;
      delete block;
      break;
    }
  return 0;
}

int CToolBand::CollapseBlock(CDockFrameBase*, CLayoutBlock* block, const RECT&)
{
  if (!block)
    return 1;
  CPaneBase* leaving = block->m_pPane;
  std::vector<RowPane> list;
  const int i = CollectRowPanes(list, leaving);
  // The row stays while any other of its toolbars shows.
  const bool others = std::any_of(list.begin(), list.end(), [&](const RowPane& e) { return e.pane != leaving; });
  if (!others)
    return 1;
  if (i < 0)
    return 0;
  auto items = Items(list);
  RowPacking::CloseUpAfter(items, i, BandLength());
  items.erase(items.begin() + i);
  list.erase(list.begin() + i);
  Apply(list, Starts(items));
  return 0;
}

void CToolBand::RestoreBlock(CDockFrameBase*, CPaneBase* pane)
{
  if (!pane)
    return;
  ReparentPane(pane);
  std::vector<RowPane> list;
  const int i = CollectRowPanes(list, pane);
  if (i < 0)
    return;
  auto items = Items(list);
  RowPacking::PushAside(items, i, m_nWantedStart, BandLength());
  m_nWantedStart = -1;
  Apply(list, Starts(items));
}

void CToolBand::GetPaneWindowRect(CPaneBase* pane, RECT& rc)
{
  if (m_hWnd)
    GetWindowRect(m_hWnd, &rc);
  else
    CDockSection::GetPaneWindowRect(pane, rc);
}

void CToolBand::Layout(CDockFrameBase*, int, HDWP* batch)
{
  if (m_hWnd) {
    if (batch && *batch)
      *batch = DeferWindowPos(*batch, m_hWnd, nullptr, m_rc.left, m_rc.top, m_rc.right - m_rc.left,
                              m_rc.bottom - m_rc.top, SWP_NOZORDER | SWP_NOACTIVATE);
    else
      SetWindowPos(m_hWnd, nullptr, m_rc.left, m_rc.top, m_rc.right - m_rc.left, m_rc.bottom - m_rc.top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
  }
  std::vector<RowPane> list;
  CollectRowPanes(list, nullptr);
  auto items = Items(list);
  RowPacking::Repack(items, BandLength());
  Apply(list, Starts(items));
}

void CToolBand::Offset(CDockFrameBase*, int delta, int side, HDWP* batch)
{
  if (!m_bShown || !m_hWnd)
    return;
  RECT rc;
  GetWindowRect(m_hWnd, &rc);
  MapWindowPoints(nullptr, GetParent(m_hWnd), reinterpret_cast<POINT*>(&rc), 2);
  const int dx = side == 0 ? delta : side == 2 ? -delta : 0;
  const int dy = side == 1 ? delta : side == 3 ? -delta : 0;
  OffsetRect(&rc, dx, dy);
  if (batch && *batch)
    *batch = DeferWindowPos(*batch, m_hWnd, nullptr, rc.left, rc.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  else
    SetWindowPos(m_hWnd, nullptr, rc.left, rc.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CToolBand::InsertPaneNear(CPaneBase* pane, CLayoutBlock* block, int side)
{
  if (!pane)
    return;
  auto* fresh = new CLayoutBlock();
  fresh->m_pPane = pane;
  pane->m_pBlock = fresh;
  fresh->m_nSplitSide = static_cast<int>(m_nSide);
  if (!m_pRoot) {
    m_pRoot = fresh;
    return;
  }
  CLayoutBlock* prev = nullptr;
  CLayoutBlock* at = m_pRoot;
  while (at && at != block) { prev = at; at = at->m_pSecond; }
  if (!at) {  // not in this row: append
    CLayoutBlock* last = m_pRoot;
    while (last->m_pSecond) last = last->m_pSecond;
    last->m_pSecond = fresh;
    fresh->m_pParent = last;
    return;
  }
  const bool before = side == 0 || side == 1;
  if (!before) {
    fresh->m_pSecond = at->m_pSecond;
    if (fresh->m_pSecond) fresh->m_pSecond->m_pParent = fresh;
    at->m_pSecond = fresh;
    fresh->m_pParent = at;
  } else if (!prev) {
    fresh->m_pSecond = m_pRoot;
    m_pRoot->m_pParent = fresh;
    m_pRoot = fresh;
  } else {
    fresh->m_pSecond = at;
    at->m_pParent = fresh;
    prev->m_pSecond = fresh;
    fresh->m_pParent = prev;
  }
}

void CToolBand::InsertPaneAtPoint(CPaneBase* pane, int x, int y)
{
  if (!pane)
    return;
  const int along = Horizontal() ? x : y;
  CLayoutBlock* beyond = nullptr;
  for (CLayoutBlock* b = m_pRoot; b && !beyond; b = b->m_pSecond)
    if (b->m_pPane && b->m_pPane != pane) {
      const RECT rc = b->m_pPane->GetRectInFrame();
      if ((Horizontal() ? rc.left : rc.top) > along) beyond = b;
    }
  InsertPaneNear(pane, beyond, beyond ? 0 : 2);
  m_nWantedStart = along;
}

RECT CToolBand::ScreenRect(const CDockFrameBase* frame) const
{
  RECT rc = m_rc;
  if (m_hWnd) {
    GetWindowRect(m_hWnd, &rc);
  } else if (frame && frame->m_hWndFrame) {
    MapWindowPoints(frame->m_hWndFrame, nullptr, reinterpret_cast<POINT*>(&rc), 2);
  }
  return rc;
}

int CToolBand::HitTest(CDockFrameBase* frame, DockDragInfo& drag, int x, int y, SIZE& size, CPaneBase*&)
{
  const RECT rc = ScreenRect(frame);
  const int thickness = Horizontal() ? rc.bottom - rc.top : rc.right - rc.left;
  if (drag.isFormPane) {
    const int zone = dockgeo::DockZoneFromPoint(rc, x, y);
    if (zone != dockgeo::kNoZone) {
      if (Horizontal()) size.cy = thickness;
      else size.cx = thickness;
    }
    return zone;
  }
  if (RowPacking::JoinsRow(rc, m_nSide, POINT{x, y})) {
    drag.zone = m_nSide;
    SIZE fitted{drag.pane ? drag.pane->m_nDockedWidth : 0, drag.pane ? drag.pane->m_nDockedHeight : 0};
    if (auto* toolbar = dynamic_cast<CToolbarPaneWnd*>(drag.pane))
      fitted = toolbar->AdjustDropSize(m_nSide);
    size = fitted;
    const int fittedThickness = Horizontal() ? fitted.cy : fitted.cx;
    return fittedThickness != thickness ? dockgeo::kNoZone : 2 * m_nSide + 1;
  }
  const int zone = dockgeo::DockZoneFromPoint(rc, x, y);
  if (zone != dockgeo::kNoZone && m_pRoot && m_pRoot->m_pPane == drag.pane && !m_pRoot->m_pSecond)
    return dockgeo::kNoZone;  // alone in its row: dropping it there changes nothing
  return zone;
}

void CToolBand::InsertNear(CPaneBase* pane, int x, int y)
{
  if (!pane || !pane->m_pBlock)
    return;
  CLayoutBlock* own = pane->m_pBlock;
  bool listed = false;
  for (CLayoutBlock* b = m_pRoot; b && !listed; b = b->m_pSecond) listed = b == own;
  if (!listed)
    return;
  if (own != m_pRoot || own->m_pSecond) {
    RemoveBlock(own);
    pane->m_pBlock = nullptr;
    InsertPaneAtPoint(pane, x, y);
  } else {
    m_nWantedStart = Horizontal() ? x : y;
  }
  RestoreBlock(nullptr, pane);
}
