#include "docking/pane/FDPaneBody.h"

#include <olectl.h>

#include "docking/com/FDPaneCtl.h"
#include "docking/float/CMiniFrame.h"
#include "docking/frame/MainDockFrame.h"
#include "docking/framework/HostProps.h"
#include "docking/platform_text.h"
#include "docking/pane/CPaneWnd.h"
#include "docking/pane/ToolbarSource.h"
#include "docking/toolband/CToolbarPaneWnd.h"

namespace {
constexpr LONG kFrameBits = 0x00CF0000;  // caption, system menu, sizing frame, min/max boxes
}

CFDPaneBody::CFDPaneBody(CFDPaneCtl* control) : control_(control) {}

CFDPaneBody::~CFDPaneBody() {
  Teardown();
  if (icon_) icon_->Release();
}

CDockFrameBase* CFDPaneBody::Frame() const {
  if (frameOverride) return frameOverride;
  return CMainDockFrame::Current();
}

void CFDPaneBody::Activate(HWND form) {
  if (created_ || !form || form_) return;
  form_ = form;
  SubclassWindow(this, form);
}

bool CFDPaneBody::CanDock(int side) {
  return side >= 0 && side < 4 && control_ && (control_->m_canDockMask & (1u << side));
}

namespace {

// A string property of a host object in the ANSI code page; nothing when it is no string.
bool StringProperty(IDispatch* object, const char* name, std::string& out) {
  if (!object) return false;
  VARIANT v;
  VariantInit(&v);
  bool ok = false;
  if (SUCCEEDED(GetDispatchProperty(object, name, DISPATCH_PROPERTYGET, &v)) && v.vt == VT_BSTR) {
    out = docktext::ToAnsi(v.bstrVal, static_cast<int>(SysStringLen(v.bstrVal)));
    ok = true;
  }
  VariantClear(&v);
  return ok;
}

}  // namespace

std::string CFDPaneBody::GetLayoutName() {
  std::string name;
  IOleClientSite* site = control_ ? control_->ClientSite() : nullptr;
  IOleControlSite* controlSite = nullptr;
  if (!site || FAILED(site->QueryInterface(IID_IOleControlSite, reinterpret_cast<void**>(&controlSite))) || !controlSite)
    return name;
  IDispatch* extender = nullptr;
  if (SUCCEEDED(controlSite->GetExtendedControl(&extender)) && extender) {
    std::string tag;
    if (StringProperty(extender, "Tag", tag) && tag.size() >= 2) {
      name = tag;
    } else {
      IDispatch* form = FormOfExtender(extender);
      std::string formName;
      if (form && StringProperty(form, "Name", formName)) name = formName;
      if (form) form->Release();
    }
    extender->Release();
  }
  controlSite->Release();
  if (name.size() > 59) name.resize(59);  // the pane keeps the name in 60 bytes
  return name;
}

IUnknown* CFDPaneBody::TabPicture() {
  if (iconAsked_) return icon_;
  iconAsked_ = true;
  IOleClientSite* site = control_ ? control_->ClientSite() : nullptr;
  IOleControlSite* controlSite = nullptr;
  if (!site || FAILED(site->QueryInterface(IID_IOleControlSite, reinterpret_cast<void**>(&controlSite))) || !controlSite)
    return nullptr;
  IDispatch* extender = nullptr;
  if (SUCCEEDED(controlSite->GetExtendedControl(&extender)) && extender) {
    IDispatch* form = FormOfExtender(extender);
    if (form) {
      VARIANT v;
      VariantInit(&v);
      if (SUCCEEDED(GetDispatchProperty(form, "Icon", DISPATCH_PROPERTYGET, &v)) &&
          (v.vt == VT_DISPATCH || v.vt == VT_UNKNOWN) && v.punkVal) {
        // Only a real picture is drawn in a tab.
        IUnknown* picture = nullptr;
        if (SUCCEEDED(v.punkVal->QueryInterface(IID_IPicture, reinterpret_cast<void**>(&picture)))) icon_ = picture;
      }
      VariantClear(&v);
      form->Release();
    }
    extender->Release();
  }
  controlSite->Release();
  return icon_;
}

