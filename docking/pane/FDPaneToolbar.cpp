// The toolbar side of an FDPane: a toolbar form of type 1 becomes a toolbar pane, which asks
// the form's toolbar control for its sizes, takes its saved row place, joins its layout
// reference's row, and shows and hides without keeping a vacant place.
#include "docking/pane/FDPaneBody.h"

#include <algorithm>

#include "docking/com/FDPaneCtl.h"
#include "docking/frame/MainDockFrame.h"
#include "docking/framework/HostProps.h"
#include "docking/layout/LayoutBlock.h"
#include "docking/pane/ToolbarSource.h"
#include "docking/persist/LayoutStore.h"
#include "docking/toolband/CToolBand.h"
#include "docking/toolband/CToolbarPaneWnd.h"

CPaneWnd* CFDPaneBody::NewPaneWindow() {
  // A toolbar form of type 1 becomes a toolbar pane.
  if (FindToolbar() && control_->m_fdType != 0 && control_->m_fdType != 2) {
    auto* toolbar = new CToolbarPaneWnd();
    HookToolbarPane(toolbar);
    return toolbar;
  }
  return new CPaneWnd();
}

int CFDPaneBody::FormScaleMode() {
  int mode = 1;
  IOleClientSite* site = control_ ? control_->ClientSite() : nullptr;
  IOleControlSite* controlSite = nullptr;
  if (!site || FAILED(site->QueryInterface(IID_IOleControlSite, reinterpret_cast<void**>(&controlSite))) || !controlSite)
    return mode;
  IDispatch* extender = nullptr;
  if (SUCCEEDED(controlSite->GetExtendedControl(&extender)) && extender) {
    IDispatch* form = FormOfExtender(extender);
    VARIANT v;
    VariantInit(&v);
    if (form && SUCCEEDED(GetDispatchProperty(form, "ScaleMode", DISPATCH_PROPERTYGET, &v)) &&
        SUCCEEDED(VariantChangeType(&v, &v, 0, VT_I4)))
      mode = static_cast<int>(V_I4(&v));
    VariantClear(&v);
    if (form) form->Release();
    extender->Release();
  }
  controlSite->Release();
  return mode;
}

bool CFDPaneBody::FindToolbar() {
  if (toolbar_ && toolbar_->Found()) return true;
  if (!control_ || control_->m_fdType == 0) return false;
  IOleClientSite* site = control_->ClientSite();
  IOleContainer* container = nullptr;
  if (!site || FAILED(site->GetContainer(&container)) || !container) return false;
  if (!toolbar_) toolbar_ = std::make_unique<CToolbarSource>(control_->ImageStore());
  const bool found = toolbar_->Find(container, FormScaleMode());
  container->Release();
  return found;
}

void CFDPaneBody::HookToolbarPane(CToolbarPaneWnd* pane) {
  pane->layoutName = GetLayoutName();
  // The pane asks; the toolbar's data is read on demand, so buttons added late still count.
  auto ready = [this](bool candidates) -> CToolbarSource* {
    CToolbarSource* source = toolbar_.get();
    if (!source) return nullptr;
    source->Read();
    if (source->Fit().buttons.empty()) source->BuildFitList();
    if (candidates && source->Fit().candidates.empty()) source->ComputeFitCandidates();
    return source;
  };
  pane->fittedSize = [ready](int zone) {
    CToolbarSource* source = ready(false);
    return source ? source->FittedSize(zone) : SIZE{0, 0};
  };
  pane->fitToExtent = [ready](int extent, bool vertical) {
    CToolbarSource* source = ready(true);
    return source ? source->FitToExtent(extent, vertical) : SIZE{0, 0};
  };
  pane->fitAtLeast = [ready](SIZE size) {
    CToolbarSource* source = ready(true);
    return source ? source->FitAtLeast(size) : size;
  };
  pane->refreshFit = [this] {
    if (!toolbar_) return;
    toolbar_->Reread();
    toolbar_->BuildFitList();
    toolbar_->ComputeFitCandidates();
  };
  pane->toolbarWindow = [this]() -> HWND { return toolbar_ ? toolbar_->ToolbarWindow() : nullptr; };
}

