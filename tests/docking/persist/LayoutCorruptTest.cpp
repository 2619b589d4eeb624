#include <gtest/gtest.h>

#include "LayoutTestSupport.h"
#include "docking/LayoutInvariants.h"
#include "docking/layout/LayoutBlock.h"

using namespace layouttest;

namespace {

void Header(const ScratchLayout& k)
{
  k.Dword("", "LEFT", 0);
  k.Dword("", "TOP", 0);
  k.Dword("", "RIGHT", 800);
  k.Dword("", "BOTTOM", 600);
  k.Dword("", "MLVER1400", 4);
}

// Every neighbour names a section of the right perpendicular list; every side byte is a side.
std::string CheckLinks(const CDockFrameBase& f)
{
  for (int side = 0; side < 4; ++side)
    for (int i = 0; i < f.SectionCount(side); ++i) {
      const CDockSection* s = f.SectionAt(side, i);
      if (s->m_pStartNeighbour && f.FindSectionIndex(StartNeighbourSide(side), s->m_pStartNeighbour) < 0)
        return "bad start neighbour";
      if (s->m_pEndNeighbour && f.FindSectionIndex(EndNeighbourSide(side), s->m_pEndNeighbour) < 0)
        return "bad end neighbour";
      std::vector<const CLayoutBlock*> todo{s->m_pRoot};
      while (!todo.empty()) {
        const CLayoutBlock* b = todo.back();
        todo.pop_back();
        if (!b) continue;
        if (b->m_nSplitSide < 0 || b->m_nSplitSide > 3 || b->m_nOwnSide < 0 || b->m_nOwnSide > 3) return "bad side";
        if (!(b->m_fRatio > 0)) return "bad ratio";
        todo.push_back(b->m_pFirst);
        todo.push_back(b->m_pSecond);
      }
    }
  return "";
}

}  // namespace

TEST(LayoutCorrupt, MissingOrMistypedHeaderLoadsNothing)
{
  Frame f;
  ScratchLayout none("none");
  EXPECT_NE(LoadInto(none, f), ERROR_SUCCESS);  // no key at all

  ScratchLayout k("header");
  Header(k);
  k.Text("", "MLVER1400", "4");  // a version of the wrong type
  k.Dword("LeftSectionsPro\\SEC0", "WIDTH", 100);
  k.Dword("LeftSectionsPro\\SEC0", "SECTIONID", 0);
  k.Text("LeftSectionsPro\\SEC0\\ROOTBLOCK\\TAB0", "WINDOWTITLE", "a");
  EXPECT_NE(LoadInto(k, f), ERROR_SUCCESS);
  EXPECT_EQ(f.SectionCount(0), 0);

  k.Dword("", "MLVER1400", 4);
  k.Text("", "BOTTOM", "600");  // the host rectangle incomplete
  EXPECT_NE(LoadInto(k, f), ERROR_SUCCESS);
  EXPECT_EQ(f.SectionCount(0), 0);

  k.Dword("", "BOTTOM", 600);
  EXPECT_EQ(LoadInto(k, f), ERROR_SUCCESS);
  EXPECT_EQ(f.SectionCount(0), 1);
}

