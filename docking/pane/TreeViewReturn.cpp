#include "docking/pane/TreeViewReturn.h"

#include <commctrl.h>

#include <memory>
#include <vector>

#include "docking/framework/Subclass.h"

namespace {

bool (*g_queryAllowed)() = nullptr;

bool IsTreeViewClass(HWND window)
{
  char cls[64] = {};
  GetClassNameA(window, cls, sizeof cls);
  return lstrcmpiA(cls, "TreeView20WndClass") == 0 || lstrcmpiA(cls, "TreeViewWndClass") == 0;
}

// One per hooked tree view; deleted when the tree view goes.
class CTreeReturnHook : public CSubclassOwner {
public:
  LRESULT SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override;

private:
  int expands_ = 0;  // expansions since the last button or key release
};

std::vector<std::unique_ptr<CTreeReturnHook>>& Hooks()
{
  static std::vector<std::unique_ptr<CTreeReturnHook>> hooks;
  return hooks;
}

LRESULT CTreeReturnHook::SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
  switch (message) {
    case WM_NCDESTROY: {
      const LRESULT r = CallNext(hwnd, message, wParam, lParam);
      UnsubclassWindow(this, hwnd);
      auto& hooks = Hooks();
      for (auto it = hooks.begin(); it != hooks.end(); ++it)
        if (it->get() == this) {
          std::unique_ptr<CTreeReturnHook> self = std::move(*it);
          hooks.erase(it);
          return r;  // self goes here, after its last use
        }
      return r;
    }
    case WM_LBUTTONUP:
    case WM_KEYUP:
      expands_ = 0;
      break;
    case TVM_EXPAND:
      ++expands_;
      break;
    case WM_KEYDOWN:
      if (wParam == VK_RETURN && expands_ <= 0) {
        const LPARAM item = CallNext(hwnd, TVM_GETNEXTITEM, TVGN_CARET, 0);
        if (item) CallNext(hwnd, TVM_EXPAND, TVE_TOGGLE, item);
        expands_ = 0;
        return 1;
      }
      break;
    case TVM_GETNEXTITEM:
      if (wParam == TVGN_CARET && g_queryAllowed && !g_queryAllowed()) {
        // Return held while the focus is elsewhere: the form must not act on the tree's node.
        HWND focus = GetFocus();
        const bool here = focus == hwnd || (focus && GetParent(focus) == hwnd);
        if (!here && GetKeyState(VK_RETURN) < 0) {
          expands_ = 0;
          return 0;
        }
      }
      break;
    default: break;
  }
  return CallNext(hwnd, message, wParam, lParam);
}

}  // namespace

namespace TreeViewReturn {

void SetQueryAllowed(bool (*allowed)()) { g_queryAllowed = allowed; }

bool IsHooked(HWND treeView)
{
  for (const auto& h : Hooks())
    if (IsSubclassedBy(h.get(), treeView)) return true;
  return false;
}

void HookTreeViews(HWND window)
{
  if (!window) return;
  if (IsTreeViewClass(window) && !IsHooked(window)) {
    auto hook = std::make_unique<CTreeReturnHook>();
    if (SubclassWindow(hook.get(), window)) Hooks().push_back(std::move(hook));
  }
  for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) HookTreeViews(child);
}

}  // namespace TreeViewReturn
