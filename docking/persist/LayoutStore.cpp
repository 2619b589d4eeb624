#include "docking/persist/LayoutStore.h"

#include <algorithm>
#include <cstdio>
#include <memory>

#include "docking/frame/DockFrameBase.h"
#include "docking/framework/PointerArray.h"
#include "docking/layout/DockSection.h"
#include "docking/layout/Geometry.h"
#include "docking/layout/LayoutBlock.h"
#include "docking/layout/PaneBase.h"
#include "docking/layout/TabStrip.h"
#include "docking/persist/NeighbourRepair.h"
#include "docking/persist/RegKeyHolder.h"

namespace LayoutStore {

const char* const kSideKeys[4] = {"LeftSectionsPro", "TopSectionsPro", "RightSectionsPro", "BottomSectionsPro"};

namespace {

using dockgeo::IsStacked;
using dockgeo::RectHeight;
using dockgeo::RectWidth;

// Bounds on what a stored layout may ask for; a real one is far below them.
constexpr int kMaxSections = 64;
constexpr int kMaxTabs = 64;
constexpr int kMaxRowBlocks = 64;
constexpr int kMaxFrames = 64;
constexpr int kMaxDepth = 32;
constexpr int kMaxExtent = 32000;
// Row blocks keep the stored visible flag next to the restore flag.
constexpr int kRowVisibleBit = 2;

std::string Numbered(const char* prefix, int n)
{
  char buf[32];
  std::snprintf(buf, sizeof buf, "%s%d", prefix, n);
  return buf;
}

bool SameName(const std::string& a, const std::string& b)
{
  return !a.empty() && lstrcmpiA(a.c_str(), b.c_str()) == 0;
}

// ---- writing --------------------------------------------------------------------------

struct Writer {
  CDockFrameBase* frame;
  NameFn nameOf;
};

CDockFrameBase* ContainerOf(const CPaneBase* pane)
{
  return pane->m_bFloating ? pane->m_pFloatFrame : pane->m_pFrame;
}

void WriteRect(const CRegKeyHolder& key, const RECT& rc)
{
  key.WriteInt("LEFT", rc.left);
  key.WriteInt("TOP", rc.top);
  key.WriteInt("RIGHT", rc.right);
  key.WriteInt("BOTTOM", rc.bottom);
}

void WriteTab(const Writer& w, const CRegKeyHolder& leafKey, int& number, const std::string& title, int misc,
              const RECT& rc)
{
  if (title.empty())
    return;
  CRegKeyHolder tab;
  if (tab.Create(leafKey.Get(), Numbered("TAB", number)) != ERROR_SUCCESS)
    return;
  ++number;
  tab.WriteString("WINDOWTITLE", title.substr(0, 127));
  tab.WriteInt("MISC", misc);
  if (w.frame->m_bMainFrame)
    WriteRect(tab, rc);
}

int PaneMisc(const Writer& w, const CLayoutBlock* leaf, const CPaneBase* pane)
{
  int misc = 0;
  if (pane->IsShown()) misc |= 1;
  if (ContainerOf(pane) == w.frame) misc |= 2;
  // A vacant leaf keeps a hidden pane's place: that pane is no tab shown there.
  if (!leaf->m_bVacant && (leaf->m_pPane == pane || (leaf->m_pTabStrip && leaf->m_pTabStrip->HasPane(pane))))
    misc |= 4;
  if (pane->m_bUnpinned) misc |= 8;
  return misc;
}

RECT SlotRect(const TabSlot& s)
{
  if (s.left == dockgeo::kUnsetRect || s.top == dockgeo::kUnsetRect)
    return RECT{100, 200, 300, 400};
  return RECT{s.left, s.top, s.left + s.width, s.top + s.height};
}

void WriteTabs(const Writer& w, const CRegKeyHolder& key, const CLayoutBlock* leaf)
{
  int number = 0;
  // A block can keep the pointer of a pane that is gone (a pane restored floating leaves
  // such blocks and slots behind): only live panes are asked for their state.
  CPaneBase* const present = CPaneBase::IsLive(leaf->m_pPane) ? leaf->m_pPane : nullptr;
  if (leaf->m_pSlots && !leaf->m_pSlots->empty()) {
    for (const TabSlot& s : *leaf->m_pSlots) {
      if (CPaneBase::IsLive(s.pane))
        WriteTab(w, key, number, w.nameOf(s.pane), PaneMisc(w, leaf, s.pane), s.pane->m_rcFloat);
      else
        WriteTab(w, key, number, s.title, s.misc, SlotRect(s));
    }
    // A present pane without a slot of its own (the leaf's pane next to remembered slots).
    if (present && !leaf->m_bVacant && leaf->TabIndexOfPane(present) < 0)
      WriteTab(w, key, number, w.nameOf(present), PaneMisc(w, leaf, present), present->m_rcFloat);
  } else if (present) {
    WriteTab(w, key, number, w.nameOf(present), PaneMisc(w, leaf, present), present->m_rcFloat);
  } else if (leaf->m_bHasPlaceholderTitle) {
    const RECT rc = leaf->m_pPlaceholderFloat ? *leaf->m_pPlaceholderFloat : RECT{100, 200, 300, 400};
    WriteTab(w, key, number, leaf->m_placeholderTitle, 3, rc);
  }
}

DWORD SideBytes(const CLayoutBlock* b)
{
  return (static_cast<DWORD>(b->m_nSplitSide & 0xFF) << 8) | (static_cast<DWORD>(b->m_nOwnSide & 0xFF) << 16);
}

void WriteBlock(const Writer& w, const CRegKeyHolder& key, const CLayoutBlock* block, int depth)
{
  const float ratio = block->m_fRatio > 0 ? block->m_fRatio : 0.0f;
  key.WriteDword("RATIO", static_cast<DWORD>(std::min(ratio * 1000.0f, 4.0e9f)));
  key.WriteDword("MISC", SideBytes(block));
  if (depth >= kMaxDepth)
    return;
  if (block->m_pFirst) {
    CRegKeyHolder child;
    if (child.Create(key.Get(), "LEFTBLOCK") == ERROR_SUCCESS)
      WriteBlock(w, child, block->m_pFirst, depth + 1);
  }
  if (block->m_pSecond) {
    CRegKeyHolder child;
    if (child.Create(key.Get(), "RIGHTBLOCK") == ERROR_SUCCESS)
      WriteBlock(w, child, block->m_pSecond, depth + 1);
  }
  if (block->IsLeaf())
    WriteTabs(w, key, block);
}

void WriteRow(const Writer& w, const CRegKeyHolder& rowKey, const CLayoutBlock* root)
{
  int number = 0;
  DWORD lastMisc = SideBytes(root);
  int guard = 0;
  for (const CLayoutBlock* chain = root; chain && guard < kMaxRowBlocks; chain = chain->m_pSecond, ++guard) {
    // A pane that took its place holds the chain block itself; otherwise the stored values
    // sit in the first child (the last block of the chain has none).
    const CLayoutBlock* entry = chain->m_pPane ? chain : (chain->m_pFirst ? chain->m_pFirst : chain);
    const CPaneBase* pane = CPaneBase::IsLive(entry->m_pPane) ? entry->m_pPane : nullptr;
    if (!pane && !entry->m_bHasPlaceholderTitle)
      continue;
    CRegKeyHolder key;
    if (key.Create(rowKey.Get(), Numbered("BLOCK", number)) != ERROR_SUCCESS)
      continue;
    ++number;
    const DWORD side = static_cast<DWORD>(chain->m_nSplitSide & 0xFF) << 8;
    if (pane) {
      const RECT sr = pane->GetScreenRect();
      const bool visible = pane->IsShown();
      key.WriteString("WINDOWTITLE", w.nameOf(pane).substr(0, 127));
      key.WriteInt("DOCKLEFT", sr.left);
      key.WriteInt("DOCKTOP", sr.top);
      key.WriteInt("DOCKWIDTH", pane->m_nDockedWidth > 0 ? pane->m_nDockedWidth : RectWidth(sr));
      key.WriteInt("DOCKHEIGHT", pane->m_nDockedHeight > 0 ? pane->m_nDockedHeight : RectHeight(sr));
      WriteRect(key, pane->m_rcFloat);
      key.WriteInt("VISIBLE", visible ? 1 : 0);
      key.WriteInt("FDTYPE", pane->IsFormPane() ? 0 : 1);
      const bool flag = (visible && pane->m_bFloating) || (!visible && !ContainerOf(pane));
      lastMisc = side | (flag ? 1 : 0);
    } else {
      key.WriteString("WINDOWTITLE", entry->m_placeholderTitle.substr(0, 127));
      key.WriteInt("DOCKLEFT", entry->m_placeholderPos.x);
      key.WriteInt("DOCKTOP", entry->m_placeholderPos.y);
      key.WriteInt("DOCKWIDTH", entry->m_defaultSize.cx);
      key.WriteInt("DOCKHEIGHT", entry->m_defaultSize.cy);
      WriteRect(key, entry->m_pPlaceholderFloat ? *entry->m_pPlaceholderFloat : RECT{100, 200, 300, 400});
      key.WriteInt("VISIBLE", (entry->m_nRestore & kRowVisibleBit) ? 1 : 0);
      key.WriteInt("FDTYPE", entry->m_nPlaceholderExtra);
      lastMisc = side | static_cast<DWORD>(entry->m_nRestore & 1);
    }
    key.WriteDword("MISC", lastMisc);
  }
  rowKey.WriteDword("MISC", SideBytes(root));
}

// Position of section among the saved sections of its side: an unsaved neighbour is
// represented by the nearest saved one before it.
int SavedIndex(CDockFrameBase& frame, int side, const CDockSection* section)
{
  if (!section)
    return -1;
  int saved = -1;
  for (int i = 0; i < frame.SectionCount(side); ++i) {
    const CDockSection* s = frame.SectionAt(side, i);
    if (CLayoutBlock::HasSavableContent(s->m_pRoot)) ++saved;
    if (s == section) return saved;
  }
  return -1;
}

int SaveSection(const Writer& w, const CRegKeyHolder& sideKey, int number, CDockSection* section, int side)
{
  if (!section || !CLayoutBlock::HasSavableContent(section->m_pRoot))
    return number;
  CRegKeyHolder key;
  if (key.Create(sideKey.Get(), Numbered("SEC", number)) != ERROR_SUCCESS)
    return number;
  key.WriteInt("WIDTH", RectWidth(section->m_rc));
  key.WriteInt("HEIGHT", RectHeight(section->m_rc));
  const bool main = w.frame->m_bMainFrame != 0;
  key.WriteInt("LTNEIBOR", main ? SavedIndex(*w.frame, StartNeighbourSide(side), section->m_pStartNeighbour) : -1);
  key.WriteInt("RBNEIBOR", main ? SavedIndex(*w.frame, EndNeighbourSide(side), section->m_pEndNeighbour) : -1);
  key.WriteInt("SECTIONID", section->m_bRow ? 1 : 0);
  CRegKeyHolder root;
  if (root.Create(key.Get(), "ROOTBLOCK") == ERROR_SUCCESS) {
    if (section->m_bRow)
      WriteRow(w, root, section->m_pRoot);
    else
      WriteBlock(w, root, section->m_pRoot, 0);
  }
  return number + 1;
}

// ---- reading --------------------------------------------------------------------------

void MarkVacant(CLayoutBlock* b)
{
  if (!b) return;
  b->m_bVacant = true;
  MarkVacant(b->m_pFirst);
  MarkVacant(b->m_pSecond);
}

int ReadIntOr(const CRegKeyHolder& key, const char* name, int fallback)
{
  int v;
  return key.ReadInt(name, v) ? v : fallback;
}

void ReadTabs(const CRegKeyHolder& key, CLayoutBlock* leaf, bool main)
{
  for (int i = 0; i < kMaxTabs; ++i) {
    CRegKeyHolder tab;
    if (tab.Open(key.Get(), Numbered("TAB", i)) != ERROR_SUCCESS)
      break;
    std::string title;
    if (!tab.ReadString("WINDOWTITLE", title) || title.empty())
      continue;  // nothing could ever claim it
    const int misc = ReadIntOr(tab, "MISC", 0);
    int x = 0, y = 0, width = 0, height = 0;
    if (main) {
      x = ReadIntOr(tab, "LEFT", 0);
      y = ReadIntOr(tab, "TOP", 0);
      width = ReadIntOr(tab, "RIGHT", 0) - x;
      height = ReadIntOr(tab, "BOTTOM", 0) - y;
    }
    leaf->AddTabSlot(title, misc, POINT{x, y}, width, height);
  }
}

void ReadSides(CLayoutBlock* block, DWORD misc)
{
  const int split = static_cast<int>((misc >> 8) & 0xFF);
  const int own = static_cast<int>((misc >> 16) & 0xFF);
  if (split <= 3) block->m_nSplitSide = split;
  if (own <= 3) block->m_nOwnSide = own;
}

void ReadBlock(const CRegKeyHolder& key, CLayoutBlock* block, bool main, int depth)
{
  DWORD ratio = 0;
  const float r = key.ReadDword("RATIO", ratio) ? static_cast<float>(ratio * 0.001) : 0.0f;
  block->m_fRatio = r > 0 ? r : 1.0f;
  DWORD misc = 0;
  if (key.ReadDword("MISC", misc)) {
    ReadSides(block, misc);
    block->m_nRestore = static_cast<int>(misc & 1);
  }
  CRegKeyHolder left, right;
  const bool hasLeft = depth < kMaxDepth && left.Open(key.Get(), "LEFTBLOCK") == ERROR_SUCCESS;
  const bool hasRight = depth < kMaxDepth && right.Open(key.Get(), "RIGHTBLOCK") == ERROR_SUCCESS;
  if (!hasLeft && !hasRight) {
    ReadTabs(key, block, main);
    return;
  }
  const bool stacked = IsStacked(block->m_nSplitSide);
  auto child = [&](const CRegKeyHolder& k, bool first) {
    auto* b = new CLayoutBlock();
    b->m_pParent = block;
    b->m_nOwnSide = first ? (stacked ? 1 : 0) : (stacked ? 3 : 2);
    (first ? block->m_pFirst : block->m_pSecond) = b;
    ReadBlock(k, b, main, depth + 1);
    // A child must lie along its parent's axis.
    if (IsStacked(b->m_nOwnSide) != stacked)
      b->m_nOwnSide = first ? (stacked ? 1 : 0) : (stacked ? 3 : 2);
  };
  if (hasLeft) child(left, true);
  if (hasRight) child(right, false);
}

// Pane values of one toolbar-row entry; false when it carries no title.
bool ReadRowEntry(const CRegKeyHolder& key, CLayoutBlock* b)
{
  DWORD misc = 0;
  if (key.ReadDword("MISC", misc)) {
    const int split = static_cast<int>((misc >> 8) & 0xFF);
    if (split <= 3) b->m_nSplitSide = split;
    b->m_nRestore = static_cast<int>(misc & 1);
  }
  std::string title;
  if (!key.ReadString("WINDOWTITLE", title) || title.empty())
    return false;
  b->m_placeholderTitle = title;
  b->m_bHasPlaceholderTitle = true;
  b->m_pPlaceholderFloat = std::make_unique<RECT>(RECT{ReadIntOr(key, "LEFT", 0), ReadIntOr(key, "TOP", 0),
                                                      ReadIntOr(key, "RIGHT", 0), ReadIntOr(key, "BOTTOM", 0)});
  b->m_defaultSize = SIZE{std::clamp(ReadIntOr(key, "DOCKWIDTH", 0), 0, kMaxExtent),
                          std::clamp(ReadIntOr(key, "DOCKHEIGHT", 0), 0, kMaxExtent)};
  b->m_placeholderPos = POINT{ReadIntOr(key, "DOCKLEFT", 0), ReadIntOr(key, "DOCKTOP", 0)};
  if (ReadIntOr(key, "VISIBLE", 0) != 0) b->m_nRestore |= kRowVisibleBit;
  b->m_nPlaceholderExtra = ReadIntOr(key, "FDTYPE", -1);
  return true;
}

void CopyRowEntry(const CLayoutBlock* from, CLayoutBlock* to)
{
  to->m_nSplitSide = from->m_nSplitSide;
  to->m_nRestore = from->m_nRestore;
  to->m_placeholderTitle = from->m_placeholderTitle;
  to->m_bHasPlaceholderTitle = from->m_bHasPlaceholderTitle;
  if (from->m_pPlaceholderFloat) to->m_pPlaceholderFloat = std::make_unique<RECT>(*from->m_pPlaceholderFloat);
  to->m_defaultSize = from->m_defaultSize;
  to->m_placeholderPos = from->m_placeholderPos;
  to->m_nPlaceholderExtra = from->m_nPlaceholderExtra;
}

void ReadRow(const CRegKeyHolder& key, CLayoutBlock* root)
{
  CLayoutBlock* last = nullptr;
  for (int n = 0; n < kMaxRowBlocks; ++n) {
    CRegKeyHolder entry;
    if (entry.Open(key.Get(), Numbered("BLOCK", n)) != ERROR_SUCCESS)
      break;
    if (!last) {
      ReadRowEntry(entry, root);
      last = root;
      continue;
    }
    // The entry so far moves into a first child; the next entry hangs on as successor.
    auto* copy = new CLayoutBlock();
    CopyRowEntry(last, copy);
    copy->m_pParent = last;
    last->m_pFirst = copy;
    auto* next = new CLayoutBlock();
    next->m_pParent = last;
    last->m_pSecond = next;
    ReadRowEntry(entry, next);
    last = next;
  }
}

struct Record {
  std::unique_ptr<CLayoutBlock> root = std::make_unique<CLayoutBlock>();
  int width = 0, height = 0;
  int lt = -1, rb = -1;
  bool row = false;
};

LONG ReadRectValues(const CRegKeyHolder& key, RECT& rc)
{
  int l, t, r, b;
  if (!key.ReadInt("LEFT", l) || !key.ReadInt("TOP", t) || !key.ReadInt("RIGHT", r) || !key.ReadInt("BOTTOM", b))
    return ERROR_FILE_NOT_FOUND;
  rc = RECT{l, t, r, b};
  return ERROR_SUCCESS;
}

void ToVectors(const std::vector<Record>& recs, bool lt, std::vector<int>& out)
{
  out.clear();
  for (const Record& r : recs) out.push_back(lt ? r.lt : r.rb);
}
void FromVectors(std::vector<Record>& recs, bool lt, const std::vector<int>& in)
{
  for (size_t i = 0; i < recs.size(); ++i) (lt ? recs[i].lt : recs[i].rb) = in[i];
}

void RepairPair(std::vector<Record>& p, bool pLt, std::vector<Record>& q, bool qLt)
{
  std::vector<int> a, b;
  ToVectors(p, pLt, a);
  ToVectors(q, qLt, b);
  NeighbourRepair::Repair(a, b);
  FromVectors(p, pLt, a);
  FromVectors(q, qLt, b);
}

LONG ReadFrame(const LoadRequest& req, const CRegKeyHolder& key, CDockFrameBase& frame, bool main)
{
  RECT rc;
  if (LONG e = ReadRectValues(key, rc))
    return e;
  if (main) {
    if (req.moveHost) req.moveHost(SaneHostRect(rc));
  } else if (req.setFloatRect) {
    req.setFloatRect(&frame, SaneFloatRect(rc));
  }
  std::vector<Record> recs[4];
  const int sides = main ? 4 : 1;
  for (int side = 0; side < sides; ++side) {
    CRegKeyHolder sideKey;
    if (sideKey.Open(key.Get(), kSideKeys[side]) != ERROR_SUCCESS)
      continue;
    const int limit = main ? kMaxSections : 1;
    for (int i = 0; i < limit; ++i) {
      CRegKeyHolder sec;
      if (sec.Open(sideKey.Get(), Numbered("SEC", i)) != ERROR_SUCCESS)
        break;
      Record r;
      r.width = std::clamp(ReadIntOr(sec, "WIDTH", 0), 0, kMaxExtent);
      r.height = std::clamp(ReadIntOr(sec, "HEIGHT", 0), 0, kMaxExtent);
      r.lt = std::max(-1, ReadIntOr(sec, "LTNEIBOR", -1));
      r.rb = std::max(-1, ReadIntOr(sec, "RBNEIBOR", -1));
      if (!recs[side].empty()) {
        r.lt = std::max(r.lt, recs[side].back().lt);
        r.rb = std::max(r.rb, recs[side].back().rb);
      }
      int id = -1;
      CRegKeyHolder rootKey;
      if (sec.ReadInt("SECTIONID", id) && rootKey.Open(sec.Get(), "ROOTBLOCK") == ERROR_SUCCESS) {
        if (id == 1) {
          r.row = true;
          ReadRow(rootKey, r.root.get());
        } else if (id == 0) {
          ReadBlock(rootKey, r.root.get(), main, 0);
        }
      }
      recs[side].push_back(std::move(r));
    }
  }
  if (main) {
    RepairPair(recs[0], true, recs[1], true);
    RepairPair(recs[0], false, recs[3], true);
    RepairPair(recs[2], true, recs[1], false);
    RepairPair(recs[2], false, recs[3], false);
  }
  int existing[4];
  for (int side = 0; side < 4; ++side) existing[side] = frame.SectionCount(side);
  std::vector<std::pair<CDockSection*, const Record*>> made;
  for (int side = 0; side < sides; ++side)
    for (size_t e = 0; e < recs[side].size(); ++e) {
      Record& r = recs[side][e];
      CDockSection* section = nullptr;
      if (r.row) {
        section = req.makeRow ? req.makeRow(side) : nullptr;
        if (!section) {
          section = new CDockSection();
          section->m_bRow = 1;
          section->m_nSplitterWidth = 0;
        }
      } else {
        section = new CDockSection();
      }
      section->m_rc = RECT{0, 0, r.width, r.height};
      delete section->m_pRoot;
      section->m_pRoot = r.root.release();
      MarkVacant(section->m_pRoot);
      frame.m_pSides[side]->InsertAt(section, existing[side] + static_cast<int>(e));
      made.emplace_back(section, &r);
    }
  if (main)
    for (auto& [section, r] : made) {
      int side = 0;
      while (side < 4 && frame.FindSectionIndex(side, section) < 0) ++side;
      const int startSide = StartNeighbourSide(side), endSide = EndNeighbourSide(side);
      section->m_pStartNeighbour = r->lt >= 0 ? frame.SectionAt(startSide, existing[startSide] + r->lt) : nullptr;
      section->m_pEndNeighbour = r->rb >= 0 ? frame.SectionAt(endSide, existing[endSide] + r->rb) : nullptr;
    }
  return ERROR_SUCCESS;
}

bool FindInBlock(CLayoutBlock* b, const std::string& name, SavedPlace& place, int depth = 0)
{
  if (!b || depth > 2 * kMaxDepth + kMaxRowBlocks)
    return false;
  if (b->m_pSlots)
    for (const TabSlot& s : *b->m_pSlots)
      if (s.hasTitle && SameName(s.title, name)) {
        place.block = b;
        place.misc = s.misc;
        place.rect = SlotRect(s);
        return true;
      }
  if (b->m_bHasPlaceholderTitle && SameName(b->m_placeholderTitle, name) && !b->m_pPane) {
    place.block = b;
    place.misc = (b->m_nRestore & kRowVisibleBit) ? 1 : 0;
    place.rect = b->m_pPlaceholderFloat ? *b->m_pPlaceholderFloat : RECT{100, 200, 300, 400};
    return true;
  }
  return FindInBlock(b->m_pFirst, name, place, depth + 1) || FindInBlock(b->m_pSecond, name, place, depth + 1);
}

}  // namespace

RECT SaneHostRect(RECT rc)
{
  if (rc.left >= rc.right || rc.right < 0) { rc.left = 0; rc.right = 600; }
  if (rc.top >= rc.bottom || rc.bottom <= 0) { rc.top = 0; rc.bottom = 400; }
  return rc;
}

RECT SaneFloatRect(RECT rc)
{
  if (rc.right < 0 || rc.right - rc.left < 15) { rc.left = 100; rc.right = 300; }
  if (rc.bottom < 0 || rc.bottom - rc.top < 15) { rc.top = 100; rc.bottom = 300; }
  return rc;
}

LONG Save(const SaveRequest& req)
{
  if (!req.main)
    return ERROR_INVALID_PARAMETER;
  CRegKeyHolder software;
  if (LONG e = software.Open(req.root, "Software", CRegKeyHolder::kRead))
    return e;
  CRegKeyHolder layout;
  if (LONG e = layout.Create(software.Get(), req.key.empty() ? kDefaultKey : req.key))
    return e;
  WriteRect(layout, req.hostRect);
  if (LONG e = layout.WriteDword(kVersionValue, kVersion))
    return e;
  NameFn nameOf = req.nameOf ? req.nameOf : NameFn([](const CPaneBase* p) { return p->m_title; });
  const Writer main{req.main, nameOf};
  for (int side = 0; side < 4; ++side) {
    layout.DeleteTree(kSideKeys[side]);
    CRegKeyHolder sideKey;
    if (sideKey.Create(layout.Get(), kSideKeys[side]) != ERROR_SUCCESS)
      continue;
    int number = 0;
    for (int i = 0; i < req.main->SectionCount(side); ++i)
      number = SaveSection(main, sideKey, number, req.main->SectionAt(side, i), side);
  }
  layout.DeleteTree("MINIFRAME");
  CRegKeyHolder minis;
  if (minis.Create(layout.Get(), "MINIFRAME") != ERROR_SUCCESS)
    return ERROR_SUCCESS;
  int number = 0;
  for (const FloatingFrame& f : req.floats) {
    if (!f.frame || f.frame->SectionCount(0) != 1 || !CLayoutBlock::HasSavableContent(f.frame->SectionAt(0, 0)->m_pRoot))
      continue;
    CRegKeyHolder mini;
    if (mini.Create(minis.Get(), Numbered("MINI", number)) != ERROR_SUCCESS)
      continue;
    ++number;
    WriteRect(mini, f.rect);
    CRegKeyHolder left;
    if (left.Create(mini.Get(), kSideKeys[0]) == ERROR_SUCCESS)
      SaveSection(Writer{f.frame, nameOf}, left, 0, f.frame->SectionAt(0, 0), 0);
  }
  return ERROR_SUCCESS;
}

LONG Load(const LoadRequest& req)
{
  if (!req.main)
    return ERROR_INVALID_PARAMETER;
  CRegKeyHolder software, layout;
  if (LONG e = software.Open(req.root, "Software", CRegKeyHolder::kRead))
    return e;
  if (LONG e = layout.Open(software.Get(), req.key.empty() ? kDefaultKey : req.key, CRegKeyHolder::kRead))
    return e;
  DWORD version = 0;
  if (!layout.ReadDword(kVersionValue, version))
    return ERROR_FILE_NOT_FOUND;
  int before[4];
  for (int side = 0; side < 4; ++side) before[side] = req.main->SectionCount(side);
  if (LONG e = ReadFrame(req, layout, *req.main, true))
    return e;
  for (const std::string& name : req.attachedNames) {
    SavedPlace place;
    if (FindBlockByTitle(*req.main, name, place, before))
      req.main->RemovePaneFromSection(place.block, nullptr, name.c_str(), place.side, place.index);
  }
  std::vector<CDockFrameBase*> loaded;
  CRegKeyHolder minis;
  if (req.makeFloating && minis.Open(layout.Get(), "MINIFRAME", CRegKeyHolder::kAll) == ERROR_SUCCESS) {
    for (int n = 0; n < kMaxFrames; ++n) {
      CRegKeyHolder mini;
      if (mini.Open(minis.Get(), Numbered("MINI", n), CRegKeyHolder::kAll) != ERROR_SUCCESS)
        break;
      CDockFrameBase* frame = req.makeFloating();
      if (!frame)
        break;
      // A frame that holds nothing it could show is of no use.
      if (ReadFrame(req, mini, *frame, false) != ERROR_SUCCESS || frame->SectionCount(0) != 1 ||
          !CLayoutBlock::HasSavableContent(frame->SectionAt(0, 0)->m_pRoot)) {
        if (req.dropFloating) req.dropFloating(frame);
        continue;
      }
      loaded.push_back(frame);
    }
  }
  for (const std::string& name : req.attachedNames)
    for (size_t i = 0; i < loaded.size(); ++i) {
      CDockFrameBase* frame = loaded[i];
      SavedPlace place;
      if (frame->SectionCount(0) != 1 || !FindBlockByTitle(*frame, name, place))
        continue;
      frame->RemovePaneFromSection(place.block, nullptr, name.c_str(), place.side, place.index);
      if (frame->SectionCount(0) == 0) {
        if (req.dropFloating) req.dropFloating(frame);
        loaded.erase(loaded.begin() + static_cast<long>(i));
      }
      break;
    }
  return ERROR_SUCCESS;
}

bool FindBlockByTitle(CDockFrameBase& frame, const std::string& name, SavedPlace& place, const int firstIndex[4])
{
  if (name.empty())
    return false;
  for (int side = 0; side < 4; ++side)
    for (int i = firstIndex ? std::max(0, firstIndex[side]) : 0; i < frame.SectionCount(side); ++i)
      if (FindInBlock(frame.SectionAt(side, i)->m_pRoot, name, place)) {
        place.side = side;
        place.index = i;
        return true;
      }
  return false;
}

bool ClaimSavedPlace(CDockFrameBase& frame, CPaneBase* pane, const std::string& name, SavedPlace* found)
{
  SavedPlace place;
  if (!pane || !FindBlockByTitle(frame, name, place))
    return false;
  if (found) *found = place;
  CLayoutBlock* block = place.block;
  if (block->m_pSlots)
    for (TabSlot& s : *block->m_pSlots)
      if (s.hasTitle && SameName(s.title, name) && !s.pane) { s.pane = pane; break; }
  if (RectWidth(place.rect) > 10 && RectHeight(place.rect) > 10)
    pane->m_rcFloat = place.rect;
  pane->m_pBlock = block;
  pane->m_nSide = place.side;
  pane->m_nSectionIndex = place.index;
  const bool unpinned = (place.misc & 8) != 0;
  const bool shown = (place.misc & 1) != 0 || (place.misc & 4) != 0;
  const CDockSection* section = frame.SectionAt(place.side, place.index);
  // A toolbar row places its panes itself; a dock section is given the pane here.
  if (unpinned || !shown || (section && section->m_bRow)) {
    // Keeps its place without showing; the pane decides whether it goes to its strip.
    pane->m_pFrame = &frame;
    pane->m_bUnpinned = unpinned;
    return true;
  }
  CPaneBase* selected = block->m_pPane && !block->m_bVacant ? block->m_pPane : nullptr;
  frame.DockPane(pane, 0, nullptr);
  // A tab that was not the shown one joins behind the shown one.
  if (selected && selected != pane && (place.misc & 1) == 0 && block->m_pTabStrip)
    block->m_pTabStrip->SelectPane(selected);
  return true;
}

}  // namespace LayoutStore
