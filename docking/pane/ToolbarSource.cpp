#include "docking/pane/ToolbarSource.h"

#include <algorithm>

#include "docking/framework/HostProps.h"
#include "docking/menu/MenuImageStore.h"

const IID CToolbarSource::kToolbarIid = {0xE6E17E8C, 0xDF38, 0x11CF, {0x8E, 0x74, 0x00, 0xA0, 0xC9, 0x0F, 0x26, 0xF8}};
const IID CToolbarSource::kToolbarIidOld = {0x66833FE4, 0x8583, 0x11D1, {0xB1, 0x6A, 0x00, 0xC0, 0xF0, 0x28, 0x36, 0x28}};

namespace {

// A property coerced to a float; false when it cannot be read.
bool FloatProperty(IDispatch* object, const char* name, float& out)
{
  VARIANT v;
  VariantInit(&v);
  bool ok = SUCCEEDED(GetDispatchProperty(object, name, DISPATCH_PROPERTYGET, &v)) &&
            SUCCEEDED(VariantChangeType(&v, &v, 0, VT_R4));
  if (ok) out = V_R4(&v);
  VariantClear(&v);
  return ok;
}

bool IntProperty(IDispatch* object, const char* name, long& out)
{
  VARIANT v;
  VariantInit(&v);
  bool ok = SUCCEEDED(GetDispatchProperty(object, name, DISPATCH_PROPERTYGET, &v)) &&
            SUCCEEDED(VariantChangeType(&v, &v, 0, VT_I4));
  if (ok) out = V_I4(&v);
  VariantClear(&v);
  return ok;
}

bool ClassIsToolbar(HWND hwnd)
{
  char cls[64] = {};
  GetClassNameA(hwnd, cls, sizeof cls);
  return lstrcmpiA(cls, "msvb_lib_toolbar") == 0 || lstrcmpiA(cls, "ToolbarWindow32") == 0;
}

}  // namespace

CToolbarSource::CToolbarSource(CMenuImageStore* images) : images_(images) {}

CToolbarSource::~CToolbarSource() { Release(); }

void CToolbarSource::Release()
{
  if (toolbarWnd_) UnsubclassWindow(this, toolbarWnd_);
  toolbarWnd_ = nullptr;
  toolbarFormWnd_ = nullptr;
  if (buttons_) buttons_->Release();
  buttons_ = nullptr;
  if (toolbar_) toolbar_->Release();
  toolbar_ = nullptr;
}

void CToolbarSource::SetToolbar(IDispatch* toolbar)
{
  if (!toolbar || toolbar_) return;
  toolbar_ = toolbar;
  toolbar_->AddRef();
}

bool CToolbarSource::Find(IOleContainer* container, int scaleMode)
{
  if (toolbar_) return true;
  fit_.scaleMode = scaleMode;
  fit_.toPixels = [mode = scaleMode](float w, float h) {
    const POINT p = ScaleToPixels(mode, w, h);
    return SIZE{p.x, p.y};
  };
  if (!container) return false;
  IEnumUnknown* objects = nullptr;
  if (FAILED(container->EnumObjects(0xFFFF, &objects)) || !objects) return false;
  IUnknown* item = nullptr;
  ULONG got = 0;
  while (!toolbar_ && objects->Next(1, &item, &got) == S_OK && item) {
    IDispatch* face = nullptr;
    if (SUCCEEDED(item->QueryInterface(kToolbarIid, reinterpret_cast<void**>(&face))) && face)
      toolbar_ = face;
    else if (SUCCEEDED(item->QueryInterface(kToolbarIidOld, reinterpret_cast<void**>(&face))) && face)
      toolbar_ = face;
    item->Release();
  }
  objects->Release();
  return toolbar_ != nullptr;
}

