#pragma once
// What a pane window asks of the control that owns it (the FDPane control of the hosted form).
#include <string>

#include <guiddef.h>

struct IUnknown;

class CPaneOwner {
public:
  virtual ~CPaneOwner() = default;
  // Key under which the pane's placement is saved (at most 59 characters).
  virtual std::string GetLayoutName() = 0;
  // Set while the pane changes the hosted form's style, so the form lets the change through.
  virtual void SetOwnStyleChange(bool on) = 0;
  virtual bool CanDock(int side) = 0;
  virtual void FireShown() = 0;
  virtual void FireHidden() = 0;
  virtual void FireDockStyleChanged(int side) = 0;
  // The pane window is going; the owner must drop its pointer.
  virtual void PaneGone() = 0;
  // The picture the pane's tab shows before its caption (the form's icon); null for none.
  // The owner keeps the reference.
  virtual IUnknown* TabPicture() { return nullptr; }
  // The pane, out of every place, goes where a first show puts it; hidden unless shown.
  virtual void PlaceInitially(bool) {}
  // Whether the hosted form holds a control of one of the classes.
  virtual bool ContainsControlOfClass(const CLSID*, int) { return false; }
};