TEST(LayoutCorrupt, OutOfRangeSidesIndicesAndWrongTypesLoadHarmlessly)
{
  ScratchLayout k("range");
  Header(k);
  // Left: a section with mistyped sizes, neighbours far outside, a split with bogus side
  // bytes and a ratio of the wrong type.
  k.Text("LeftSectionsPro\\SEC0", "WIDTH", "wide");
  k.Dword("LeftSectionsPro\\SEC0", "HEIGHT", 0xFFFFFFF0u);
  k.Dword("LeftSectionsPro\\SEC0", "LTNEIBOR", 99);
  k.Dword("LeftSectionsPro\\SEC0", "RBNEIBOR", static_cast<DWORD>(-7));
  k.Dword("LeftSectionsPro\\SEC0", "SECTIONID", 0);
  const std::string root = "LeftSectionsPro\\SEC0\\ROOTBLOCK";
  k.Put(root, "RATIO", REG_BINARY, "\1\2\3\4", 4);
  k.Dword(root, "MISC", 0x00C8FF01u);  // sides 255 and 200
  k.Dword(root + "\\LEFTBLOCK", "MISC", 0x00070900u);
  k.Text(root + "\\LEFTBLOCK\\TAB0", "WINDOWTITLE", "Installed Fonts");
  k.Dword(root + "\\LEFTBLOCK\\TAB0", "MISC", 5);
  k.Dword(root + "\\RIGHTBLOCK", "RATIO", 0);
  k.Dword(root + "\\RIGHTBLOCK\\TAB0", "WINDOWTITLE", 12);  // a title that is a number
  k.Text(root + "\\RIGHTBLOCK\\TAB1", "WINDOWTITLE", "Viewer settings");
  k.Dword(root + "\\RIGHTBLOCK\\TAB1", "MISC", 5);
  // Top: a second section whose links point backwards and a section with an unknown id.
  k.Dword("TopSectionsPro\\SEC0", "WIDTH", 300);
  k.Dword("TopSectionsPro\\SEC0", "HEIGHT", 50);
  k.Dword("TopSectionsPro\\SEC0", "LTNEIBOR", 3);
  k.Dword("TopSectionsPro\\SEC0", "SECTIONID", 7);
  k.Dword("TopSectionsPro\\SEC0\\ROOTBLOCK", "MISC", 0);
  k.Dword("TopSectionsPro\\SEC1", "HEIGHT", 60);
  k.Dword("TopSectionsPro\\SEC1", "LTNEIBOR", 0);
  k.Dword("TopSectionsPro\\SEC1", "SECTIONID", 0);
  k.Text("TopSectionsPro\\SEC1\\ROOTBLOCK\\TAB0", "WINDOWTITLE", "Properties");
  k.Dword("TopSectionsPro\\SEC1\\ROOTBLOCK\\TAB0", "MISC", 5);
  // A floating frame without a rectangle and one whose section is a number.
  k.Dword("MINIFRAME\\MINI0", "LEFT", 5);
  k.Dword("MINIFRAME\\MINI1", "LEFT", 5);
  k.Dword("MINIFRAME\\MINI1", "TOP", 5);
  k.Dword("MINIFRAME\\MINI1", "RIGHT", 500);
  k.Dword("MINIFRAME\\MINI1", "BOTTOM", 500);
  k.Dword("MINIFRAME\\MINI1\\LeftSectionsPro\\SEC0", "SECTIONID", 0);

  Frame f;
  std::vector<std::unique_ptr<Frame>> floats;
  ASSERT_EQ(LoadInto(k, f, &floats), ERROR_SUCCESS);
  EXPECT_TRUE(floats.empty());
  ASSERT_EQ(f.SectionCount(0), 1);
  ASSERT_EQ(f.SectionCount(1), 2);
  EXPECT_EQ(CheckLinks(f), "");
  const CDockSection* left = f.SectionAt(0, 0);
  EXPECT_EQ(left->m_rc.right, 0);
  EXPECT_LE(left->m_rc.bottom, 32000);
  EXPECT_EQ(left->m_pRoot->m_nSplitSide, 1);  // out-of-range sides keep their defaults
  EXPECT_EQ(left->m_pRoot->m_pFirst->m_nOwnSide, 1);
  EXPECT_FLOAT_EQ(left->m_pRoot->m_pSecond->m_fRatio, 1.0f);  // RATIO 0
  ASSERT_TRUE(left->m_pRoot->m_pSecond->m_pSlots);
  EXPECT_EQ(left->m_pRoot->m_pSecond->m_pSlots->size(), 1u);  // the numeric title is skipped

  FakePane a("Installed Fonts"), b("Viewer settings"), c("Properties", 100, 40);
  for (FakePane* p : {&a, &b, &c}) EXPECT_TRUE(LayoutStore::ClaimSavedPlace(f, p, p->m_title)) << p->m_title;
  EXPECT_EQ(CheckLayout(f), "");
  EXPECT_TRUE(a.m_shown && b.m_shown && c.m_shown);
}

TEST(LayoutCorrupt, MissingValuesTakeDefaultsNotThePreviousEntrys)
{
  ScratchLayout k("defaults");
  Header(k);
  k.Dword("LeftSectionsPro\\SEC0", "WIDTH", 150);
  k.Dword("LeftSectionsPro\\SEC0", "SECTIONID", 0);
  const std::string leaf = "LeftSectionsPro\\SEC0\\ROOTBLOCK";
  k.Text(leaf + "\\TAB0", "WINDOWTITLE", "first");
  k.Dword(leaf + "\\TAB0", "MISC", 13);
  k.Dword(leaf + "\\TAB0", "LEFT", 10);
  k.Dword(leaf + "\\TAB0", "TOP", 20);
  k.Dword(leaf + "\\TAB0", "RIGHT", 310);
  k.Dword(leaf + "\\TAB0", "BOTTOM", 220);
  k.Text(leaf + "\\TAB1", "WINDOWTITLE", "second");
  // A second section with nothing but its id: no sizes, no neighbours of the first.
  k.Dword("LeftSectionsPro\\SEC1", "SECTIONID", 0);
  k.Text("LeftSectionsPro\\SEC1\\ROOTBLOCK\\TAB0", "WINDOWTITLE", "third");

  Frame f;
  ASSERT_EQ(LoadInto(k, f), ERROR_SUCCESS);
  ASSERT_EQ(f.SectionCount(0), 2);
  const auto& slots = *f.SectionAt(0, 0)->m_pRoot->m_pSlots;
  ASSERT_EQ(slots.size(), 2u);
  EXPECT_EQ(slots[0].misc, 13);
  EXPECT_EQ(slots[0].width, 300);
  EXPECT_EQ(slots[1].misc, 0);
  EXPECT_EQ(slots[1].left, 0);
  EXPECT_EQ(slots[1].width, 200);
  EXPECT_EQ(f.SectionAt(0, 1)->m_rc.right, 0);
  // A slot saved hidden keeps its place without showing.
  FakePane second("second");
  EXPECT_TRUE(LayoutStore::ClaimSavedPlace(f, &second, "SECOND"));
  EXPECT_FALSE(second.m_shown);
  f.UpdateClientRect(nullptr);
  EXPECT_EQ(CheckLayout(f), "");
}

TEST(LayoutCorrupt, HostAndFloatRectanglesAreMadeSane)
{
  EXPECT_EQ(Dump(LayoutStore::SaneHostRect(RECT{10, 10, 5, 5})), "0,0,600,400");
  EXPECT_EQ(Dump(LayoutStore::SaneHostRect(RECT{-900, 10, -100, 500})), "0,10,600,500");
  EXPECT_EQ(Dump(LayoutStore::SaneFloatRect(RECT{50, 50, 60, 300})), "100,50,300,300");
  EXPECT_EQ(Dump(LayoutStore::SaneFloatRect(RECT{50, 50, 300, -4})), "50,100,300,300");
}