namespace {
constexpr LONG kMdiFrameBits = 0x00CF0000;  // caption, system menu, sizing frame, min/max boxes

void FrameChanged(HWND w) {
  SetWindowPos(w, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}
}  // namespace

bool CFDPaneBody::MakeMdiChild() {
  CDockFrameBase* frame = Frame();
  HWND mdi = frame ? frame->m_hWndMdiClient : nullptr;
  if (!mdi || !pane_ || !form_ || !control_) return false;
  pane_->resetPending = false;  // an MDI child is placed by the MDI client
  pane_->LeavePlace();
  pane_->SetPinState(1);
  ownStyleChange_ = true;
  SetWindowLongA(form_, GWL_STYLE, GetWindowLongA(form_, GWL_STYLE) | WS_CHILD | kMdiFrameBits);
  ownStyleChange_ = false;
  BOOL maximized = FALSE;
  SendMessageA(mdi, WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(&maximized));
  if (maximized) ShowWindow(form_, SW_HIDE);
  SetParent(form_, mdi);
  FrameChanged(form_);
  if (maximized) SendMessageA(mdi, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(form_), 0);
  ShowWindow(form_, SW_SHOW);
  if (savedMdiMenu_) {
    SendMessageA(mdi, WM_MDISETMENU, reinterpret_cast<WPARAM>(savedMdiMenu_), 0);
    SendMessageA(mdi, WM_MDIREFRESHMENU, 0, 0);
  }
  if (HWND host = GetParent(mdi)) DrawMenuBar(host);
  control_->m_paneVisible = 0;
  return true;
}

bool CFDPaneBody::MakePane() {
  CDockFrameBase* frame = Frame();
  HWND mdi = frame ? frame->m_hWndMdiClient : nullptr;
  if (!mdi || !form_ || !control_) return false;
  const bool active = reinterpret_cast<HWND>(SendMessageA(mdi, WM_MDIGETACTIVE, 0, 0)) == form_;
  if (active) savedMdiMenu_ = GetMenu(GetParent(mdi));
  if (!pane_) {
    // Never was a pane: it becomes one now, as on a first show.
    SendMessageA(mdi, WM_MDINEXT, reinterpret_cast<WPARAM>(form_), 0);
    control_->m_fdType = 0;
    CreatePaneWnd();
    return pane_ != nullptr;
  }
  HWND only = GetWindow(mdi, GW_CHILD);
  if (only == form_ && !GetWindow(only, GW_HWNDNEXT))
    SendMessageA(mdi, WM_MDIRESTORE, reinterpret_cast<WPARAM>(form_), 0);
  else
    SendMessageA(mdi, WM_MDINEXT, reinterpret_cast<WPARAM>(form_), 0);
  ownStyleChange_ = true;
  SetWindowLongA(form_, GWL_STYLE, (GetWindowLongA(form_, GWL_STYLE) & ~kMdiFrameBits) | WS_CHILD);
  ownStyleChange_ = false;
  SetParent(form_, pane_->hwnd);
  FrameChanged(form_);
  control_->m_paneVisible = 1;
  // Back where it was docked, or at its initial side.
  CPaneWnd* pane = pane_;
  pane->resetPending = false;
  if (!pane->ReturnToPrevious()) {
    int side = pane->prevSide >= 0 && pane->prevSide <= 3 ? pane->prevSide : control_->m_initDockStyle;
    if (side < 0 || side > 3 || !CanDock(side)) side = 0;
    pane->DockTo(frame, side);
  }
  pane->LayoutContent();
  ShowWindow(form_, SW_SHOW);
  pane->Activate();
  return true;
}

void CFDPaneBody::FireShown() {
  if (control_ && !quiet_) control_->FireShown();
}
void CFDPaneBody::FireHidden() {
  if (control_ && !quiet_) control_->FireHidden();
}
void CFDPaneBody::FireDockStyleChanged(int side) {
  if (control_) control_->FireDockStyleChanged(side);
}

void CFDPaneBody::CreatePaneWnd() {
  CDockFrameBase* frame = Frame();
  if (created_ || !form_ || !frame || !frame->m_hWndFrame || !control_) return;
  if (control_->m_fdType == 2) {
    // Saved as an MDI form: with an MDI client it stays an ordinary window the first time.
    if (frame->m_hWndMdiClient) {
      FireShown();
      return;
    }
    control_->m_fdType = 0;
  }
  created_ = true;
  CPaneWnd* pane = NewPaneWindow();
  pane->owner = this;
  if (auto* main = dynamic_cast<CMainDockFrame*>(frame)) pane->dragAreaStyle = main->DragAreaStyle();
  pane->pinState = control_->m_pinState == 0 ? 0 : 1;
  pane_ = pane;
  if (!pane->Attach(form_, frame->m_hWndFrame)) {
    pane_ = nullptr;
    delete pane;
    created_ = false;
    return;
  }
  pane->dockFrame = frame;
  if (!pane->IsFormPane()) pane->pinState = 0;  // toolbars have no pin
  if (auto* main = dynamic_cast<CMainDockFrame*>(frame); main && main->m_bBoundaryCheck) pane->workArea = main->m_rcWork;
  frame->AddPaneForm(form_);
  Place();
}

void CFDPaneBody::Place() {
  CPaneWnd* pane = pane_;
  if (!pane) return;
  pane->dockedWidth = pane->dockedHeight = control_->m_initDockHW;
  pane->floatLeft = control_->m_initFloatLeft;
  pane->floatTop = control_->m_initFloatTop;
  pane->floatWidth = control_->m_initFloatWidth;
  pane->floatHeight = control_->m_initFloatHeight;
  // A form pane docks at the side the host asks for: the dock mask governs toolbar panes and
  // drags, and a host's layout may well put a pane where the user could not drag it.
  const int side = control_->m_initDockStyle;
  if (auto* toolbar = dynamic_cast<CToolbarPaneWnd*>(pane)) return PlaceToolbar(toolbar);
  if (!control_->m_paneVisible) {
    pane->side = side;
    pane->Show(false);
    pane->placed = 0;
    // Hidden from the start, it still takes its saved place, to show there later.
    if (auto* main = dynamic_cast<CMainDockFrame*>(Frame())) main->ReserveSavedPlace(pane);
    FireHidden();
    return;
  }
  // A place kept by a loaded layout comes first.
  if (auto* main = dynamic_cast<CMainDockFrame*>(Frame()); main && main->ClaimPlace(pane)) {
    if (pane->IsVisible() || pane->IsTabBehind() || pane->m_bUnpinned) return FireShown();
    control_->m_paneVisible = 0;  // saved hidden
    return FireHidden();
  }
  // A layout reference places the pane by its partner: a tab of it, or beside it.
  CFDPaneCtl* ref = control_->LayoutReference();
  CFDPaneBody* refBody = ref ? ref->Body() : nullptr;
  CPaneWnd* refPane = refBody ? refBody->Pane() : nullptr;
  // A partner still waiting since a reset takes its place first, to be placed by.
  if (refPane && refPane->resetPending && refPane != pane) {
    refBody->PlaceInitially(refPane->resetShown);
    refPane = refBody->Pane();
    if (pane_ != pane) return;
  }
  bool placed = false;
  if (refPane && refPane->container && refPane->m_pBlock && refPane->IsFormPane()) {
    const int wanted = control_->m_initDockStyle;
    placed = (wanted > 3) ? pane->JoinAsTab(refPane) : pane->DockBeside(refPane, wanted);
  }
  if (!placed) {
    if (side >= 0 && side <= 3)
      pane->DockTo(Frame(), side);
    else
      pane->Float();
  }
  FireShown();
}

bool CFDPaneBody::ContainsControlOfClass(const CLSID* ids, int count) {
  IOleClientSite* site = control_ ? control_->ClientSite() : nullptr;
  IOleContainer* container = nullptr;
  if (!site || !ids || count <= 0 || FAILED(site->GetContainer(&container)) || !container) return false;
  bool found = false;
  IEnumUnknown* objects = nullptr;
  if (SUCCEEDED(container->EnumObjects(0xFFFF, &objects)) && objects) {
    IUnknown* object = nullptr;
    while (!found && objects->Next(1, &object, nullptr) == S_OK && object) {
      IOleObject* ole = nullptr;
      CLSID cls{};
      if (SUCCEEDED(object->QueryInterface(IID_IOleObject, reinterpret_cast<void**>(&ole))) && ole) {
        if (SUCCEEDED(ole->GetUserClassID(&cls)))
          for (int i = 0; i < count && !found; ++i) found = IsEqualCLSID(cls, ids[i]) != 0;
        ole->Release();
      }
      object->Release();
      object = nullptr;
    }
    objects->Release();
  }
  container->Release();
  return found;
}

void CFDPaneBody::PlaceAfterReset(bool shown, bool quiet) {
  if (!pane_ || !control_) return;
  CPaneWnd* pane = pane_;
  const bool wasShown = pane->resetShown;
  const int pin = pane->resetPinState;
  if (pane->resetStyleSet && !pane->resetRefSet) control_->DropLayoutReference();
  pane->resetPending = false;
  pane->resetPinState = -1;
  pane->resetStyleSet = pane->resetRefSet = false;
  control_->m_paneVisible = shown ? 1 : 0;
  quiet_ = quiet;
  Place();
  quiet_ = false;
  if (pane_ != pane) return;
  if (quiet && PaneVisible() != wasShown) PaneVisible() ? FireShown() : FireHidden();
  // A pin state put while the pane waited applies to the place it took.
  if (pin >= 0) SetPinState(pin);
}

bool CFDPaneBody::PaneVisible() const {
  if (!pane_) return control_ && control_->m_paneVisible;
  if (pane_->resetPending) return pane_->resetShown;
  if (pane_->miniFrame) return pane_->IsVisible() && pane_->miniFrame->hwnd;
  return pane_->IsVisible();
}

void CFDPaneBody::SetPaneVisible(bool visible) {
  if (!control_) return;
  control_->m_paneVisible = visible ? 1 : 0;
  CPaneWnd* pane = pane_;
  if (!pane || !pane->hostedWnd) return;
  // Waiting since a reset: placed now, by the values the host has put since.
  if (pane->resetPending) return PlaceAfterReset(visible, false);
  if (auto* toolbar = dynamic_cast<CToolbarPaneWnd*>(pane)) return SetToolbarVisible(toolbar, visible);
  if (visible == PaneVisible()) return;
  // Hidden, the pane leaves its place and the layout closes up; shown, it goes back there.
  pane->SetVisible(visible);
}

void CFDPaneBody::SetPinState(int state) {
  if (pane_ && pane_->resetPending) {
    pane_->resetPinState = state;
    return;
  }
  if (auto* main = dynamic_cast<CMainDockFrame*>(Frame()); main && main->ChangePinState(pane_, state)) return;
  if (pane_) pane_->SetPinState(state);
}

int CFDPaneBody::CurrentDockStyle() const {
  if (!pane_ || pane_->resetPending) return control_ ? control_->m_initDockStyle : 0;
  if (!pane_->container) return 4;
  return pane_->side;
}

void CFDPaneBody::ReDock() {
  if (!pane_) return;
  if (pane_->resetPending) PlaceInitially(pane_->resetShown);
  if (!pane_) return;
  // An unpinned pane is pinned first: docked or floating panes have no strip tab.
  if (auto* main = dynamic_cast<CMainDockFrame*>(Frame()); main && pane_->m_bUnpinned) main->RepinHidden(pane_);
  // A floating pane goes back to the place it floated from while that place is still there.
  if (!pane_->container && pane_->prevSide >= 0 && pane_->prevSide <= 3 && CanDock(pane_->prevSide) &&
      pane_->ReturnToPrevious())
    return;
  int side = pane_->side;
  if (side < 0 || side > 3 || !CanDock(side)) side = CanDock(control_->m_initDockStyle) ? control_->m_initDockStyle : 0;
  pane_->DockTo(Frame(), side);
}

void CFDPaneBody::ReFloat() {
  if (!pane_) return;
  if (pane_->resetPending) PlaceInitially(pane_->resetShown);
  if (!pane_) return;
  if (auto* main = dynamic_cast<CMainDockFrame*>(Frame()); main && pane_->m_bUnpinned) main->RepinHidden(pane_);
  pane_->Float();
}

void CFDPaneBody::Teardown() {
  if (form_) {
    UnsubclassWindow(this, form_);
    if (CDockFrameBase* frame = Frame()) frame->RemovePaneForm(form_);
  }
  if (CPaneWnd* pane = pane_) {
    pane_ = nullptr;
    // Unpinned: its strip tab and popup go before the pane does.
    if (auto* main = dynamic_cast<CMainDockFrame*>(Frame()); main && pane->m_bUnpinned) main->RepinHidden(pane);
    pane->owner = nullptr;
    // The form is handed back before the pane window goes, so the host's form survives.
    pane->ReleaseForm();
    pane->Destroy();
  }
  form_ = nullptr;
}

LRESULT CFDPaneBody::SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SETTEXT:
      if (pane_) {
        pane_->SetTitle(lParam ? reinterpret_cast<const char*>(lParam) : "");
        return 1;
      }
      break;
    case WM_SHOWWINDOW:
      if (wParam) {
        LRESULT r = CallNext(hwnd, message, wParam, lParam);
        if (pane_ && pane_->resetPending)
          PlaceAfterReset(true, false);
        else
          CreatePaneWnd();
        return r;
      }
      break;
    case WM_STYLECHANGING:
      if (!ownStyleChange_ && static_cast<int>(wParam) == GWL_STYLE) {
        auto* ss = reinterpret_cast<STYLESTRUCT*>(lParam);
        ss->styleNew = (ss->styleNew & ~kFrameBits) | (ss->styleOld & kFrameBits);
      }
      break;
    case WM_LBUTTONUP:
      SetFocus(hwnd);
      break;
    case WM_SETFOCUS:
      if (pane_) pane_->Activate();
      break;
    case WM_NCDESTROY: {
      // The form goes first: the pane must not keep it.
      if (pane_) pane_->hostedWnd = nullptr;
      form_ = nullptr;
      break;
    }
    default: break;
  }
  return CallNext(hwnd, message, wParam, lParam);
}
