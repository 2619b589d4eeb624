#pragma once
// The docking layout in the registry: the host rectangle, each side's sections with their
// neighbours, every section's block tree (ratios, tab slots) or toolbar row, and the floating
// frames, all by pane name. Loading rebuilds sections and named slots; panes claim them by name.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

class CDockFrameBase;
class CDockSection;
class CLayoutBlock;
class CPaneBase;

namespace LayoutStore {

constexpr const char* kDefaultKey = "VOZIVEZOZ\\XMoorline";
constexpr const char* kVersionValue = "MLVER1400";
constexpr DWORD kVersion = 4;
extern const char* const kSideKeys[4];

// Name under which a pane's place is stored; by default its title.
using NameFn = std::function<std::string(const CPaneBase*)>;

struct FloatingFrame {
  CDockFrameBase* frame = nullptr;
  RECT rect{};  // the frame window's rectangle, or its stored float rectangle without a window
};

struct SaveRequest {
  HKEY root = HKEY_LOCAL_MACHINE;
  std::string key;  // empty: the default key
  RECT hostRect{};
  CDockFrameBase* main = nullptr;
  std::vector<FloatingFrame> floats;
  NameFn nameOf;
};

// 0, or the registry error of the step that failed.
LONG Save(const SaveRequest& request);

struct LoadRequest {
  HKEY root = HKEY_LOCAL_MACHINE;
  std::string key;
  CDockFrameBase* main = nullptr;
  // The host window goes to the stored rectangle (made sane first).
  std::function<void(const RECT&)> moveHost;
  // A new floating frame without window, listed by the caller; it gets its float rectangle.
  std::function<CDockFrameBase*()> makeFloating;
  std::function<void(CDockFrameBase*, const RECT&)> setFloatRect;
  // Unlists and deletes a floating frame that lost its only section.
  std::function<void(CDockFrameBase*)> dropFloating;
  // Panes that are attached already keep their place: their names leave the loaded layout.
  std::vector<std::string> attachedNames;
  // Section for a stored toolbar row; by default a plain row section.
  std::function<CDockSection*(int side)> makeRow;
};

LONG Load(const LoadRequest& request);

// Host rectangle defaults for inverted or empty stored rectangles.
RECT SaneHostRect(RECT rc);
RECT SaneFloatRect(RECT rc);

// A stored place found by name: the leaf, its section and the flags saved with the slot.
struct SavedPlace {
  CLayoutBlock* block = nullptr;
  int side = -1;
  int index = -1;
  int misc = 0;   // bit 0 visible, 1 docked in this frame, 2 the shown tab, 3 unpinned
  RECT rect{};    // float rectangle saved with the slot
};
// Searches frame's sections (or only those from index first on, per side) for a slot named
// name (letter case ignored); the first found.
bool FindBlockByTitle(CDockFrameBase& frame, const std::string& name, SavedPlace& place,
                      const int firstIndex[4] = nullptr);
// Puts pane into its stored place in frame: docks it there unless it was saved hidden or
// unpinned, or the place is in a toolbar row (the toolbar pane places itself from the block's
// stored values). False when frame holds no place of that name.
bool ClaimSavedPlace(CDockFrameBase& frame, CPaneBase* pane, const std::string& name, SavedPlace* found = nullptr);

}  // namespace LayoutStore
