#pragma once
// The floating frames of a saved layout. Floating windows hold panes, not sections, so a save
// writes window-less stand-ins that name their panes; a load keeps the stand-ins until their
// panes attach and float them where their frame stood.
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "docking/persist/LayoutStore.h"

class CDockFrameBase;
class CMiniFrame;
class CPaneWnd;

class CFloatingLayouts {
public:
  CFloatingLayouts();
  ~CFloatingLayouts();
  CFloatingLayouts(const CFloatingLayouts&) = delete;
  CFloatingLayouts& operator=(const CFloatingLayouts&) = delete;

  // Stand-ins for the floating frames that show panes now; they live until the next call.
  std::vector<LayoutStore::FloatingFrame> ForSave();
  // Hooks of a load.
  void Hook(LayoutStore::LoadRequest& request);
  // Floats pane where its saved frame stood, beside the panes of that frame that came before.
  bool Claim(CPaneWnd* pane, const std::string& name);
  void Clear();
  int LoadedCount() const { return static_cast<int>(loaded_.size()); }

private:
  struct Entry;
  std::vector<std::unique_ptr<Entry>> loaded_;
  std::vector<std::unique_ptr<Entry>> saving_;
};