void CToolbarSource::Read()
{
  if (!toolbar_ || buttons_) return;
  if (!toolbarFormWnd_) {
    long h = 0;
    if (IntProperty(toolbar_, "hWnd", h)) toolbarFormWnd_ = reinterpret_cast<HWND>(static_cast<LONG_PTR>(h));
    for (HWND child = toolbarFormWnd_ ? GetWindow(toolbarFormWnd_, GW_CHILD) : nullptr; child;
         child = GetWindow(child, GW_HWNDNEXT))
      if (ClassIsToolbar(child)) {
        toolbarWnd_ = child;
        SubclassWindow(this, child);
        break;
      }
  }
  VARIANT v;
  VariantInit(&v);
  V_VT(&v) = VT_I4;
  V_I4(&v) = 0;
  PutDispatchProperty(toolbar_, "Appearance", v);
  V_VT(&v) = VT_BOOL;
  V_BOOL(&v) = VARIANT_TRUE;
  PutDispatchProperty(toolbar_, "Wrappable", v);
  FloatProperty(toolbar_, "ButtonHeight", fit_.rowHeight);
  FloatProperty(toolbar_, "ButtonWidth", buttonWidth_);
  VARIANT list;
  VariantInit(&list);
  if (SUCCEEDED(GetDispatchProperty(toolbar_, "Buttons", DISPATCH_PROPERTYGET, &list)) && V_VT(&list) == VT_DISPATCH &&
      V_DISPATCH(&list)) {
    VARIANT en;
    VariantInit(&en);
    if (SUCCEEDED(GetDispatchProperty(V_DISPATCH(&list), "_NewEnum", DISPATCH_METHOD | DISPATCH_PROPERTYGET, &en)) &&
        (V_VT(&en) == VT_UNKNOWN || V_VT(&en) == VT_DISPATCH) && V_UNKNOWN(&en))
      V_UNKNOWN(&en)->QueryInterface(IID_IEnumVARIANT, reinterpret_cast<void**>(&buttons_));
    VariantClear(&en);
  }
  VariantClear(&list);
}

void CToolbarSource::Reread()
{
  if (buttons_) buttons_->Release();
  buttons_ = nullptr;
  Read();
}

void CToolbarSource::BuildFitList()
{
  fit_.ClearButtons();
  if (!buttons_) return;
  buttons_->Reset();
  long style = 0;
  fit_.rowStyle = IntProperty(toolbar_, "Style", style) ? static_cast<unsigned>(style) : 0;
  VARIANT item;
  VariantInit(&item);
  ULONG got = 0;
  // Bounded: a host enumerator that never ends must not hang the pane.
  for (int guard = 0; guard < 4096 && buttons_->Next(1, &item, &got) == S_OK; ++guard) {
    if (V_VT(&item) == VT_DISPATCH && V_DISPATCH(&item)) {
      float width = 0;
      long kind = 0;
      FloatProperty(V_DISPATCH(&item), "Width", width);
      IntProperty(V_DISPATCH(&item), "Style", kind);
      fit_.AddButton(width, static_cast<int>(kind));
    }
    VariantClear(&item);
  }
  fit_.BuildGroups();
}

void CToolbarSource::ComputeFitCandidates(int limitWidth, int limitHeight)
{
  fit_.BuildCandidates(limitWidth, limitHeight);
}

SIZE CToolbarSource::FittedSize(int zone)
{
  SIZE s = fit_.GetFittedSize(zone);
  // A little room beyond the buttons, so the toolbar never wraps its last one.
  if (zone == 1 || zone == 3) s.cx += 4;
  else s.cy += 4;
  return s;
}

SIZE CToolbarSource::FitToolbar(SIZE, int side)
{
  fittedHorizontal = fittedVertical = SIZE{0, 0};
  Read();
  if (!toolbar_) return SIZE{0, 0};
  BuildFitList();
  const SIZE s = FittedSize(side);
  if (side == 1 || side == 3) fittedHorizontal = s;
  else fittedVertical = s;
  return s;
}

SIZE CToolbarSource::FitToExtent(int extent, bool vertical)
{
  SIZE out{0, 0};
  fit_.FitByDimension(&out, &extent, !vertical);
  return out;
}

SIZE CToolbarSource::FitAtLeast(SIZE size)
{
  fit_.FitAtLeast(size);
  return size;
}

LRESULT CToolbarSource::SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
  if (!images_) return CallNext(hwnd, message, wParam, lParam);
  switch (message) {
  case WM_DRAWITEM:
    if (images_->OnDrawItem(reinterpret_cast<const DRAWITEMSTRUCT*>(lParam))) return 1;
    break;
  case WM_MEASUREITEM:
    if (images_->OnMeasureItem(reinterpret_cast<MEASUREITEMSTRUCT*>(lParam), hwnd)) return 1;
    break;
  case WM_INITMENUPOPUP:
    CallNext(hwnd, message, wParam, lParam);
    images_->OnInitMenuPopup(reinterpret_cast<HMENU>(wParam), LOWORD(lParam), HIWORD(lParam) != 0);
    return 0;
  case WM_MENUSELECT:
    images_->OnMenuSelect(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HMENU>(lParam));
    break;
  case WM_MENUCHAR:
    if (LRESULT r = images_->OnMenuChar(static_cast<char>(LOWORD(wParam)), HIWORD(wParam), reinterpret_cast<HMENU>(lParam)))
      return r;
    break;
  case WM_NCDESTROY: {
    const LRESULT r = CallNext(hwnd, message, wParam, lParam);
    UnsubclassWindow(this, hwnd);
    toolbarWnd_ = nullptr;
    return r;
  }
  default:
    break;
  }
  return CallNext(hwnd, message, wParam, lParam);
}
