#include "docking/tabs/TabStripWindow.h"

#include <commctrl.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "docking/framework/Subclass.h"
#include "docking/layout/PaneBase.h"
#include "docking/layout/TabStrip.h"
#include "docking/pane/CPaneWnd.h"
#include "docking/pane/CaptionFonts.h"
#include "docking/pane/PaneOwner.h"
#include "docking/tooltip/ToolTip.h"
#include "docking/tabs/CaptionText.h"
#include "docking/tabs/TabStripPaint.h"

namespace TabStripWindow {

namespace {

HFONT CaptionFont() { return CaptionFonts::Normal(); }

IUnknown* PictureOf(CPaneBase* pane) {
  auto* p = dynamic_cast<CPaneWnd*>(pane);
  return p && p->owner ? p->owner->TabPicture() : nullptr;
}

std::vector<CaptionText::TabExtent> Extents(CTabStrip* strip) {
  std::vector<CaptionText::TabExtent> tabs;
  for (int i = 0; i < strip->TabCount(); ++i) {
    CPaneBase* pane = strip->PaneAt(i);
    tabs.emplace_back(pane ? pane->m_title : std::string());
    tabs.back().hasPicture = PictureOf(pane) != nullptr;
  }
  std::vector<CaptionText::TabExtent*> refs;
  for (auto& t : tabs) refs.push_back(&t);
  CaptionText::ComputeTabExtents(refs, strip->m_hWnd, CaptionFont(), 1, 0, true);
  return tabs;
}

CTabStrip* StripOf(HWND hwnd) { return dynamic_cast<CTabStrip*>(CWinWnd::FromHandle(hwnd)); }

// One tooltip per adopted strip: a tool per tab showing the pane's full title.
struct Tips {
  std::unique_ptr<CToolTip> tip;
  std::vector<std::string> titles;
};
std::map<HWND, Tips>& AllTips() {
  static std::map<HWND, Tips> tips;
  return tips;
}

void SyncTips(HWND hwnd, const std::vector<CaptionText::TabExtent>& tabs) {
  Tips& t = AllTips()[hwnd];
  if (!t.tip) {
    t.tip = std::make_unique<CToolTip>();
    if (!t.tip->Create("")) return;  // no common controls: tabs without tips
  }
  if (!t.tip->m_hWnd) return;
  RECT client{};
  GetClientRect(hwnd, &client);
  std::vector<std::string> titles;
  for (const auto& e : tabs) titles.push_back(e.fullCaption);
  if (titles != t.titles) {
    for (UINT id = 1; id <= t.titles.size(); ++id) t.tip->DelTool(hwnd, id);
    for (size_t i = 0; i < tabs.size(); ++i) {
      const RECT r{tabs[i].left, client.top, tabs[i].right, client.bottom};
      t.tip->AddTool(hwnd, titles[i].c_str(), &r, static_cast<UINT>(i + 1));
    }
    t.titles = titles;
    return;
  }
  for (size_t i = 0; i < tabs.size(); ++i)
    t.tip->SetToolRect(hwnd, static_cast<UINT>(i + 1), RECT{tabs[i].left, client.top, tabs[i].right, client.bottom});
}

void RelayToTip(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto it = AllTips().find(hwnd);
  if (it == AllTips().end() || !it->second.tip || !it->second.tip->m_hWnd) return;
  MSG msg{hwnd, message, wParam, lParam, static_cast<DWORD>(GetMessageTime()), {}};
  GetCursorPos(&msg.pt);
  SendMessageA(it->second.tip->m_hWnd, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&msg));
}

class Owner : public CSubclassOwner {
public:
  LRESULT SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override {
    CTabStrip* strip = StripOf(hwnd);
    if (!strip) return CallNext(hwnd, message, wParam, lParam);
    if (message == WM_MOUSEMOVE || message == WM_LBUTTONDOWN || message == WM_LBUTTONUP || message == WM_RBUTTONUP)
      RelayToTip(hwnd, message, wParam, lParam);
    switch (message) {
      case WM_NCDESTROY:
        AllTips().erase(hwnd);
        break;
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
        for (size_t i = 0; i < extents.size(); ++i)
          tabs.push_back(TabStripPaint::Tab{&extents[i], PictureOf(strip->PaneAt(static_cast<int>(i)))});
        TabStripPaint::Paint(dc, client, tabs, strip->Selected(), CaptionFont(), false);
        EndPaint(hwnd, &ps);
        SyncTips(hwnd, extents);
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
        // The group the tab belongs to floats, or docks back, as one.
        if (auto* pane = dynamic_cast<CPaneWnd*>(strip->m_pCurrent)) {
          pane->ToggleGroup();
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

HWND ToolTipOf(const CTabStrip* strip) {
  if (!strip || !strip->m_hWnd) return nullptr;
  auto it = AllTips().find(strip->m_hWnd);
  return it != AllTips().end() && it->second.tip ? it->second.tip->m_hWnd : nullptr;
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
