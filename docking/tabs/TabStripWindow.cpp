#include "docking/tabs/TabStripWindow.h"

#include <memory>
#include <vector>

#include "docking/framework/Subclass.h"
#include "docking/layout/PaneBase.h"
#include "docking/layout/TabStrip.h"
#include "docking/pane/CPaneWnd.h"
#include "docking/pane/CaptionFonts.h"
#include "docking/tabs/CaptionText.h"
#include "docking/tabs/TabStripPaint.h"

namespace TabStripWindow {

namespace {

HFONT CaptionFont() { return CaptionFonts::Normal(); }

std::vector<CaptionText::TabExtent> Extents(CTabStrip* strip) {
  std::vector<CaptionText::TabExtent> tabs;
  for (int i = 0; i < strip->TabCount(); ++i) {
    CPaneBase* pane = strip->PaneAt(i);
    tabs.emplace_back(pane ? pane->m_title : std::string());
  }
  std::vector<CaptionText::TabExtent*> refs;
  for (auto& t : tabs) refs.push_back(&t);
  CaptionText::ComputeTabExtents(refs, strip->m_hWnd, CaptionFont(), 1, 0, true);
  return tabs;
}

CTabStrip* StripOf(HWND hwnd) { return dynamic_cast<CTabStrip*>(CWinWnd::FromHandle(hwnd)); }

class Owner : public CSubclassOwner {
public:
  LRESULT SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override {
    CTabStrip* strip = StripOf(hwnd);
    if (!strip) return CallNext(hwnd, message, wParam, lParam);
    switch (message) {
      case WM_SIZE:
        InvalidateRect(hwnd, nullptr, TRUE);
        break;
      case WM_ERASEBKGND: return 1;
      case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        RECT client{};
        GetClientRect(hwnd, &client);
        std::vector<CaptionText::TabExtent> extents = Extents(strip);
        std::vector<TabStripPaint::Tab> tabs;
        for (const auto& e : extents) tabs.push_back(TabStripPaint::Tab{&e, nullptr});
        TabStripPaint::Paint(dc, client, tabs, strip->Selected(), CaptionFont(), false);
        EndPaint(hwnd, &ps);
        return 0;
      }
      case WM_LBUTTONDOWN: {
        const int i = TabAt(strip, static_cast<short>(LOWORD(lParam)));
        if (i < 0) return 0;
        if (i != strip->Selected()) {
          strip->SelectTab(i);
          InvalidateRect(hwnd, nullptr, TRUE);
        }
        // The press may become a drag of that one pane.
        if (auto* pane = dynamic_cast<CPaneWnd*>(strip->PaneAt(strip->Selected()))) {
          POINT pt{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
          ClientToScreen(hwnd, &pt);
          pane->BeginTabDrag(pt);
        }
        return 0;
      }
      case WM_LBUTTONDBLCLK:
        if (auto* pane = dynamic_cast<CPaneWnd*>(strip->m_pCurrent)) {
          pane->Float();
          return 0;
        }
        break;
      default: break;
    }
    return CallNext(hwnd, message, wParam, lParam);
  }
};

Owner& TheOwner() {
  static Owner owner;
  return owner;
}

}  // namespace

void Adopt(CTabStrip* strip) {
  if (!strip || !strip->m_hWnd || IsSubclassedBy(&TheOwner(), strip->m_hWnd)) return;
  SubclassWindow(&TheOwner(), strip->m_hWnd);
  InvalidateRect(strip->m_hWnd, nullptr, TRUE);
}

bool Adopted(const CTabStrip* strip) { return strip && strip->m_hWnd && IsSubclassedBy(&TheOwner(), strip->m_hWnd); }

int TabAt(CTabStrip* strip, int x) {
  if (!strip) return -1;
  std::vector<CaptionText::TabExtent> extents = Extents(strip);
  std::vector<const CaptionText::TabExtent*> refs;
  for (const auto& e : extents) refs.push_back(&e);
  return TabStripPaint::TabFromX(refs, x);
}

int TabUnder(CTabStrip* strip, int x) {
  if (!strip) return -1;
  std::vector<CaptionText::TabExtent> extents = Extents(strip);
  std::vector<const CaptionText::TabExtent*> refs;
  for (const auto& e : extents) refs.push_back(&e);
  return TabStripPaint::TabUnderDrag(refs, x);
}

}  // namespace TabStripWindow
