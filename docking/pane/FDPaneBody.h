#pragma once
// The run-time side of an FDPane control: it takes over the form it sits on, makes the pane
// window the first time the form is shown, and carries the control's properties to that pane.
#include <windows.h>

#include <memory>
#include <string>

#include "docking/framework/Subclass.h"
#include "docking/pane/PaneOwner.h"

class CFDPaneCtl;
class CPaneWnd;
class CDockFrameBase;
class CToolbarSource;
class CToolbarPaneWnd;

class CFDPaneBody : public CPaneOwner, public CSubclassOwner {
public:
  explicit CFDPaneBody(CFDPaneCtl* control);
  ~CFDPaneBody() override;
  CFDPaneBody(const CFDPaneBody&) = delete;
  CFDPaneBody& operator=(const CFDPaneBody&) = delete;

  // The form window the control sits on; subclassed once.
  void Activate(HWND form);
  // Makes and places the pane window (once); needs a main frame.
  void CreatePaneWnd();
  // Gives the form back and destroys the pane window.
  void Teardown();

  // Property effects at run time.
  bool PaneVisible() const;
  void SetPaneVisible(bool visible);
  void SetPinState(int state);
  int CurrentDockStyle() const;
  void ReDock();
  void ReFloat();
  IUnknown* TabPicture() override;
  // The form becomes an ordinary MDI child of the host, and back into its pane. Nothing
  // without an MDI client. True when the form moved.
  bool MakeMdiChild();
  bool MakePane();

  // The frame panes dock into; the process's main frame unless a test gives one.
  CDockFrameBase* Frame() const;
  CDockFrameBase* frameOverride = nullptr;

  CPaneWnd* Pane() const { return pane_; }
  // The toolbar of a toolbar form (FDType 1), once looked for; null otherwise.
  CToolbarSource* Toolbar() const { return toolbar_.get(); }
  // A floating toolbar pane goes back to its row (or a new one at its side); false for a form pane.
  bool ReDockToolbar();
  // Looks for the form's toolbar control (once found, kept).
  bool FindToolbar();
  HWND FormWindow() const { return form_; }

  // CPaneOwner
  std::string GetLayoutName() override;
  void SetOwnStyleChange(bool on) override { ownStyleChange_ = on; }
  bool CanDock(int side) override;
  void FireShown() override;
  void FireHidden() override;
  void FireDockStyleChanged(int side) override;
  void PaneGone() override { pane_ = nullptr; }
  // The reset's own placement: events only when the pane's visibility changed.
  void PlaceInitially(bool shown) override { PlaceAfterReset(shown, true); }
  bool ContainsControlOfClass(const CLSID* ids, int count) override;

  LRESULT SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override;

private:
  // Places a pane a layout reset took out, by the values put since. A new initial side put
  // without a new layout reference drops the old reference: the side is meant as it is.
  void PlaceAfterReset(bool shown, bool quiet);
  void Place();
  // Initial place of a toolbar pane: its saved row entry, beside its layout reference's
  // toolbar, or its initial side.
  void PlaceToolbar(CToolbarPaneWnd* pane);
  // The pane's saved row entry: docked there when shown, else the row keeps it for later.
  bool ClaimSavedRow(CToolbarPaneWnd* pane, bool shown);
  void HookToolbarPane(CToolbarPaneWnd* pane);
  // A toolbar pane for a toolbar form of type 1, else a form pane.
  CPaneWnd* NewPaneWindow();
  void SetToolbarVisible(CToolbarPaneWnd* pane, bool visible);
  int FormScaleMode();
  std::unique_ptr<CToolbarSource> toolbar_;
  CFDPaneCtl* control_;
  CPaneWnd* pane_ = nullptr;
  HWND form_ = nullptr;
  bool created_ = false;
  bool quiet_ = false;  // no shown/hidden events while set
  bool ownStyleChange_ = false;
  HMENU savedMdiMenu_ = nullptr;  // the host's menu while the form was the active MDI child
  IUnknown* icon_ = nullptr;  // the form's Icon, asked for once
  bool iconAsked_ = false;
};
