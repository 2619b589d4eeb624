#include "docking/pane/CPaneWnd.h"

#include <algorithm>
#include <vector>

#include "docking/drag/DropGeometry.h"
#include "docking/float/CMiniFrame.h"
#include "docking/float/FloatGeometry.h"
#include "docking/frame/DockFrameBase.h"
#include "docking/frame/MainDockFrame.h"
#include "docking/framework/DrawHelpers.h"
#include "docking/layout/DockDragInfo.h"
#include "docking/layout/DockSection.h"
#include "docking/layout/LayoutBlock.h"
#include "docking/layout/SplitterBar.h"
#include "docking/layout/TabStrip.h"
#include "docking/splitter/SplitterWindow.h"
#include "docking/tabs/TabStripWindow.h"
#include "docking/pane/PaneOwner.h"
#include "docking/pane/CaptionFonts.h"

namespace {

struct PaneEntry {
  HWND hwnd;
  CPaneWnd* pane;
};

std::vector<PaneEntry>* g_panes = nullptr;
CPaneWnd* g_creating = nullptr;
int g_live = 0;
const char kPaneClass[] = "ThunderRT6FormDCSS";
constexpr UINT_PTR kLayoutTimer = 1;
constexpr LONG kFormFrameBits = 0x00CF0000;  // caption, system menu, sizing frame, min/max boxes

std::vector<std::function<void(CPaneWnd*)>>& ForgetHooks() {
  static std::vector<std::function<void(CPaneWnd*)>> hooks;
  return hooks;
}

HINSTANCE ModuleInstance() {
  HMODULE module = nullptr;
  GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                     reinterpret_cast<LPCSTR>(&ModuleInstance), &module);
  return module;
}

void RemoveEntry(HWND hwnd) {
  if (!g_panes) return;
  auto it = std::find_if(g_panes->begin(), g_panes->end(), [hwnd](const PaneEntry& e) { return e.hwnd == hwnd; });
  if (it != g_panes->end()) g_panes->erase(it);
  if (g_panes->empty()) {
    delete g_panes;
    g_panes = nullptr;
  }
}

LRESULT CALLBACK PaneClassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  CPaneWnd* pane = CPaneWnd::FromHandle(hwnd);
  if (!pane && g_creating) {
    pane = g_creating;
    pane->hwnd = hwnd;
    if (!g_panes) g_panes = new std::vector<PaneEntry>();
    g_panes->push_back(PaneEntry{hwnd, pane});
  }
  if (!pane) return DefWindowProcA(hwnd, message, wParam, lParam);
  try {
    return pane->WindowProc(message, wParam, lParam);
  } catch (...) {
    return DefWindowProcA(hwnd, message, wParam, lParam);
  }
}

void FillSys(HDC dc, const RECT& r, int colour) {
  HBRUSH b = CreateSolidBrush(GetSysColor(colour));
  FillRect(dc, &r, b);
  DeleteObject(b);
}

void Edge(HDC dc, const RECT& r, int topLeft, int bottomRight) {
  FillSys(dc, RECT{r.left, r.top, r.right - 1, r.top + 1}, topLeft);
  FillSys(dc, RECT{r.left, r.top, r.left + 1, r.bottom - 1}, topLeft);
  FillSys(dc, RECT{r.right - 1, r.top, r.right, r.bottom}, bottomRight);
  FillSys(dc, RECT{r.left, r.bottom - 1, r.right, r.bottom}, bottomRight);
}

// The two raised bars of the grip, across a strip along the top or down the left.
void DrawGrip(HDC dc, const RECT& grip, bool vertical) {
  for (int offset : {4, 9}) {
    RECT bar = vertical ? RECT{grip.left + offset, grip.top + 2, grip.left + offset + 3, grip.bottom - 2}
                        : RECT{grip.left + 2, grip.top + offset, grip.right - 2, grip.top + offset + 3};
    if (bar.right > bar.left && bar.bottom > bar.top) Edge(dc, bar, COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW);
  }
}

void DrawPin(HDC dc, const RECT& r, bool active, int kind) {
  HPEN pen = CreatePen(PS_SOLID, 1, GetSysColor(active ? COLOR_BTNHIGHLIGHT : COLOR_BTNTEXT));
  HGDIOBJ old = SelectObject(dc, pen);
  const int cx = r.left + (r.right - r.left) / 2, cy = r.top + (r.bottom - r.top) / 2;
  auto line = [dc](int x1, int y1, int x2, int y2) {
    MoveToEx(dc, x1, y1, nullptr);
    LineTo(dc, x2, y2);
  };
  if (kind == 1) {
    line(cx, cy + 6, cx, cy + 2);
    line(cx - 3, cy + 2, cx + 4, cy + 2);
    line(cx + 2, cy + 2, cx + 2, cy - 5);
    line(cx + 1, cy + 2, cx + 1, cy - 5);
    line(cx + 2, cy - 5, cx - 3, cy - 5);
    line(cx - 2, cy - 5, cx - 2, cy + 2);
  } else if (kind == 2) {
    line(cx - 6, cy, cx - 2, cy);
    line(cx - 2, cy - 3, cx - 2, cy + 4);
    line(cx - 2, cy + 2, cx + 5, cy + 2);
    line(cx - 2, cy + 1, cx + 5, cy + 1);
    line(cx + 5, cy + 2, cx + 5, cy - 3);
    line(cx + 5, cy - 2, cx - 2, cy - 2);
  }
  SelectObject(dc, old);
  DeleteObject(pen);
}

}  // namespace

CPaneWnd::CPaneWnd() { ++g_live; }

CPaneWnd::~CPaneWnd() {
  --g_live;
  for (auto& hook : ForgetHooks()) hook(this);
  CMainDockFrame* main = CMainDockFrame::Current();
  if (main && main != dockFrame) main = nullptr;
  // An unpinned pane's strip tab must not outlive it.
  if (main && m_bUnpinned) main->RemoveFromAutoHide(side, this);
  m_bUnpinned = false;
  DropPreviousPlaceholder();
  if (container) container->ReleasePane(this, nullptr);
  container = nullptr;
  if (CMiniFrame* frame = miniFrame) {
    frame->RemovePane(this);
    CMiniFrame::ReleaseIfUnlisted(frame);
  }
  // Its place keeps its name for the next pane of that name; nothing points at it any more.
  if (main) main->ForgetPane(this);
  if (owner) owner->PaneGone();
  owner = nullptr;
}

