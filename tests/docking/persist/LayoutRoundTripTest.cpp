#include <gtest/gtest.h>

#include <algorithm>

#include "LayoutTestSupport.h"
#include "docking/LayoutInvariants.h"
#include "docking/layout/LayoutBlock.h"
#include "docking/layout/TabStrip.h"

using namespace layouttest;

namespace {

// Saves f, clears it, loads it back and lets the panes claim their places in order.
std::string RoundTrip(Frame& f, const std::vector<FakePane*>& panes, const char* hint, bool reverse = false)
{
  ScratchLayout key(hint);
  EXPECT_EQ(LayoutStore::Save(SaveOf(key, f)), ERROR_SUCCESS);
  Clear(f);
  Forget(panes);
  RECT host{};
  EXPECT_EQ(LoadInto(key, f, nullptr, &host), ERROR_SUCCESS);
  EXPECT_EQ(Dump(host), "10,20,810,620");
  std::vector<FakePane*> order = panes;
  if (reverse) std::reverse(order.begin(), order.end());
  for (FakePane* p : order)
    EXPECT_TRUE(LayoutStore::ClaimSavedPlace(f, p, p->m_title)) << p->m_title;
  EXPECT_EQ(CheckLayout(f), "");
  return Dump(f, panes);
}

}  // namespace

TEST(LayoutRoundTrip, OnePanePerSide)
{
  Frame f;
  FakePane left("Installed Fonts", 180, 100), top("Properties", 100, 40), right("Font Properties", 220, 100),
      bottom("Information", 100, 130);
  Dock(f, left, 0);
  Dock(f, top, 1);
  Dock(f, right, 2);
  Dock(f, bottom, 3);
  ASSERT_EQ(CheckLayout(f), "");
  const std::vector<FakePane*> panes{&left, &top, &right, &bottom};
  const std::string before = Dump(f, panes);
  EXPECT_EQ(RoundTrip(f, panes, "sides"), before);
  // Forms attach in their own order: the layout comes out the same.
  EXPECT_EQ(RoundTrip(f, panes, "sides", true), before);
}

TEST(LayoutRoundTrip, SplitsAndTabsKeepRatiosAndTabOrder)
{
  Frame f;
  FakePane a("Installed Fonts", 200, 100), b("Viewer settings"), c("Font Browser"), d("Information", 100, 150),
      e("Glyphs");
  Dock(f, a, 0);
  SplitBeside(f, &a, &b, 3);
  b.m_pBlock->AddPaneAsTab(&c, false);
  Dock(f, d, 3);
  SplitBeside(f, &d, &e, 2);
  ASSERT_EQ(CheckLayout(f), "");
  const std::vector<FakePane*> panes{&a, &b, &c, &d, &e};
  const float ratio = a.m_pBlock->m_pParent->m_fRatio;
  const std::string before = Dump(f, panes);
  EXPECT_EQ(RoundTrip(f, panes, "tabs"), before);
  EXPECT_NEAR(a.m_pBlock->m_pParent->m_fRatio, ratio, 0.001);
  // The same two tabs, in the same order, the shown one still shown.
  ASSERT_NE(c.m_pBlock, nullptr);
  ASSERT_NE(c.m_pBlock->m_pTabStrip, nullptr);
  EXPECT_EQ(c.m_pBlock->m_pTabStrip->GetPanes(), (std::vector<CPaneBase*>{&b, &c}));
  EXPECT_TRUE(c.m_shown);
  EXPECT_FALSE(b.m_shown);
}

TEST(LayoutRoundTrip, FloatingFrameAndAutoHiddenPane)
{
  Frame f;
  FakePane a("Installed Fonts", 200, 100), hidden("Information", 100, 150), floater("Glyphs");
  Dock(f, a, 0);
  Dock(f, hidden, 3);
  // Unpinned: the pane leaves the layout and its leaf remembers it with the unpinned flag.
  hidden.m_bUnpinned = true;
  f.RememberPane(&hidden);
  f.ReleasePane(&hidden, nullptr);
  ASSERT_EQ(CheckLayout(f), "");

  Frame mini(0, 300, 200);
  floater.m_bFloating = true;
  Dock(mini, floater, 0);
  floater.m_pFloatFrame = &mini;
  floater.m_rcFloat = RECT{40, 50, 340, 250};

  const std::vector<FakePane*> panes{&a, &hidden, &floater};
  const std::string before = Dump(f, {&a, &hidden});
  const std::string floatBefore = Dump(floater.m_rc);

  ScratchLayout key("float");
  LayoutStore::SaveRequest save = SaveOf(key, f);
  save.floats.push_back({&mini, RECT{40, 50, 340, 250}});
  ASSERT_EQ(LayoutStore::Save(save), ERROR_SUCCESS);
  Clear(f);
  mini.ClearAllSections();
  Forget(panes);

  std::vector<std::unique_ptr<Frame>> floats;
  ASSERT_EQ(LoadInto(key, f, &floats), ERROR_SUCCESS);
  ASSERT_EQ(floats.size(), 1u);
  EXPECT_EQ(Dump(floats[0]->floatRect), "40,50,340,250");
  LayoutStore::SavedPlace place;
  EXPECT_TRUE(LayoutStore::ClaimSavedPlace(f, &a, a.m_title));
  EXPECT_TRUE(LayoutStore::ClaimSavedPlace(f, &hidden, hidden.m_title, &place));
  EXPECT_TRUE(place.misc & 8);
  EXPECT_TRUE(hidden.m_bUnpinned);
  EXPECT_FALSE(hidden.m_shown);
  EXPECT_FALSE(LayoutStore::ClaimSavedPlace(f, &floater, floater.m_title));  // not in the main frame
  EXPECT_TRUE(LayoutStore::ClaimSavedPlace(*floats[0], &floater, floater.m_title));
  EXPECT_EQ(Dump(f, {&a, &hidden}), before);
  EXPECT_EQ(Dump(floater.m_rc), floatBefore);
  EXPECT_TRUE(floater.m_shown);
  floats.clear();
  EXPECT_EQ(CheckLayout(f), "");
}

TEST(LayoutRoundTrip, AttachedPanesKeepTheirPlaceAndFramesTheyEmptyGo)
{
  Frame f;
  FakePane a("Installed Fonts", 200, 100), b("Information", 100, 150), floater("Glyphs");
  Dock(f, a, 0);
  Dock(f, b, 3);
  Frame mini(0, 300, 200);
  Dock(mini, floater, 0);
  ScratchLayout key("attached");
  LayoutStore::SaveRequest save = SaveOf(key, f);
  save.floats.push_back({&mini, RECT{40, 50, 340, 250}});
  ASSERT_EQ(LayoutStore::Save(save), ERROR_SUCCESS);

  // Load again on top of the live layout, with every pane still attached.
  std::vector<std::unique_ptr<Frame>> floats;
  ASSERT_EQ(LoadInto(key, f, &floats, nullptr, {"Installed Fonts", "information", "Glyphs"}), ERROR_SUCCESS);
  EXPECT_TRUE(floats.empty());
  LayoutStore::SavedPlace place;
  const int first[4] = {1, 1, 1, 1};
  EXPECT_FALSE(LayoutStore::FindBlockByTitle(f, "Installed Fonts", place, first));
  EXPECT_FALSE(LayoutStore::FindBlockByTitle(f, "Information", place, first));
  mini.ClearAllSections();
  EXPECT_EQ(CheckLayout(f), "");
}
