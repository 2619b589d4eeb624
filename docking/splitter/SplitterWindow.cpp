#include "docking/splitter/SplitterWindow.h"

#include <map>

#include "docking/frame/DockFrameBase.h"
#include "docking/framework/Subclass.h"
#include "docking/layout/DockSection.h"
#include "docking/layout/LayoutBlock.h"
#include "docking/layout/SplitterBar.h"
#include "docking/splitter/CSplitterWnd.h"

namespace SplitterWindow {

namespace {

struct Bar {
  CDockFrameBase* frame;
  CSplitterBar* bar;
};

std::map<HWND, Bar>& Bars() {
  static std::map<HWND, Bar> bars;
  return bars;
}

// The section whose edge bar this is, with its side and index; null for a block's bar.
CDockSection* OwnSection(CDockFrameBase* frame, CSplitterBar* bar, int& side, int& index) {
  for (side = 0; side < 4; ++side)
    for (index = 0; index < frame->SectionCount(side); ++index)
      if (CDockSection* s = frame->SectionAt(side, index); s && s->m_pSplitter == bar) return s;
  return nullptr;
}

SplitterGeometry::Limits LimitsFor(CDockFrameBase* frame, CSplitterBar* bar) {
  int side = 0, index = 0;
  if (CDockSection* section = OwnSection(frame, bar, side, index)) {
    section->ComputeBlockRect(frame);
    const int inner = frame->SumSectionSizes(side, index + 1, -1) - frame->m_insets[side];
    return SplitterGeometry::SectionLimits(side, section->m_rc, frame->m_rcClient, inner > 0 ? inner : 0);
  }
  CLayoutBlock* block = bar->m_pBlock;
  if (!block) return {};
  CLayoutBlock *first = nullptr, *second = nullptr;
  RECT r1{}, r2{};
  block->GetChildRects(first, second, r1, r2);
  if (!first || !second) return {};
  return SplitterGeometry::BlockLimits(bar->m_nOrientation, r1, r2);
}

void CommitFor(CDockFrameBase* frame, CSplitterBar* bar, int delta) {
  if (delta == 0) return;
  int side = 0, index = 0;
  if (CDockSection* section = OwnSection(frame, bar, side, index)) {
    RECT root{};
    if (section->m_pRoot) section->m_pRoot->GetBlockRect(root);
    const RECT grown = SplitterGeometry::GrowSectionRoot(root, side, delta);
    const int axis = (side == 1 || side == 3) ? 1 : 0;
    frame->LayoutBlockTree(section->m_pRoot, grown, axis, nullptr);
    frame->LayoutBlockTree(section->m_pRoot, grown, 1 - axis, nullptr);
    section->ComputeBlockRect(frame);
    frame->OffsetSections(side, index + 1, (side == 2 || side == 3) ? -delta : delta, nullptr);
    const RECT b = bar->m_rc;
    if (axis == 0) {
      frame->FitSections(1, b.top, b.bottom, nullptr);
      frame->FitSections(3, b.top, b.bottom, nullptr);
    } else {
      frame->FitSections(0, b.left, b.right, nullptr);
      frame->FitSections(2, b.left, b.right, nullptr);
    }
    frame->UpdateClientRect(nullptr);
    return;
  }
  CLayoutBlock* block = bar->m_pBlock;
  if (!block) return;
  CLayoutBlock *first = nullptr, *second = nullptr;
  RECT r1{}, r2{};
  block->GetChildRects(first, second, r1, r2);
  if (!first || !second) return;
  const float ratio = SplitterGeometry::MoveSplit(r1, r2, bar->m_nOrientation, delta);
  const int axis = SplitterGeometry::IsHorizontal(bar->m_nOrientation) ? 1 : 0;
  frame->LayoutBlockTree(first, r1, axis, nullptr);
  frame->LayoutBlockTree(second, r2, axis, nullptr);
  block->m_fRatio = ratio;
}

class Owner : public CSubclassOwner {
public:
  LRESULT SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override {
    auto it = Bars().find(hwnd);
    if (it == Bars().end()) return CallNext(hwnd, message, wParam, lParam);
    const Bar entry = it->second;
    switch (message) {
      case WM_NCDESTROY:
        Bars().erase(hwnd);
        break;
      case WM_SETCURSOR:
        SetCursor(LoadCursor(nullptr, SplitterGeometry::IsHorizontal(entry.bar->m_nOrientation) ? IDC_SIZENS : IDC_SIZEWE));
        return TRUE;
      case WM_LBUTTONDOWN: {
        pressed_ = hwnd;
        SetCapture(hwnd);
        return 0;
      }
      case WM_LBUTTONUP:
        if (GetCapture() == hwnd) ReleaseCapture();
        pressed_ = nullptr;
        return 0;
      case WM_MOUSEMOVE:
        if (pressed_ == hwnd && (wParam & MK_LBUTTON)) {
          pressed_ = nullptr;
          Drag(entry);
          return 0;
        }
        break;
      default: break;
    }
    return CallNext(hwnd, message, wParam, lParam);
  }

private:
  static void Drag(const Bar& entry) {
    CDockFrameBase* frame = entry.frame;
    CSplitterBar* bar = entry.bar;
    CSplitterWnd::Owner owner;
    owner.limits = [frame, bar] { return LimitsFor(frame, bar); };
    int applied = 0;
    owner.commit = [&applied](int delta) { applied = delta; };
    CSplitterWnd engine(bar->m_nOrientation, frame->m_hWndFrame, owner);
    engine.window = bar->m_hWnd;  // borrowed: the bar keeps its window
    engine.tracking = 1;
    engine.StartDrag();
    engine.window = nullptr;
    // The bar itself moves with the layout; its stored rectangle follows the window.
    if (applied) {
      RECT r = bar->m_rc;
      if (SplitterGeometry::IsHorizontal(bar->m_nOrientation))
        OffsetRect(&r, 0, applied);
      else
        OffsetRect(&r, applied, 0);
      bar->m_rc = r;
      CommitFor(frame, bar, applied);
    }
  }
  HWND pressed_ = nullptr;
};

Owner& TheOwner() {
  static Owner owner;
  return owner;
}

void Adopt(CDockFrameBase* frame, CSplitterBar* bar) {
  if (!bar || !bar->m_hWnd || Bars().count(bar->m_hWnd)) return;
  if (SubclassWindow(&TheOwner(), bar->m_hWnd)) Bars()[bar->m_hWnd] = Bar{frame, bar};
}

void AdoptTree(CDockFrameBase* frame, CLayoutBlock* block) {
  if (!block) return;
  Adopt(frame, block->m_pSplitter);
  AdoptTree(frame, block->m_pFirst);
  AdoptTree(frame, block->m_pSecond);
}

}  // namespace

void AdoptAll(CDockFrameBase* frame) {
  if (!frame) return;
  for (int side = 0; side < 4; ++side)
    for (int i = 0; i < frame->SectionCount(side); ++i)
      if (CDockSection* s = frame->SectionAt(side, i)) {
        Adopt(frame, s->m_pSplitter);
        AdoptTree(frame, s->m_pRoot);
      }
}

bool Adopted(const CSplitterBar* bar) { return bar && bar->m_hWnd && Bars().count(bar->m_hWnd); }

void ForgetFrame(const CDockFrameBase* frame) {
  for (auto it = Bars().begin(); it != Bars().end();) {
    if (it->second.frame == frame) {
      UnsubclassWindow(&TheOwner(), it->first);
      it = Bars().erase(it);
    } else {
      ++it;
    }
  }
}

}  // namespace SplitterWindow