int CPaneWnd::LiveCount() { return g_live; }

void CPaneWnd::AddForgetHook(std::function<void(CPaneWnd*)> hook) { ForgetHooks().push_back(std::move(hook)); }

CPaneWnd* CPaneWnd::FromHandle(HWND h) {
  if (!g_panes || !h) return nullptr;
  for (const PaneEntry& e : *g_panes)
    if (e.hwnd == h) return e.pane;
  return nullptr;
}

int CPaneWnd::Attach(HWND form, HWND parent) {
  if (!form || !IsWindow(form) || hwnd) return 0;
  char caption[180] = {};
  GetWindowTextA(form, caption, sizeof caption);
  title = caption;

  HINSTANCE instance = ModuleInstance();
  WNDCLASSA wc{};
  if (!GetClassInfoA(instance, kPaneClass, &wc)) {
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = PaneClassProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.lpszClassName = kPaneClass;
    RegisterClassA(&wc);
  }
  g_creating = this;
  CreateWindowExA(0, kPaneClass, "", WS_CHILD | WS_CLIPSIBLINGS, 0, 0, 0, 0, parent, nullptr, instance, nullptr);
  g_creating = nullptr;
  if (!hwnd) return 0;

  hostedWnd = form;
  LONG style = GetWindowLongA(hwnd, GWL_STYLE);
  SetWindowLongA(hwnd, GWL_STYLE, (style & ~WS_CAPTION) | WS_CLIPCHILDREN);
  SetWindowTextA(hwnd, caption);
  Activate();

  formOldStyle = GetWindowLongA(form, GWL_STYLE);
  formOldParent = GetParent(form);
  if (owner) owner->SetOwnStyleChange(true);
  // A child must not keep WS_POPUP: the two together make a window Windows treats as neither.
  SetWindowLongA(form, GWL_STYLE, (formOldStyle & static_cast<LONG>(0xFF30FFFF) & ~static_cast<LONG>(WS_POPUP)) | WS_CHILD);
  if (owner) owner->SetOwnStyleChange(false);
  SetParent(form, hwnd);
  SetWindowPos(form, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED | SWP_NOACTIVATE);
  SetTimer(hwnd, kLayoutTimer, 60, nullptr);
  return 1;
}

void CPaneWnd::ReleaseForm() {
  HWND form = hostedWnd;
  hostedWnd = nullptr;
  if (!form || !IsWindow(form)) return;
  ShowWindow(form, SW_HIDE);
  HWND back = formOldParent && IsWindow(formOldParent) ? formOldParent : nullptr;
  if (owner) owner->SetOwnStyleChange(true);
  SetWindowLongA(form, GWL_STYLE, formOldStyle & ~static_cast<LONG>(WS_VISIBLE));
  if (owner) owner->SetOwnStyleChange(false);
  SetParent(form, back);
  SetWindowPos(form, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED | SWP_NOACTIVATE);
}

void CPaneWnd::Destroy() {
  ReleaseForm();
  if (hwnd) {
    DestroyWindow(hwnd);  // WM_NCDESTROY deletes the object
    return;
  }
  delete this;
}

void CPaneWnd::SetTitle(const std::string& text) {
  title = text;
  m_title = text;
  if (!hwnd) return;
  SetWindowTextA(hwnd, title.c_str());
  SendMessageA(hwnd, WM_NCPAINT, 1, 0);
  // The title also shows on the pane's tab, its strip tab and its floating frame's caption.
  if (CTabStrip* strip = m_pBlock ? m_pBlock->m_pTabStrip : nullptr; strip && strip->TabCount() >= 2)
    strip->SetTabText(this, text);
  if (auto* main = dynamic_cast<CMainDockFrame*>(dockFrame); main && m_bUnpinned && side >= 0 && side <= 3)
    if (CAutoHideBar* bar = main->m_pStrips[side]) bar->SetTabText(this, text);
  if (miniFrame && IsVisible()) miniFrame->UpdateTitle(this);
}

void CPaneWnd::ActivateAll(CPaneWnd* except, bool dockedOnly) {
  if (!g_panes) return;
  const std::vector<PaneEntry> panes = *g_panes;
  for (const PaneEntry& e : panes) {
    if (e.pane == except || e.pane->captionActive == 0 || (dockedOnly && !e.pane->docked)) continue;
    e.pane->captionActive = 0;
    SendMessageA(e.hwnd, WM_NCPAINT, 1, 0);
  }
}

bool CPaneWnd::IsMDIChildForm() const {
  // The tabbed-dialog control and its successor want the host's menu keys (Alt) themselves.
  static const CLSID kTabbedDialogs[2] = {
      {0xBDC217C5, 0xED16, 0x11CD, {0x95, 0x6C, 0x00, 0x00, 0xC0, 0x4E, 0x4C, 0x0A}},
      {0x2315B059, 0xEDD7, 0x4C66, {0x93, 0x3C, 0xEC, 0xFF, 0x5B, 0x9D, 0xD5, 0x93}}};
  return owner && owner->ContainsControlOfClass(kTabbedDialogs, 2);
}

bool CPaneWnd::IsTabBehind() const {
  return m_pBlock && m_pBlock->m_pTabStrip && m_pBlock->m_pPane != this && m_pBlock->m_pTabStrip->HasPane(this);
}

void CPaneWnd::SetVisible(bool show) {
  if (!hwnd) return;
  auto* main = dynamic_cast<CMainDockFrame*>(dockFrame);
  if (show) {
    if (pinState == 2 && m_bUnpinned) {
      // An unpinned pane shows in its popup beside the strip.
      if (main) main->ShowAutoHidden(this);
      return;
    }
    CTabStrip* tabs = m_pBlock ? m_pBlock->m_pTabStrip : nullptr;
    if ((container || miniFrame) && tabs && m_pBlock->m_pPane != this && tabs->HasPane(this))
      tabs->SelectPane(this);  // a tab behind another: shown is brought to the front
    else if (container || miniFrame || !PlaceAgain())
      ShowWindow(hwnd, SW_SHOW);
    placed = 1;
    if (owner) owner->FireShown();
    return;
  }
  if (pinState == 2 && m_bUnpinned && main) {
    // Hiding an unpinned pane takes its strip tab away and leaves it pinned.
    main->RepinHidden(this);
  } else {
    LeavePlace();
  }
  placed = 0;
  if (owner) owner->FireHidden();
}

