#include "docking/float/CMiniFrame.h"

#include <algorithm>

#include "docking/drag/DropGeometry.h"
#include "docking/drag/PaneDragLoop.h"
#include "docking/float/DeferredDelete.h"
#include "docking/float/FloatGeometry.h"
#include "docking/float/FrameResizeLoop.h"
#include "docking/frame/DockFrameBase.h"
#include "docking/framework/DrawHelpers.h"
#include "docking/framework/PointerArray.h"
#include "docking/layout/DockSection.h"
#include "docking/layout/Geometry.h"
#include "docking/layout/LayoutBlock.h"
#include "docking/layout/SplitterBar.h"
#include "docking/layout/TabStrip.h"
#include "docking/splitter/SplitterWindow.h"
#include "docking/pane/CPaneWnd.h"
#include "docking/pane/CaptionFonts.h"

namespace {

struct FrameEntry {
  HWND hwnd;
  CMiniFrame* frame;
};

std::vector<FrameEntry> g_windows;
std::vector<CMiniFrame*> g_floating;  // search order of the drop code: first is asked first
CMiniFrame* g_creating = nullptr;
int g_live = 0;
const char kFrameClass[] = "MIFRAMEWND";
constexpr DWORD kFloatStyle = 0x90C40100;

HINSTANCE ModuleInstance() {
  HMODULE module = nullptr;
  GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                     reinterpret_cast<LPCSTR>(&ModuleInstance), &module);
  return module;
}

void Unlist(std::vector<CMiniFrame*>& v, const CMiniFrame* f) { v.erase(std::remove(v.begin(), v.end(), f), v.end()); }

void RemoveWindowEntry(HWND hwnd) {
  g_windows.erase(std::remove_if(g_windows.begin(), g_windows.end(), [hwnd](const FrameEntry& e) { return e.hwnd == hwnd; }),
                  g_windows.end());
}

LRESULT CALLBACK FrameClassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  CMiniFrame* frame = CMiniFrame::FromHandle(hwnd);
  if (!frame && g_creating) {
    frame = g_creating;
    frame->hwnd = hwnd;
    g_windows.push_back(FrameEntry{hwnd, frame});
  }
  if (!frame) return DefWindowProcA(hwnd, message, wParam, lParam);
  try {
    return frame->WindowProc(message, wParam, lParam);
  } catch (...) {
    return DefWindowProcA(hwnd, message, wParam, lParam);
  }
}