bool CFDPaneBody::ClaimSavedRow(CToolbarPaneWnd* pane, bool shown) {
  auto* main = dynamic_cast<CMainDockFrame*>(Frame());
  const std::string name = GetLayoutName();
  LayoutStore::SavedPlace place;
  if (!main || name.empty() || !LayoutStore::FindBlockByTitle(*main, name, place)) return false;
  auto* row = dynamic_cast<CToolBand*>(main->SectionAt(place.side, place.index));
  CLayoutBlock* block = place.block;
  if (!row || !block->m_bHasPlaceholderTitle || block->m_pPane) return false;
  row->m_nSide = place.side;
  if (block->m_pPlaceholderFloat) {
    const RECT f = *block->m_pPlaceholderFloat;
    pane->floatLeft = std::max<LONG>(0, f.left);
    pane->floatTop = std::max<LONG>(0, f.top);
    pane->floatWidth = f.right - f.left > 0 ? f.right - f.left : 200;
    pane->floatHeight = f.bottom - f.top > 0 ? f.bottom - f.top : 200;
  }
  // A side the pane may no longer dock to: the entry is given up and the pane floats.
  if (!CanDock(place.side)) {
    main->RemovePaneFromSection(block, nullptr, name.c_str(), place.side, place.index);
    if (shown) pane->Float();
    return true;
  }
  const bool savedFloating = (block->m_nRestore & 3) == 3;
  if (!shown || savedFloating) {
    // Hidden, or saved floating: the row keeps the place until the pane goes back to it.
    pane->AdoptRememberedPlace(block, place.side);
    if (shown) pane->Float();
    return !shown || pane->miniFrame != nullptr;
  }
  return pane->TakeRowPlace(row, place.index, block, block->m_placeholderPos);
}

void CFDPaneBody::PlaceToolbar(CToolbarPaneWnd* pane) {
  // A floating toolbar takes its fitted size, not the form's.
  pane->floatWidth = pane->floatHeight = 0;
  const int side = control_->m_initDockStyle;
  if (!control_->m_paneVisible) {
    // Hidden from the start: shown later, it goes to its saved place or its initial side.
    ClaimSavedRow(pane, false);
    pane->side = side;
    pane->Show(false);
    pane->placed = 0;
    FireHidden();
    return;
  }
  if (ClaimSavedRow(pane, true)) return FireShown();
  CFDPaneCtl* ref = control_->LayoutReference();
  CFDPaneBody* refBody = ref ? ref->Body() : nullptr;
  auto* refPane = refBody ? dynamic_cast<CToolbarPaneWnd*>(refBody->Pane()) : nullptr;
  if (side < 0 || side > 3)
    pane->Float();
  else if (refPane && refPane->container == Frame() && pane->JoinBeside(refPane))
    ;
  else if (CanDock(side))
    pane->DockAt(Frame(), side);
  else
    pane->Float();
  FireShown();
}

bool CFDPaneBody::ReDockToolbar() {
  auto* toolbar = dynamic_cast<CToolbarPaneWnd*>(pane_);
  if (!toolbar) return false;
  if (toolbar->resetPending) PlaceInitially(toolbar->resetShown);
  if (pane_ != toolbar) return true;
  if (!toolbar->container) toolbar->RestoreDocked();
  return true;
}

void CFDPaneBody::SetToolbarVisible(CToolbarPaneWnd* toolbar, bool visible) {
  if (visible == PaneVisible()) return;
  if (!visible) {
    // Out of sight; its row keeps its place (a floating one keeps its frame).
    toolbar->HideFromContainer();
    toolbar->placed = 0;
    FireHidden();
    return;
  }
  if (toolbar->container || toolbar->miniFrame)
    ShowWindow(toolbar->hwnd, SW_SHOW);
  else if (!toolbar->RestoreDocked())
    toolbar->Float();
  toolbar->placed = 1;
  FireShown();
}