bool CPaneWnd::PlaceAgain() {
  if (!hwnd) return false;
  if (hiddenFloating) {
    hiddenFloating = false;
    Float();
    return true;
  }
  if (ReturnToPrevious()) return true;
  if (!dockFrame) return false;
  int s = side >= 0 && side <= 3 ? side : (prevSide >= 0 && prevSide <= 3 ? prevSide : -1);
  if (s >= 0 && owner && !owner->CanDock(s)) {
    s = -1;
    for (int i = 0; i < 4 && s < 0; ++i)
      if (owner->CanDock(i)) s = i;
  }
  if (s < 0) {
    Float();
    return true;
  }
  DockTo(dockFrame, s);
  return true;
}

void CPaneWnd::SetPinState(int state) {
  if (state == pinState || state < 0 || state > 2) return;
  pinState = state;
  if (state == 0) SetRectEmpty(&pinRect);
  if (hwnd) {
    SetWindowPos(hwnd, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    SendMessageA(hwnd, WM_NCPAINT, 1, 0);
  }
}

RECT CPaneWnd::GetScreenRect() const {
  RECT r{};
  if (hwnd) GetWindowRect(hwnd, &r);
  return r;
}

RECT CPaneWnd::GetRectInFrame() const {
  RECT r = GetScreenRect();
  if (HWND parent = hwnd ? GetParent(hwnd) : nullptr) MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

RECT CPaneWnd::GetClientScreenRect() const {
  RECT r{};
  if (!hwnd) return r;
  GetClientRect(hwnd, &r);
  MapWindowPoints(hwnd, nullptr, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

void CPaneWnd::MoveTo(const RECT& rc, HDWP* batch) {
  RECT r = rc;
  if (r.right < r.left) r.right = r.left;
  if (r.bottom < r.top) r.bottom = r.top;
  DeferMoveRect(hwnd, r, batch);
}

void CPaneWnd::AdjustDropSize(DockDragInfo& drag, SIZE& size, const RECT& against, bool fixed) {
  const int zone = drag.zone;
  const LONG w = against.right - against.left, h = against.bottom - against.top;
  if (!fixed && zone >= 0 && zone <= 3) {
    const bool across = zone == 1 || zone == 3;
    const int docked = across ? (dockedHeight > 0 ? dockedHeight : m_nDockedHeight)
                              : (dockedWidth > 0 ? dockedWidth : m_nDockedWidth);
    const LONG room = std::max<LONG>(20, (across ? h : w) - 20);
    const LONG thick = std::min<LONG>(docked > 0 ? docked : (across ? size.cy : size.cx), room);
    if (across) {
      size.cx = w;
      if (!drag.asTab) size.cy = thick;
    } else {
      size.cy = h;
      if (!drag.asTab) size.cx = thick;
    }
  }
  drag.proposed = size;
}

void CPaneWnd::Show(bool show) {
  if (hwnd) ShowWindow(hwnd, show ? SW_SHOWNA : SW_HIDE);
}

void CPaneWnd::ReparentTo(HWND parent) {
  if (hwnd && parent && GetParent(hwnd) != parent) SetParent(hwnd, parent);
}

void CPaneWnd::DockTo(CDockFrameBase* frame, int s, int sectionIndex) {
  hiddenFloating = false;
  if (!frame || !hwnd || s < 0 || s > 3) return;
  if (container) Undock();
  LeaveMiniFrame(frame->m_hWndFrame);
  side = s;
  m_nSide = s;
  m_nSectionIndex = sectionIndex;
  m_pBlock = nullptr;
  dockFrame = frame;
  m_title = title;
  m_bFloating = false;
  if (dockedWidth > 0) m_nDockedWidth = dockedWidth;
  if (dockedHeight > 0) m_nDockedHeight = dockedHeight;
  docked = true;
  sharesMiniFrame = false;
  m_bCaptionAtSide = PaneGeometry::StripOnLeft(dragAreaStyle, s);
  ReparentTo(frame->m_hWndFrame);
  SetWindowPos(hwnd, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  container = frame;
  frame->DockPane(this, 0, nullptr);
  SplitterWindow::AdoptAll(frame);
  Show(true);
  placed = 1;
  LayoutContent();
  if (owner) owner->FireDockStyleChanged(s);
}

bool CPaneWnd::JoinAsTab(CPaneWnd* ref) {
  hiddenFloating = false;
  if (!ref || ref == this || !ref->container || !ref->m_pBlock || !hwnd) return false;
  if (container) Undock();
  CDockFrameBase* frame = ref->container;
  LeaveMiniFrame(frame->m_hWndFrame);
  m_pBlock = nullptr;
  m_title = title;
  docked = true;
  side = ref->side;
  container = frame;
  dockFrame = frame;
  ReparentTo(frame->m_hWndFrame);
  SetWindowPos(hwnd, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  ref->m_pBlock->AddPaneAsTab(this, false);
  placed = 1;
  LayoutContent();
  if (owner) owner->FireDockStyleChanged(side);
  return true;
}

bool CPaneWnd::DockBeside(CPaneWnd* ref, int s) {
  hiddenFloating = false;
  if (!ref || ref == this || !ref->container || !ref->m_pBlock || !hwnd || s < 0 || s > 3) return false;
  if (container) Undock();
  CDockFrameBase* frame = ref->container;
  LeaveMiniFrame(frame->m_hWndFrame);
  m_pBlock = nullptr;
  CLayoutBlock* leaf = ref->m_pBlock;
  RECT rc{};
  leaf->GetBlockRect(rc);
  auto* fresh = new CLayoutBlock();
  const int w = dockedWidth > 0 ? dockedWidth : m_nDockedWidth;
  const int h = dockedHeight > 0 ? dockedHeight : m_nDockedHeight;
  leaf->Split(fresh, s, s == 0 || s == 1, SIZE{w, h});
  fresh->m_pPane = this;
  fresh->m_bVacant = false;
  m_pBlock = fresh;
  m_pFrame = frame;
  m_nSide = ref->m_nSide;
  m_nSectionIndex = ref->m_nSectionIndex;
  m_title = title;
  side = ref->side;
  docked = true;
  container = frame;
  dockFrame = frame;
  ReparentTo(frame->m_hWndFrame);
  SetWindowPos(hwnd, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  if (!leaf->m_pSplitter) {
    leaf->m_pSplitter = new CSplitterBar((s == 1 || s == 3) ? 1 : 0, frame);
    leaf->m_pSplitter->m_pBlock = leaf;
    leaf->m_pSplitter->Create(frame->m_hWndFrame);
  }
  frame->LayoutBlockTree(leaf, rc, 1, nullptr);
  frame->LayoutBlockTree(leaf, rc, 0, nullptr);
  SplitterWindow::AdoptAll(frame);
  Show(true);
  placed = 1;
  LayoutContent();
  if (owner) owner->FireDockStyleChanged(side);
  return true;
}

void CPaneWnd::JoinFrame(CMiniFrame* target, int zone, CPaneWnd* tabOf) {
  hiddenFloating = false;
  if (!target || target == miniFrame || !hwnd) return;
  if (container) {
    RememberPrevious();
    Undock();
    m_pBlock = nullptr;
  }
  if (CMiniFrame* old = miniFrame) {
    SetParent(hwnd, old->ownerWindow);
    old->RemovePane(this);
    CMiniFrame::ReleaseIfUnlisted(old);
  }
  docked = false;
  if (zone == 4)
    target->AttachPane(this, 3, tabOf && tabOf != this ? tabOf : target->GetFirstPane());
  else if (zone >= 5 && zone <= 8 && tabOf && tabOf != this)
    target->AttachPane(this, zone - 5, nullptr, tabOf);
  else
    target->AttachPane(this, zone < 0 || zone > 3 ? 3 : zone);
  if (owner) owner->FireDockStyleChanged(4);
}

void CPaneWnd::Activate() {
  if (!hwnd || captionActive == 1) return;
  ActivateAll(this, false);
  captionActive = 1;
  SendMessageA(hwnd, WM_NCPAINT, 1, 0);
}

void CPaneWnd::ToggleFloat() {
  if (pinState == 2 || !hwnd) return;
  if (docked && container) {
    Float();
    return;
  }
  if (!dockFrame || prevSide < 0 || prevSide > 3 || (owner && !owner->CanDock(prevSide))) return;
  if (!ReturnToPrevious()) DockTo(dockFrame, prevSide);
}

void CPaneWnd::ToggleGroup() {
  if (pinState == 2 || !hwnd) return;
  CTabStrip* strip = m_pBlock ? m_pBlock->m_pTabStrip : nullptr;
  if (!strip || strip->TabCount() < 2) {
    ToggleFloat();
    return;
  }
  // The whole tab group changes place; panes are found again by window, as each move may
  // rebuild the group.
  std::vector<HWND> group;
  for (CPaneBase* p : strip->GetPanes())
    if (auto* w = dynamic_cast<CPaneWnd*>(p); w && w != this && w->hwnd) group.push_back(w->hwnd);
  const bool floating = !(docked && container);
  const HWND self = hwnd;
  ToggleFloat();
  CPaneWnd* lead = FromHandle(self);
  if (!lead) return;
  for (HWND h : group) {
    CPaneWnd* p = FromHandle(h);
    if (!p) continue;
    if (!floating && lead->miniFrame && lead->miniFrame->hwnd) {
      p->JoinFrame(lead->miniFrame, 4, lead);
    } else if (floating) {
      p->ToggleFloat();
    }
  }
}

void CPaneWnd::LeaveMiniFrame(HWND newParent) {
  CMiniFrame* old = miniFrame;
  if (!old) return;
  // Out of the frame window first: a frame that goes now takes its child windows with it.
  if (newParent) ReparentTo(newParent);
  old->RemovePane(this);
  CMiniFrame::ReleaseIfUnlisted(old);
}

void CPaneWnd::LeavePlace() {
  hiddenFloating = miniFrame != nullptr;
  if (miniFrame && miniFrame->hwnd && !miniFrame->HasSeveralPanes(this, true)) {
    // Alone in its frame: the frame's place is the one to float at again.
    RECT r{};
    GetWindowRect(miniFrame->hwnd, &r);
    floatLeft = r.left;
    floatTop = r.top;
    floatWidth = r.right - r.left;
    floatHeight = r.bottom - r.top;
  }
  if (container) {
    RememberPrevious();
    Undock();
    m_pBlock = nullptr;
  }
  LeaveMiniFrame(dockFrame ? dockFrame->m_hWndFrame : nullptr);
  docked = false;
  if (hwnd) ShowWindow(hwnd, SW_HIDE);
}

void CPaneWnd::ForgetPlace() {
  DropPreviousPlaceholder();
  prevSide = -1;
  prevIndex = -1;
  hiddenFloating = false;
  m_pBlock = nullptr;
  m_nSectionIndex = -1;
}

void CPaneWnd::RememberPrevious() {
  if (m_pBlock != prevBlock) DropPreviousPlaceholder();
  prevSide = side;
  prevIndex = m_nSectionIndex;
  prevBlock = m_pBlock;
}

void CPaneWnd::DropPreviousPlaceholder() {
  // A vacant leaf kept for this pane must not name it once it goes or takes another place.
  if (prevBlock && prevBlock->m_bVacant && prevBlock->m_pPane == this) prevBlock->m_pPane = nullptr;
  prevBlock = nullptr;
}

void CPaneWnd::OnBlockGone(const CLayoutBlock* block) {
  if (prevBlock == block) prevBlock = nullptr;
}

bool CPaneWnd::ReturnToPrevious() {
  CLayoutBlock* block = prevBlock;
  if (!block || !dockFrame || !hwnd || !block->IsLeaf()) return false;
  // Sections may have been added or removed since: find where the block lives now.
  CLayoutBlock* root = block;
  while (root->m_pParent) root = root->m_pParent;
  int s = -1, index = -1;
  for (int i = 0; i < 4 && s < 0; ++i)
    for (int j = 0; j < dockFrame->SectionCount(i); ++j)
      if (dockFrame->SectionAt(i, j)->m_pRoot == root) {
        s = i;
        index = j;
        break;
      }
  if (s < 0 || (owner && !owner->CanDock(s))) return false;
  // A vacant leaf kept for a pane that is not back here yet is free for this one too.
  auto* keeper = dynamic_cast<CPaneWnd*>(block->m_pPane);
  const bool vacant = block->m_bVacant && (!block->m_pPane || block->m_pPane == this ||
                                           (keeper && keeper->container != dockFrame));
  CPaneWnd* mate = vacant ? nullptr : dynamic_cast<CPaneWnd*>(block->m_pPane);
  if (!vacant && (!mate || mate == this || mate->container != dockFrame)) return false;
  LeaveMiniFrame(dockFrame->m_hWndFrame);
  prevBlock = nullptr;
  if (mate) return JoinAsTab(mate);  // the tab group it left is still there
  side = s;
  m_nSide = s;
  m_nSectionIndex = index;
  m_pBlock = block;
  m_pFrame = dockFrame;
  m_title = title;
  m_bFloating = false;
  docked = true;
  sharesMiniFrame = false;
  m_bCaptionAtSide = PaneGeometry::StripOnLeft(dragAreaStyle, s);
  ReparentTo(dockFrame->m_hWndFrame);
  SetWindowPos(hwnd, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  container = dockFrame;
  dockFrame->DockPane(this, 0, nullptr);
  SplitterWindow::AdoptAll(dockFrame);
  Show(true);
  placed = 1;
  LayoutContent();
  if (owner) owner->FireDockStyleChanged(s);
  return true;
}

void CPaneWnd::Undock() {
  if (!container) return;
  CDockFrameBase* frame = container;
  container = nullptr;
  frame->ReleasePane(this, nullptr);
  docked = false;
}

void CPaneWnd::Float() {
  hiddenFloating = false;
  if (!hwnd) return;
  if (miniFrame && !miniFrame->HasSeveralPanes(this, true) && miniFrame->hwnd) {
    // Alone in its frame: the frame itself moves.
    SetWindowPos(miniFrame->hwnd, nullptr, floatLeft, floatTop, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    return;
  }
  if (container) {
    RememberPrevious();
    Undock();
    m_pBlock = nullptr;
  }
  if (miniFrame) {
    CMiniFrame* old = miniFrame;
    RECT w{};
    GetWindowRect(hwnd, &w);
    SetParent(hwnd, GetParent(old->hwnd) ? GetParent(old->hwnd) : old->ownerWindow);
    old->RemovePane(this);
    CMiniFrame::ReleaseIfUnlisted(old);
  }
  if (floatWidth <= 0 || floatHeight <= 0) {
    floatWidth = 200;
    floatHeight = 200;
  }
  if (!IsRectEmpty(&workArea)) FloatGeometry::KeepInBounds(floatLeft, floatTop, floatWidth, workArea);
  CMiniFrame* frame = new CMiniFrame();
  frame->workArea = workArea;
  frame->ghostOnDesktop = ghostOnDesktop;
  docked = false;
  frame->AttachPane(this);
}

void CPaneWnd::Close() {
  if (pinState == 2) {
    if (auto* main = dynamic_cast<CMainDockFrame*>(dockFrame)) main->CloseTrackedPopup();
    if (owner) owner->FireHidden();
    return;
  }
  SetVisible(false);
}

int CPaneWnd::WantedCaptionSize() const {
  return (docked || sharesMiniFrame || pinState == 2) ? PaneGeometry::kCaption : 0;
}

int CPaneWnd::NcHitTest(POINT screen) const {
  RECT w{};
  GetWindowRect(hwnd, &w);
  return PaneGeometry::OnCaption(w, screen, captionSize, StripOnLeft()) ? HTCAPTION : -1;
}

void CPaneWnd::LayoutContent() {
  if (!hwnd) return;
  RECT client{};
  GetClientRect(hwnd, &client);
  // The leaf's strip shows while the leaf holds two or more panes; its window gets our painting.
  CTabStrip* strip = m_pBlock ? m_pBlock->m_pTabStrip : nullptr;
  tabStripWnd = nullptr;
  if (strip && strip->TabCount() >= 2 && strip->m_pCurrent == this && strip->m_hWnd) {
    tabStripWnd = strip->m_hWnd;
    TabStripWindow::Adopt(strip);
  }
  const bool tabbed = pinState != 2 && tabStripWnd && IsWindow(tabStripWnd);
  PaneGeometry::ContentLayout c = PaneGeometry::LayoutContent(client, tabbed);
  if (c.placeForm && hostedWnd)
    SetWindowPos(hostedWnd, nullptr, c.form.left, c.form.top, c.form.right - c.form.left, c.form.bottom - c.form.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  if (c.placeTabs && IsVisible())
    SetWindowPos(tabStripWnd, nullptr, c.tabs.left, c.tabs.top, c.tabs.right - c.tabs.left, c.tabs.bottom - c.tabs.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void CPaneWnd::OnTimer() {
  LayoutContent();
  if (hostedWnd && !IsWindowVisible(hostedWnd)) ShowWindow(hostedWnd, SW_SHOWNA);
  KillTimer(hwnd, kLayoutTimer);
}

void CPaneWnd::DrawCaption(bool active) {
  if (captionSize <= 0 || !hwnd) return;
  HDC dc = GetWindowDC(hwnd);
  if (!dc) return;
  RECT w{};
  GetWindowRect(hwnd, &w);
  const int width = w.right - w.left, height = w.bottom - w.top;
  const bool pinEnabled = pinState != 0;
  if (dragAreaStyle == 1) {
    const bool onLeft = StripOnLeft();
    PaneGeometry::CaptionLayout c = PaneGeometry::NoTextCaption(onLeft, pinEnabled, width, height);
    FillSys(dc, c.strip, COLOR_BTNFACE);
    DrawGrip(dc, c.grip, onLeft);
    closeRect = c.close;
    DrawFrameControl(dc, &closeRect, DFC_CAPTION, DFCS_CAPTIONCLOSE | (closeUp ? 0 : DFCS_PUSHED));
    pinRect = c.pin;
    if (pinEnabled) {
      if (!pinUp) {
        RECT sunk = pinRect;
        if (onLeft) InflateRect(&sunk, 0, 1); else InflateRect(&sunk, 1, 0);
        Edge(dc, sunk, COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT);
      }
      DrawPin(dc, pinRect, false, pinState);
    }
  } else {
    ReleaseDC(hwnd, dc);
    // Title, buttons and their pressed states; the window's own text stays as it is.
    DrawFloatCaption(hwnd, CaptionFonts::Normal(), active, false, title.c_str(), pinEnabled ? pinState : 0, &pinRect,
                     &closeRect, closeUp != 0, pinUp != 0);
    if (!pinEnabled) SetRectEmpty(&pinRect);
    return;
  }
  ReleaseDC(hwnd, dc);
}

void CPaneWnd::RunButtonPress(bool close, const RECT& screenButton) {
  int& up = close ? closeUp : pinUp;
  up = 0;
  SendMessageA(hwnd, WM_NCPAINT, 1, 0);
  PaneDragLoop::Client client;
  const HWND self = hwnd;
  client.buttonState = [this, &up, self](bool over) {
    up = over ? 0 : 1;
    SendMessageA(self, WM_NCPAINT, 1, 0);
  };
  bool released = false;
  client.buttonReleased = [&released](bool on) { released = on; };
  dragging = 1;
  PaneDragLoop loop(hwnd, PaneDragLoop::Mode::ButtonPress, client);
  loop.Run(screenButton);
  dragging = 0;
  closeUp = 1;
  pinUp = 1;
  if (IsWindow(self)) SendMessageA(self, WM_NCPAINT, 1, 0);
  if (!released) return;
  if (close)
    Close();
  else
    TogglePin();
}

void CPaneWnd::TogglePin() {
  if (pinState == 0) return;
  const int next = pinState == 1 ? 2 : 1;
  auto* main = dynamic_cast<CMainDockFrame*>(dockFrame);
  if (!main || !main->ChangePinState(this, next)) SetPinState(next);
}

bool CPaneWnd::BeginFrameDrag(POINT screen) {
  CMiniFrame* frame = miniFrame;
  if (!hwnd || !frame || !frame->hwnd || pinState == 2) return false;
  // The frame's own bounds and drawing choice hold while it is dragged.
  const RECT ownArea = workArea;
  const bool ownGhost = ghostOnDesktop;
  if (IsRectEmpty(&workArea)) workArea = frame->workArea;
  ghostOnDesktop = ghostOnDesktop && frame->ghostOnDesktop;
  frameDrag_ = true;
  RunDrag(screen);
  frameDrag_ = false;
  workArea = ownArea;
  ghostOnDesktop = ownGhost;
  return miniFrame != frame;
}

PaneDragLoop::Target CPaneWnd::FloatTarget(POINT screen) const {
  PaneDragLoop::Target t;
  t.zone = 8;
  const int w = floatWidth > 0 ? floatWidth : 200;
  const int h = floatHeight > 0 ? floatHeight : 200;
  POINT o = DropGeometry::FloatGhostOrigin(screen, grabX_, grabY_, dragW_, dragH_, w, h);
  if (!IsRectEmpty(&workArea)) o = DropGeometry::ClampFloatGhost(o, w, h, workArea);
  t.ghost = RECT{o.x, o.y, o.x + w, o.y + h};
  return t;
}

PaneDragLoop::Target CPaneWnd::FrameTarget(POINT screen) {
  DockDragInfo drag;
  drag.sourceRect = GetScreenRect();
  drag.sourceFloating = docked ? 0 : 1;
  drag.sourceContainer = container;
  drag.pane = this;
  drag.sourceIndex = m_nSectionIndex;
  drag.sourceSide = side;
  drag.sourceBlock = m_pBlock;
  SIZE size{m_nDockedWidth, m_nDockedHeight};
  const int zone = dockFrame->FindDropTarget(drag, this, screen.x, screen.y, size);
  if (zone > 3) {
    dropAtEdge_ = 0;
    return FloatTarget(screen);
  }
  PaneDragLoop::Target t;
  t.zone = zone;
  t.asTab = drag.asTab != 0;
  const SIZE ghost = drag.proposed.cx > 0 ? drag.proposed : size;
  t.ghost = RECT{drag.ghostX, drag.ghostY, drag.ghostX + ghost.cx, drag.ghostY + ghost.cy};
  dropIndex_ = drag.targetIndex;
  dropAtEdge_ = drag.atFrameEdge;
  dropTabTarget_ = drag.asTab ? drag.tabTarget : nullptr;
  dropTargetPane_ = drag.targetPane;
  dropInsertSide_ = drag.insertSide;
  return t;
}

void CPaneWnd::FrameDrop(const PaneDragLoop::Target& t) {
  if (t.asTab) {
    // Onto another pane's caption: a tab of it.
    if (auto* target = dynamic_cast<CPaneWnd*>(dropTabTarget_); target && target != this) JoinAsTab(target);
    return;
  }
  if (!dropAtEdge_) {
    if (dropTargetPane_ == this) return;  // its own place
    if (auto* target = dynamic_cast<CPaneWnd*>(dropTargetPane_); target && dropInsertSide_ >= 0 && dropInsertSide_ <= 3) {
      DockBeside(target, dropInsertSide_);
      return;
    }
    if (!dropTargetPane_ && dropIndex_ < 0) DockTo(dockFrame, t.zone, -1);  // innermost at that side
    return;
  }
  if (docked && container == dockFrame && side == t.zone && m_pBlock) {
    // Its own side and nothing would change: no move, no event.
    CDockSection* own = dockFrame->SectionAt(side, m_nSectionIndex);
    if (own && dockFrame->SectionCount(side) == 1 && dropIndex_ <= 0) return;
  }
  if (t.ghost.right > t.ghost.left && (t.zone == 0 || t.zone == 2)) dockedWidth = t.ghost.right - t.ghost.left;
  if (t.ghost.bottom > t.ghost.top && (t.zone == 1 || t.zone == 3)) dockedHeight = t.ghost.bottom - t.ghost.top;
  DockTo(dockFrame, t.zone, dropIndex_);
  if (auto* main = dynamic_cast<CMainDockFrame*>(dockFrame); main && container == main)
    main->RecheckAutoHide(side, m_nSectionIndex);
}

void CPaneWnd::DockFrameTree(const PaneDragLoop::Target& t) {
  CMiniFrame* frame = miniFrame;
  CDockFrameBase* main = dockFrame;
  if (!frame || !main || t.zone < 0 || t.zone > 3) return;
  std::vector<CPaneWnd*> panes;
  CLayoutBlock* root = frame->TakeTree(panes);
  if (!root) return;
  const int s = t.zone;
  // The windows move to the main frame before the frame's window goes with its children.
  for (CPaneWnd* p : panes) {
    p->ReparentTo(main->m_hWndFrame);
    p->container = main;
    p->dockFrame = main;
    p->docked = true;
    p->side = s;
    p->m_bFloating = false;
    p->m_title = p->title;
    p->hiddenFloating = false;
    p->m_bCaptionAtSide = PaneGeometry::StripOnLeft(p->dragAreaStyle, s);
  }
  const SIZE proposed{t.ghost.right - t.ghost.left, t.ghost.bottom - t.ghost.top};
  CDockSection* section = main->InsertBlock(root, s, dropAtEdge_ ? dropIndex_ : -1, proposed);
  frame->deleteOnDestroy = 1;
  if (frame->hwnd) DestroyWindow(frame->hwnd);  // WM_NCDESTROY deletes the frame
  else CMiniFrame::ReleaseIfUnlisted(frame);
  SplitterWindow::AdoptAll(main);
  for (CPaneWnd* p : panes) {
    if (!CPaneWnd::FromHandle(p->hwnd)) continue;
    SetWindowPos(p->hwnd, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    if (p->IsShown()) p->LayoutContent();
    if (p->owner) p->owner->FireDockStyleChanged(s);
  }
  if (auto* m = dynamic_cast<CMainDockFrame*>(main); m && section) m->RecheckAutoHide(s, main->FindSectionIndex(s, section));
}

bool CPaneWnd::OverOwnStrip(POINT screen) {
  CTabStrip* strip = m_pBlock ? m_pBlock->m_pTabStrip : nullptr;
  if (!strip || !strip->m_hWnd || strip->TabCount() < 2 || !strip->HasPane(this)) return false;
  RECT r{};
  GetWindowRect(strip->m_hWnd, &r);
  if (!PtInRect(&r, screen)) return false;
  // Along its own strip the tab changes places with the tab it passes over.
  POINT pt = screen;
  ScreenToClient(strip->m_hWnd, &pt);
  const int over = TabStripWindow::TabUnder(strip, pt.x);
  CPaneBase* other = over >= 0 ? strip->PaneAt(over) : nullptr;
  if (other && other != this) {
    strip->SwapTabs(this, other);
    m_pBlock->SwapSlots(this, other);
    strip->SelectPane(this);
    InvalidateRect(strip->m_hWnd, nullptr, TRUE);
  }
  return true;
}

void CPaneWnd::BeginTabDrag(POINT screen) {
  if (!hwnd || pinState == 2) return;
  tabDrag_ = true;
  RunDrag(screen);
  tabDrag_ = false;
}

void CPaneWnd::RunDrag(POINT screen) {
  RECT w{};
  // Dragged by its floating frame's caption: the frame is what moves.
  GetWindowRect(frameDrag_ && miniFrame && miniFrame->hwnd ? miniFrame->hwnd : hwnd, &w);
  if (frameDrag_) {
    floatWidth = w.right - w.left;
    floatHeight = w.bottom - w.top;
  }
  grabX_ = screen.x - w.left;
  grabY_ = screen.y - w.top;
  dragW_ = w.right - w.left;
  dragH_ = w.bottom - w.top;
  PaneDragLoop::Client client;
  moves_ = 0;
  // A frame of several panes dragged by its caption moves as a whole: its layout docks at an
  // edge of the main frame, or the frame just moves.
  const bool wholeTree = frameDrag_ && miniFrame && miniFrame->HasSeveralPanes(nullptr, true);
  client.search = [this, wholeTree](POINT pt) {
    ++moves_;
    if (wholeTree) {
      dropFrame_ = nullptr;
      for (CMiniFrame* f : CMiniFrame::FloatingFrames()) {
        if (f == miniFrame || !f->hwnd || !f->holdsFormPanes) continue;
        RECT r{};
        GetWindowRect(f->hwnd, &r);
        InflateRect(&r, 12, 12);
        if (!PtInRect(&r, pt)) continue;
        PaneDragLoop::Target t;
        const int zone = f->DropZone(pt, t.ghost, nullptr);
        if (zone < 0 || zone > 3) break;  // inside another frame: only its edges take a layout
        dropFrame_ = f;
        dropFrameZone_ = zone;
        t.zone = 0;
        return t;
      }
      if (dockFrame) {
        PaneDragLoop::Target t = FrameTarget(pt);
        // A new section: at the frame's edge, or innermost at a side.
        if (t.zone <= 3 && !t.asTab && (dropAtEdge_ || (!dropTargetPane_ && dropIndex_ < 0))) return t;
      }
      return FloatTarget(pt);
    }
    if (tabDrag_ && OverOwnStrip(pt)) {
      PaneDragLoop::Target t;
      t.suppress = true;
      return t;
    }
    if (dropSearch) return dropSearch(*this, pt);
    // Floating frames come first, the last activated first.
    dropFrame_ = nullptr;
    dropFrameTab_ = nullptr;
    for (CMiniFrame* f : CMiniFrame::FloatingFrames()) {
      if (!f->hwnd || !f->holdsFormPanes) continue;
      RECT r{};
      GetWindowRect(f->hwnd, &r);
      InflateRect(&r, 12, 12);  // the bands just outside its edges belong to it too
      if (!PtInRect(&r, pt)) continue;
      if (f == miniFrame && !f->HasSeveralPanes(this, true)) break;  // over its own frame: a move
      dropFrame_ = f;
      PaneDragLoop::Target t;
      t.zone = 0;
      CPaneWnd* tab = nullptr;
      dropFrameZone_ = f->DropZone(pt, t.ghost, &tab);
      if (tab == this) dropFrameZone_ = -1;
      dropFrameTab_ = tab && tab != this ? tab->hwnd : nullptr;
      t.asTab = dropFrameZone_ == 4;
      return t;
    }
    return dockFrame ? FrameTarget(pt) : FloatTarget(pt);
  };
  client.drop = [this, wholeTree](const PaneDragLoop::Target& t, POINT) {
    // A press released without any move is a click: nothing changes.
    if (moves_ == 0) return;
    if (wholeTree) {
      if (CMiniFrame* target = dropFrame_) {
        dropFrame_ = nullptr;
        CMiniFrame* own = miniFrame;
        std::vector<CPaneWnd*> moved;
        if (own && target != own && CMiniFrame::IsListed(target))
          if (CLayoutBlock* tree = own->TakeTree(moved)) {
            target->InsertBlockAtSide(tree, dropFrameZone_, moved);
            own->deleteOnDestroy = 1;
            if (own->hwnd) DestroyWindow(own->hwnd);
          }
        return;
      }
      if (t.zone <= 3)
        DockFrameTree(t);
      else if (miniFrame && miniFrame->hwnd) {
        SetWindowPos(miniFrame->hwnd, nullptr, t.ghost.left, t.ghost.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        miniFrame->SetFloatRect(t.ghost.left, t.ghost.top, t.ghost.right, t.ghost.bottom);
      }
      return;
    }
    if (dropAction) {
      dropAction(*this, t);
      return;
    }
    // Dragged by its caption, a pane takes its whole tab group along; a tab drags alone.
    const std::vector<HWND> group = tabDrag_ || frameDrag_ ? std::vector<HWND>() : GroupMates();
    DropAt(t);
    if (!group.empty() && FromHandle(group.front()) != nullptr) RejoinGroup(group);
  };
  dragging = 1;
  PaneDragLoop loop(hwnd, PaneDragLoop::Mode::Drag, client);
  loop.useDesktop = ghostOnDesktop;
  loop.Run();
  dragging = 0;
}

std::vector<HWND> CPaneWnd::GroupMates() const {
  std::vector<HWND> mates;
  CTabStrip* strip = m_pBlock ? m_pBlock->m_pTabStrip : nullptr;
  if (!strip || strip->TabCount() < 2 || !strip->HasPane(this)) return mates;
  for (CPaneBase* p : strip->GetPanes())
    if (auto* w = dynamic_cast<CPaneWnd*>(p); w && w != this && w->hwnd) mates.push_back(w->hwnd);
  return mates;
}

void CPaneWnd::RejoinGroup(const std::vector<HWND>& mates) {
  const HWND self = hwnd;
  for (HWND h : mates) {
    CPaneWnd* lead = FromHandle(self);
    CPaneWnd* p = FromHandle(h);
    if (!lead || !p || p == lead) continue;
    if (lead->m_pBlock && p->m_pBlock == lead->m_pBlock) continue;  // nothing moved
    if (lead->container && lead->m_pBlock)
      p->JoinAsTab(lead);
    else if (lead->miniFrame && lead->miniFrame->hwnd)
      p->JoinFrame(lead->miniFrame, 4, lead);
  }
  // The dragged pane stays the group's shown tab.
  if (CPaneWnd* lead = FromHandle(self); lead && lead->m_pBlock && lead->m_pBlock->m_pTabStrip)
    lead->m_pBlock->m_pTabStrip->SelectPane(lead);
}

void CPaneWnd::DropAt(const PaneDragLoop::Target& t) {
  {
    if (CMiniFrame* target = dropFrame_) {
      dropFrame_ = nullptr;
      if (target == miniFrame || !CMiniFrame::IsListed(target)) return;
      CPaneWnd* tab = dropFrameTab_ ? CPaneWnd::FromHandle(dropFrameTab_) : nullptr;
      dropFrameTab_ = nullptr;
      // The tab target may have left that frame while the drag ran.
      if (tab && tab->miniFrame != target) tab = nullptr;
      JoinFrame(target, tab || dropFrameZone_ < 4 ? dropFrameZone_ : -1, tab);
      return;
    }
    if (dockFrame && t.zone <= 3) {
      FrameDrop(t);
      return;
    }
    if (t.zone == 8 || t.zone == 255) {
      floatLeft = t.ghost.left;
      floatTop = t.ghost.top;
      Float();
    }
  }
}

void CPaneWnd::OnNcLButtonDown(POINT screen) {
  RECT w{};
  GetWindowRect(hwnd, &w);
  const bool noTextLeft = dragAreaStyle == 1 && docked && (side == 1 || side == 3);
  RECT closeHit = PaneGeometry::CloseHitRect(w, noTextLeft);
  if (PtInRect(&closeHit, screen)) {
    RunButtonPress(true, closeHit);
    return;
  }
  if (!IsRectEmpty(&pinRect)) {
    RECT pin = pinRect;
    OffsetRect(&pin, w.left, w.top);
    if (PtInRect(&pin, screen)) {
      RunButtonPress(false, pin);
      return;
    }
  }
  if (pinState == 2) return;
  RunDrag(screen);
  if (IsWindow(hwnd)) SetFocus(hwnd);
}

LRESULT CPaneWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SIZE: {
      LRESULT r = DefWindowProcA(hwnd, message, wParam, lParam);
      LayoutContent();
      return r;
    }
    case WM_SETFOCUS:
      if (HWND child = ::GetWindow(hwnd, GW_CHILD)) SetFocus(child);
      return 0;
    case WM_NCCALCSIZE: {
      captionSize = WantedCaptionSize();
      if (captionSize > 0) {
        auto* r = reinterpret_cast<RECT*>(lParam);
        *r = PaneGeometry::ReserveCaption(*r, captionSize, StripOnLeft());
      }
      return 0;
    }
    case WM_NCHITTEST: {
      POINT pt{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
      if (NcHitTest(pt) >= 0) return HTCAPTION;
      break;
    }
    case WM_NCPAINT:
      DefWindowProcA(hwnd, message, wParam, lParam);
      DrawCaption(captionActive == 1);
      return 0;
    case WM_NCACTIVATE: return 1;
    case WM_MOUSEACTIVATE:
      if (captionActive != 1 && (docked || miniFrame)) Activate();
      return MA_ACTIVATE;
    case WM_NCLBUTTONDOWN: {
      POINT pt{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
      OnNcLButtonDown(pt);
      return 0;
    }
    case WM_NCLBUTTONDBLCLK:
      ToggleGroup();
      return 0;
    case WM_TIMER:
      if (wParam == kLayoutTimer) OnTimer();
      return 0;
    case WM_DESTROY:
      // The layout gives the pane's room back while its window still has a rectangle.
      if (container) Undock();
      // The hosted form belongs to the host: it must not die with the pane window (its
      // children are destroyed after this message).
      ReleaseForm();
      break;
    case WM_NCDESTROY: {
      HWND self = hwnd;
      RemoveEntry(self);
      LRESULT r = DefWindowProcA(self, message, wParam, lParam);
      hwnd = nullptr;
      delete this;
      return r;
    }
    default: break;
  }
  return DefWindowProcA(hwnd, message, wParam, lParam);
}