void Refresh(HWND hwnd) {
  if (hwnd)
    SetWindowPos(hwnd, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

}  // namespace

CMiniFrame::CMiniFrame() : layout_(std::make_unique<CDockFrameBase>(0)) {
  ++g_live;
  // One section spans the client area; its tree holds the panes.
  section_ = new CDockSection();
  layout_->m_pSides[0]->Add(section_);
}

CMiniFrame::~CMiniFrame() {
  --g_live;
  // The tree goes first, while the pane windows its tab strips sit in still exist.
  const CDockFrameBase* layoutFrame = layout_.get();
  layout_.reset();
  section_ = nullptr;
  // Nothing may keep pointing at a frame that is gone.
  Unlist(g_floating, this);
  for (auto it = g_windows.begin(); it != g_windows.end();)
    it = it->frame == this ? g_windows.erase(it) : it + 1;
  for (CPaneWnd* p : panes_) {
    if (p->miniFrame == this) p->miniFrame = nullptr;
    if (p->m_pFrame == layoutFrame) p->m_pFrame = nullptr;
  }
  if (hwnd && IsWindow(hwnd)) {
    HWND h = hwnd;
    hwnd = nullptr;
    deleteOnDestroy = 0;
    DestroyWindow(h);
  }
}

int CMiniFrame::LiveCount() { return g_live; }
const std::vector<CMiniFrame*>& CMiniFrame::FloatingFrames() { return g_floating; }
bool CMiniFrame::IsListed(const CMiniFrame* f) { return std::find(g_floating.begin(), g_floating.end(), f) != g_floating.end(); }

CMiniFrame* CMiniFrame::FromHandle(HWND h) {
  for (const FrameEntry& e : g_windows)
    if (e.hwnd == h) return e.frame;
  return nullptr;
}

CMiniFrame* CMiniFrame::CreateFloating(const RECT* rect) {
  auto* f = new CMiniFrame();
  if (rect) f->SetFloatRect(rect->left, rect->top, rect->right, rect->bottom);
  g_floating.push_back(f);
  return f;
}

void CMiniFrame::MoveToListFront() {
  Unlist(g_floating, this);
  g_floating.insert(g_floating.begin(), this);
}

void CMiniFrame::RemoveFromFrameList() { Unlist(g_floating, this); }

void CMiniFrame::ReleaseIfUnlisted(CMiniFrame* frame) {
  if (!frame || IsListed(frame)) return;
  DeferredDelete::Request(frame, [frame] { delete frame; });
}

int CMiniFrame::TestPaneOfWindow(HWND window) {
  CMiniFrame* frame = FromHandle(window);
  CPaneWnd* first = frame ? frame->GetFirstPane() : nullptr;
  return first && first->IsMDIChildForm() ? 1 : 0;
}

void CMiniFrame::DestroyAll() {
  const std::vector<CMiniFrame*> frames = g_floating;
  for (CMiniFrame* f : frames) {
    f->RemoveFromFrameList();
    if (f->hwnd) {
      f->deleteOnDestroy = 1;
      DestroyWindow(f->hwnd);  // WM_NCDESTROY deletes the object
    } else {
      ReleaseIfUnlisted(f);
    }
  }
}

void CMiniFrame::GetFloatRect(RECT& out) const { out = hasFloatRect ? floatRect : FloatGeometry::DefaultFloatRect(); }

void CMiniFrame::SetFloatRect(int left, int top, int right, int bottom) {
  floatRect = RECT{left, top, right, bottom};
  hasFloatRect = true;
}

int CMiniFrame::Create(const char* title, DWORD style, const RECT& rect, HWND parent) {
  HINSTANCE instance = ModuleInstance();
  WNDCLASSA wc{};
  if (!GetClassInfoA(instance, kFrameClass, &wc)) {
    wc.style = CS_VREDRAW | CS_HREDRAW;
    wc.lpfnWndProc = FrameClassProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.lpszClassName = kFrameClass;
    RegisterClassA(&wc);
  }
  g_creating = this;
  CreateWindowExA(0, kFrameClass, title ? title : "", style & ~static_cast<DWORD>(WS_CHILD), rect.left, rect.top,
                  rect.right - rect.left, rect.bottom - rect.top, parent, nullptr, instance, nullptr);
  g_creating = nullptr;
  if (!hwnd) return 0;
  SetWindowLongA(hwnd, GWL_EXSTYLE, GetWindowLongA(hwnd, GWL_EXSTYLE) | WS_EX_TOOLWINDOW | WS_EX_WINDOWEDGE);
  return 1;
}

bool CMiniFrame::HasSeveralPanes(const CPaneWnd* excluded, bool countHidden) const {
  int n = 0;
  for (const CPaneWnd* p : panes_)
    if (p != excluded && (countHidden || p->IsVisible())) ++n;
  return n > 1;
}

CPaneWnd* CMiniFrame::GetFirstPane() const { return panes_.empty() ? nullptr : panes_.front(); }

CLayoutBlock* CMiniFrame::Root() const { return section_ ? section_->m_pRoot : nullptr; }

bool CMiniFrame::InTree(const CLayoutBlock* block) const {
  if (!block || !section_) return false;
  const CLayoutBlock* top = block;
  while (top->m_pParent) top = top->m_pParent;
  return top == section_->m_pRoot;
}

void CMiniFrame::InsertIntoTree(CPaneWnd* p, int side, CPaneWnd* tabOf, CPaneWnd* besideOf) {
  if (!section_ || (p->m_pBlock && InTree(p->m_pBlock))) return;
  layout_->m_hWndFrame = hwnd;
  p->m_pFrame = layout_.get();
  p->m_nSide = 0;
  p->m_nSectionIndex = 0;
  CLayoutBlock* root = section_->m_pRoot;
  if (!root) {
    root = new CLayoutBlock();
    root->m_pPane = p;
    section_->m_pRoot = root;
    p->m_pBlock = root;
    return;
  }
  if (tabOf && tabOf != p && tabOf->miniFrame == this && InTree(tabOf->m_pBlock) && tabOf->m_pBlock->IsLeaf()) {
    tabOf->m_pBlock->AddPaneAsTab(p, true);
    return;
  }
  if (side < 0 || side > 3) side = 3;
  // Beside one pane its leaf is split; otherwise the whole layout.
  CLayoutBlock* target = root;
  RECT c{};
  if (besideOf && besideOf != p && besideOf->miniFrame == this && InTree(besideOf->m_pBlock)) {
    target = besideOf->m_pBlock;
    c = besideOf->GetRectInFrame();
    OffsetRect(&c, -c.left, -c.top);
  } else if (hwnd) {
    GetClientRect(hwnd, &c);
  }
  // The newcomer takes half of what it is put beside.
  const SIZE half{std::max(20L, c.right / 2), std::max(20L, c.bottom / 2)};
  auto* fresh = new CLayoutBlock();
  fresh->m_pPane = p;
  target->Split(fresh, side, side == 0 || side == 1, half);
  fresh->m_bVacant = false;  // the split leaves the new leaf vacant until a pane is in it
  p->m_pBlock = fresh;
  if (!target->m_pSplitter) {
    target->m_pSplitter = new CSplitterBar((side == 1 || side == 3) ? 1 : 0, layout_.get());
    target->m_pSplitter->m_pBlock = target;
    if (hwnd) target->m_pSplitter->Create(hwnd);
  }
}

void CMiniFrame::RemoveFromTree(CPaneWnd* p) {
  if (p->m_pFrame == layout_.get()) p->m_pFrame = nullptr;  // the layout frame may go before the pane
  CLayoutBlock* block = p->m_pBlock;
  if (!block || !InTree(block)) return;
  if (block->m_pTabStrip && block->m_pTabStrip->HasPane(p)) {
    block->RemoveTab(p);
    block->RemoveSlotByPane(p);
    if (block->m_pPane == p) block->m_pPane = nullptr;
    p->m_pBlock = nullptr;
    if (block->m_pPane) return;
  }
  if (block->m_pPane && block->m_pPane != p) return;
  block->m_pPane = nullptr;
  section_->RemoveBlock(block);  // the block and the bar beside it go; ForgetBlock clears p
  p->m_pBlock = nullptr;
  if (CLayoutBlock* root = section_->m_pRoot; root && !root->IsLeaf() && !(root->m_pFirst && root->m_pSecond)) {
    // A root left with one child hands its place to that child.
    CLayoutBlock* child = root->m_pFirst ? root->m_pFirst : root->m_pSecond;
    root->m_pFirst = root->m_pSecond = nullptr;
    child->m_pParent = nullptr;
    section_->m_pRoot = child;
    delete root;
  }
}

int CMiniFrame::DropZone(POINT screen, RECT& ghost, CPaneWnd** tabOf) const {
  if (tabOf) *tabOf = nullptr;
  RECT c{};
  GetClientRect(hwnd, &c);
  MapWindowPoints(hwnd, nullptr, reinterpret_cast<POINT*>(&c), 2);
  ghost = c;
  const int code = dockgeo::DockZoneFromPoint(c, screen.x, screen.y);
  if (code == 255 || (code & 1)) {
    // Inside: the caption strip of one of several panes makes a tab of that pane.
    for (CPaneWnd* p : panes_) {
      if (!p->IsShown() || p->captionSize <= 0) continue;
      RECT w{};
      GetWindowRect(p->hwnd, &w);
      RECT strip{w.left, w.top, w.right, w.top + p->captionSize};
      if (!PtInRect(&strip, screen)) continue;
      if (tabOf) *tabOf = p;
      ghost = w;
      return 4;
    }
    // Inside a pane: beside it, at its edge nearest to the point.
    for (CPaneWnd* p : panes_) {
      if (!p->IsShown()) continue;
      RECT w{};
      GetWindowRect(p->hwnd, &w);
      if (!PtInRect(&w, screen)) continue;
      const LONG d[4] = {screen.x - w.left, screen.y - w.top, w.right - screen.x, w.bottom - screen.y};
      int closest = 0;
      for (int i = 1; i < 4; ++i)
        if (d[i] < d[closest]) closest = i;
      if (tabOf) *tabOf = p;
      ghost = w;
      const LONG hw = (w.right - w.left) / 2, hh = (w.bottom - w.top) / 2;
      if (closest == 0) ghost.right = w.left + hw;
      if (closest == 1) ghost.bottom = w.top + hh;
      if (closest == 2) ghost.left = w.right - hw;
      if (closest == 3) ghost.top = w.bottom - hh;
      return 5 + closest;
    }
    return -1;
  }
  const int side = code / 2;
  if (side == 1 && singlePaneCaption && GetFirstPane()) {
    // Over the caption of a frame that shows one pane: a tab of that pane.
    GetWindowRect(GetFirstPane()->hwnd, &ghost);
    ghost.top -= 18;
    if (tabOf) *tabOf = GetFirstPane();
    return 4;
  }
  const int w = c.right - c.left, h = c.bottom - c.top;
  if (side == 0) ghost.right = c.left + w / 2;
  if (side == 2) ghost.left = c.right - w / 2;
  if (side == 1) ghost.bottom = c.top + h / 2;
  if (side == 3) ghost.top = c.bottom - h / 2;
  return side;
}

void CMiniFrame::AttachPane(CPaneWnd* p, int side, CPaneWnd* tabOf, CPaneWnd* besideOf) {
  if (!p || !p->hwnd) return;
  DeferredDelete::Scope scope(this);
  holdsFormPanes = 1;
  bool created = false;
  if (!hwnd) {
    if (!ownerWindow) ownerWindow = GetParent(p->hwnd);
    pane = p;
    singlePaneCaption = 1;
    if (!IsListed(this)) MoveToListFront();
    if (hasFloatRect) {
      p->floatLeft = floatRect.left;
      p->floatTop = floatRect.top;
      p->floatWidth = floatRect.right - floatRect.left;
      p->floatHeight = floatRect.bottom - floatRect.top;
    } else {
      int w = p->floatWidth, h = p->floatHeight;
      if (w <= 0 || h <= 0) w = h = 200;
      p->floatWidth = w;
      p->floatHeight = h;
      SetFloatRect(p->floatLeft, p->floatTop, p->floatLeft + w, p->floatTop + h);
    }
    const RECT r{p->floatLeft, p->floatTop, p->floatLeft + p->floatWidth, p->floatTop + p->floatHeight};
    if (!Create(p->Title().c_str(), kFloatStyle & ~static_cast<DWORD>(WS_VISIBLE), r, ownerWindow)) return;
    windowCreated = 1;
    created = true;
  }
  p->placed = 1;
  p->docked = false;
  p->miniFrame = this;
  SetParent(p->hwnd, hwnd);
  if (std::find(panes_.begin(), panes_.end(), p) == panes_.end()) panes_.push_back(p);
  InsertIntoTree(p, side, tabOf, besideOf);
  const bool several = panes_.size() > 1;
  for (CPaneWnd* q : panes_) {
    q->sharesMiniFrame = several;
    Refresh(q->hwnd);
  }
  ShowWindow(p->hwnd, SW_SHOWNA);
  if (created) {
    SetWindowPos(hwnd, nullptr, p->floatLeft, p->floatTop, p->floatWidth, p->floatHeight,
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED | SWP_SHOWWINDOW);
  } else if (several) {
    ClearTitle();
  }
  RECT c{};
  GetClientRect(hwnd, &c);
  Layout(c.right, c.bottom);
}

void CMiniFrame::AttachToolbarPane(CPaneWnd* p, const RECT& rect) {
  if (!p || !p->hwnd || !panes_.empty()) return;
  holdsFormPanes = 0;
  pane = p;
  singlePaneCaption = 1;
  if (!ownerWindow) ownerWindow = GetParent(p->hwnd);
  if (!IsListed(this)) MoveToListFront();
  SetFloatRect(rect.left, rect.top, rect.right, rect.bottom);
  if (!hwnd) {
    if (!Create(p->Title().c_str(), kFloatStyle & ~static_cast<DWORD>(WS_VISIBLE), rect, ownerWindow)) return;
    windowCreated = 1;
  }
  panes_.push_back(p);
  p->placed = 1;
  p->docked = false;
  p->miniFrame = this;
  SetParent(p->hwnd, hwnd);
  SetWindowPos(hwnd, nullptr, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
               SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  RECT c{};
  GetClientRect(hwnd, &c);
  SetWindowPos(p->hwnd, nullptr, 0, 0, c.right, c.bottom, SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  ShowWindow(p->hwnd, SW_SHOWNA);
  ShowWindow(hwnd, SW_SHOWNA);
  EnableWindow(hwnd, TRUE);
}

void CMiniFrame::RemovePane(CPaneWnd* p) {
  auto it = std::find(panes_.begin(), panes_.end(), p);
  if (it == panes_.end()) return;
  panes_.erase(it);
  RemoveFromTree(p);
  if (p->miniFrame == this) p->miniFrame = nullptr;
  p->sharesMiniFrame = false;
  if (pane == p) pane = GetFirstPane();
  if (panes_.size() == 1) {
    CPaneWnd* last = panes_.front();
    last->sharesMiniFrame = false;
    Refresh(last->hwnd);
    if (hwnd) SetWindowTextA(hwnd, last->Title().c_str());
    singlePaneCaption = 1;
    Refresh(hwnd);
  }
  if (panes_.empty()) RemoveFromFrameList();
  else if (hwnd) {
    RECT c{};
    GetClientRect(hwnd, &c);
    Layout(c.right, c.bottom);
  }
}

void CMiniFrame::CloseIfEmpty() {
  if (!panes_.empty() || !hwnd) return;
  RECT w{};
  GetWindowRect(hwnd, &w);
  SetFloatRect(w.left, w.top, w.right, w.bottom);
  // The frame stays, listed, as a window-less frame that remembers its place; the list's
  // owner deletes it.
  deleteOnDestroy = 0;
  if (!IsListed(this)) g_floating.push_back(this);
  HWND h = hwnd;
  DestroyWindow(h);
  hwnd = nullptr;
  windowCreated = 0;
  active = 0;
}

void CMiniFrame::ClearTitle() {
  singlePaneCaption = 0;
  if (!hwnd) return;
  SetWindowTextA(hwnd, "");
  Refresh(hwnd);
}

void CMiniFrame::UpdateTitle(CPaneWnd* p) {
  if (!hwnd || !p || HasSeveralPanes(nullptr, true)) return;
  SetWindowTextA(hwnd, p->Title().c_str());
  SendMessageA(hwnd, WM_NCPAINT, 1, 0);
}

void CMiniFrame::Layout(int cx, int cy) {
  if (!holdsFormPanes) {
    // A toolbar frame: its pane fills it, and the pane's float rectangle follows the frame.
    if (!hwnd) return;
    if (HWND top = GetWindow(hwnd, GW_CHILD))
      SetWindowPos(top, nullptr, 0, 0, std::max(0, cx), std::max(0, cy), SWP_NOZORDER | SWP_NOACTIVATE);
    if (CPaneWnd* p = GetFirstPane()) {
      RECT w{};
      GetWindowRect(hwnd, &w);
      p->floatLeft = w.left;
      p->floatTop = w.top;
      p->floatWidth = w.right - w.left;
      p->floatHeight = w.bottom - w.top;
    }
    return;
  }
  CLayoutBlock* root = Root();
  if (!root || !layout_) return;
  layout_->m_hWndFrame = hwnd;
  const RECT rc{0, hasTopBand ? 20 : 0, std::max(0, cx), std::max(hasTopBand ? 20 : 0, cy)};
  section_->m_rc = rc;
  // The tree shows what it places; a pane hidden by its owner stays hidden.
  std::vector<CPaneWnd*> hidden;
  for (CPaneWnd* p : panes_)
    if (!p->IsShown()) hidden.push_back(p);
  layout_->LayoutBlockTree(root, rc, 1, nullptr);
  layout_->LayoutBlockTree(root, rc, 0, nullptr);
  for (CPaneWnd* p : hidden)
    if (p->IsShown()) p->Show(false);
  SplitterWindow::AdoptAll(layout_.get());
  for (CPaneWnd* p : panes_)
    if (p->IsShown()) p->LayoutContent();
}

void CMiniFrame::ToggleAll() {
  DeferredDelete::Scope scope(this);
  const std::vector<CPaneWnd*> snapshot = panes_;  // each toggle changes the list
  for (CPaneWnd* p : snapshot) {
    if (toggleFloat)
      toggleFloat(p);
    else
      p->ToggleFloat();
  }
}

CLayoutBlock* CMiniFrame::TakeTree(std::vector<CPaneWnd*>& panes) {
  CLayoutBlock* root = section_ ? section_->m_pRoot : nullptr;
  if (!root) return nullptr;
  section_->m_pRoot = nullptr;
  panes = panes_;
  panes_.clear();
  pane = nullptr;
  for (CPaneWnd* p : panes) {
    if (p->miniFrame == this) p->miniFrame = nullptr;
    if (p->m_pFrame == layout_.get()) p->m_pFrame = nullptr;
    p->sharesMiniFrame = false;
  }
  RemoveFromFrameList();
  if (hwnd) {
    // The pane windows and bars are re-parented by the caller before the window goes.
    ShowWindow(hwnd, SW_HIDE);
  }
  return root;
}

void CMiniFrame::InsertBlockAtSide(CLayoutBlock* block, int side, const std::vector<CPaneWnd*>& moved) {
  CLayoutBlock* root = section_ ? section_->m_pRoot : nullptr;
  if (!block || !root || !hwnd || side < 0 || side > 3) return;
  DeferredDelete::Scope scope(this);
  layout_->m_hWndFrame = hwnd;
  for (CPaneWnd* p : moved) {
    SetParent(p->hwnd, hwnd);
    p->miniFrame = this;
    p->container = nullptr;
    p->docked = false;
    p->m_pFrame = layout_.get();
    p->m_nSide = 0;
    p->m_nSectionIndex = 0;
    if (std::find(panes_.begin(), panes_.end(), p) == panes_.end()) panes_.push_back(p);
  }
  RECT c{};
  GetClientRect(hwnd, &c);
  const SIZE half{std::max(20L, c.right / 2), std::max(20L, c.bottom / 2)};
  root->Split(block, side, side == 0 || side == 1, half);
  block->m_bVacant = false;
  if (!root->m_pSplitter) {
    root->m_pSplitter = new CSplitterBar((side == 1 || side == 3) ? 1 : 0, layout_.get());
    root->m_pSplitter->m_pBlock = root;
    root->m_pSplitter->Create(hwnd);
  }
  block->AttachTree(layout_.get(), 0);
  for (CPaneWnd* q : panes_) {
    q->sharesMiniFrame = true;
    Refresh(q->hwnd);
  }
  ClearTitle();
  Layout(c.right, c.bottom);
}

int CMiniFrame::StartResize(int hit, POINT screen) {
  if (holdsFormPanes || !hwnd) return 1;
  DeferredDelete::Scope scope(this);
  resizeLast = 0;
  resizeHit = hit;
  resizeStartX = screen.x;
  resizeStartY = screen.y;
  FrameResizeLoop loop(hwnd, hit, fitToExtent, workArea);
  loop.Run();
  resizeLast = loop.LastWidth();
  return 0;
}

void CMiniFrame::DrawCaption() {
  if (!hwnd) return;
  CPaneWnd* first = GetFirstPane();
  const bool single = holdsFormPanes ? singlePaneCaption != 0 : true;
  const bool pinShown = holdsFormPanes && single && first && first->pinState != 0;
  const char* title = single && first ? first->Title().c_str() : nullptr;
  // The shared painter leaves the window text alone: it is the title of a single pane only.
  DrawFloatCaption(hwnd, CaptionFonts::Normal(), active != 0, true, title, pinShown ? first->pinState : 0, &pinRect,
                   &closeRect, closeUp != 0, pinUp != 0);
  if (!pinShown) SetRectEmpty(&pinRect);
}

bool CMiniFrame::RunCaptionButton(int& up, const RECT& screenButton) {
  const HWND self = hwnd;
  up = 0;
  SendMessageA(self, WM_NCPAINT, 1, 0);
  bool released = false;
  PaneDragLoop::Client c;
  c.buttonState = [this, self, &up](bool over) {
    up = over ? 0 : 1;
    SendMessageA(self, WM_NCPAINT, 1, 0);
  };
  c.buttonReleased = [&released](bool on) { released = on; };
  PaneDragLoop(self, PaneDragLoop::Mode::ButtonPress, c).Run(screenButton);
  up = 1;
  if (IsWindow(self)) SendMessageA(self, WM_NCPAINT, 1, 0);
  return released;
}

void CMiniFrame::OnNcLButtonDown(WPARAM hit, POINT screen) {
  RECT w{};
  GetWindowRect(hwnd, &w);
  RECT close = closeRect;
  OffsetRect(&close, w.left, w.top);
  const HWND self = hwnd;
  if (PtInRect(&close, screen)) {
    if (RunCaptionButton(closeUp, close)) {
      const std::vector<CPaneWnd*> snapshot = panes_;
      for (CPaneWnd* p : snapshot) p->Close();
    }
    return;
  }
  RECT pin = pinRect;
  OffsetRect(&pin, w.left, w.top);
  CPaneWnd* first = holdsFormPanes ? GetFirstPane() : nullptr;
  if (first && !IsRectEmpty(&pinRect) && PtInRect(&pin, screen)) {
    // The pin of the single pane the caption stands for: it unpins that pane.
    if (RunCaptionButton(pinUp, pin) && IsListed(this) && GetFirstPane() == first) first->TogglePin();
    return;
  }
  if (hit != HTCAPTION || frameDragging) return;
  if (!holdsFormPanes && paneDrag) {
    frameDragging = 1;
    paneDrag(screen);
    frameDragging = 0;
    return;
  }
  active = 1;
  SendMessageA(self, WM_NCPAINT, 1, 0);
  if (first) {
    // The drag belongs to the first pane: a frame of one pane is that pane and may dock
    // anywhere; a frame of several docks its whole layout at an edge. Or the frame just moves.
    frameDragging = 1;
    first->BeginFrameDrag(screen);
    frameDragging = 0;
    closeUp = 1;
    return;
  }
  frameDragging = 1;
  // The whole frame moves: the ghost is the frame's own rectangle under the cursor.
  const int gx = screen.x - w.left, gy = screen.y - w.top;
  const int fw = w.right - w.left, fh = w.bottom - w.top;
  PaneDragLoop::Client c;
  c.search = [this, gx, gy, fw, fh](POINT pt) {
    PaneDragLoop::Target t;
    t.zone = 8;
    POINT o{pt.x - gx, pt.y - gy};
    if (!IsRectEmpty(&workArea)) o = DropGeometry::ClampFloatGhost(o, fw, fh, workArea);
    t.ghost = RECT{o.x, o.y, o.x + fw, o.y + fh};
    return t;
  };
  bool moved = false;
  RECT to{};
  c.drop = [&](const PaneDragLoop::Target& t, POINT) {
    moved = true;
    to = t.ghost;
  };
  PaneDragLoop loop(self, PaneDragLoop::Mode::Drag, c);
  loop.useDesktop = ghostOnDesktop;
  loop.Run();
  frameDragging = 0;
  closeUp = 1;
  if (moved && IsWindow(self)) {
    SetWindowPos(self, nullptr, to.left, to.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    SetFloatRect(to.left, to.top, to.right, to.bottom);
  }
}

LRESULT CMiniFrame::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  // A handler may empty the frame (a drop, a toggle); its deletion waits for the handler.
  DeferredDelete::Scope scope(this);
  switch (message) {
    case WM_DESTROY: return 1;
    case WM_SIZE: Layout(LOWORD(lParam), HIWORD(lParam)); return 0;
    case WM_SETFOCUS: return 0;
    case WM_ACTIVATE: {
      LRESULT r = DefWindowProcA(hwnd, message, wParam, lParam);
      const WORD state = LOWORD(wParam);
      if (state == WA_ACTIVE || state == WA_CLICKACTIVE) {
        if (holdsFormPanes) MoveToListFront();
        active = 1;
      } else {
        active = 0;
      }
      SendMessageA(hwnd, WM_NCPAINT, 1, 0);
      return r;
    }
    case WM_MOUSEACTIVATE: return MA_NOACTIVATE;
    case WM_GETMINMAXINFO: {
      auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
      RECT w{}, c{};
      GetWindowRect(hwnd, &w);
      GetClientRect(hwnd, &c);
      POINT m = FloatGeometry::MinTrackSize(holdsFormPanes != 0, (w.bottom - w.top) - c.bottom);
      info->ptMinTrackSize = m;
      return 0;
    }
    case WM_WINDOWPOSCHANGING:
      if (holdsFormPanes && !IsRectEmpty(&workArea)) {
        RECT w{};
        GetWindowRect(hwnd, &w);
        FloatGeometry::ClampWindowPos(*reinterpret_cast<WINDOWPOS*>(lParam), w, workArea);
      }
      break;
    case WM_NCDESTROY: {
      RemoveWindowEntry(hwnd);
      hwnd = nullptr;
      windowCreated = 0;
      if (deleteOnDestroy) DeferredDelete::Request(this, [this] { delete this; });
      return 1;
    }
    case WM_CREATE: return 0;
    case 0x36D: return 1;
    case WM_NCCALCSIZE: {
      auto* r = reinterpret_cast<RECT*>(lParam);
      *r = FloatGeometry::NonClientInset(static_cast<DWORD>(GetWindowLongA(hwnd, GWL_STYLE)), *r,
                                         GetSystemMetrics(SM_CXFRAME), GetSystemMetrics(SM_CYFRAME),
                                         GetSystemMetrics(SM_CXBORDER), GetSystemMetrics(SM_CYBORDER));
      return 0;
    }
    case WM_NCHITTEST: {
      LRESULT hit = DefWindowProcA(hwnd, message, wParam, lParam);
      if (hit == HTCLIENT || hit == HTSYSMENU || hit == HTCLOSE || hit == HTMINBUTTON || hit == HTMAXBUTTON) {
        // The small caption is ours: 16 pixels under the top frame edge.
        RECT w{};
        GetWindowRect(hwnd, &w);
        const int y = static_cast<short>(HIWORD(lParam));
        const int top = w.top + GetSystemMetrics(SM_CYFRAME);
        if (y >= top && y < top + 16) return HTCAPTION;
      }
      return hit;
    }
    case WM_NCPAINT:
      DefWindowProcA(hwnd, message, wParam, lParam);
      DrawCaption();
      return 0;
    case WM_NCACTIVATE: {
      LRESULT r = DefWindowProcA(hwnd, message, wParam, lParam);
      DrawCaption();
      return r;
    }
    case WM_NCLBUTTONDOWN: {
      POINT pt{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
      if (wParam >= HTLEFT && wParam <= HTBOTTOMRIGHT) {
        if (StartResize(static_cast<int>(wParam), pt)) break;  // Windows sizes a pane frame
        return 1;
      }
      OnNcLButtonDown(wParam, pt);
      return 0;
    }
    case WM_NCLBUTTONUP: frameDragging = 0; return 0;
    case WM_NCLBUTTONDBLCLK: ToggleAll(); return 0;
    default: break;
  }
  return DefWindowProcA(hwnd, message, wParam, lParam);
}
