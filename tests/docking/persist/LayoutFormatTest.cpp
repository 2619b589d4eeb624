#include <gtest/gtest.h>

#include "LayoutTestSupport.h"
#include "docking/framework/PointerArray.h"
#include "docking/layout/LayoutBlock.h"
#include "docking/persist/LayoutName.h"
#include "docking/persist/NeighbourRepair.h"

using namespace layouttest;

TEST(LayoutFormat, SavedValuesAndContiguousSectionNumbers)
{
  ScratchLayout k("format");
  // Left-overs of an older, longer layout must go.
  k.Dword("LeftSectionsPro\\SEC7\\ROOTBLOCK\\LEFTBLOCK\\LEFTBLOCK", "RATIO", 5);
  Frame f;
  FakePane a("Installed Fonts", 200, 100), b("Viewer settings"), c("Information", 100, 150);
  a.m_rcFloat = RECT{11, 12, 211, 312};
  Dock(f, a, 0);
  SplitBeside(f, &a, &b, 3);
  // A section that shows nothing between two that do.
  auto* empty = new CDockSection();
  empty->m_pRoot = new CLayoutBlock();
  empty->m_pRoot->m_bVacant = true;
  f.m_pSides[0]->Add(empty);
  Dock(f, c, 0);
  ASSERT_EQ(f.SectionCount(0), 3);
  ASSERT_EQ(LayoutStore::Save(SaveOf(k, f)), ERROR_SUCCESS);

  DWORD v = 0;
  ASSERT_TRUE(k.ReadDword("", "MLVER1400", v));
  EXPECT_EQ(v, 4u);
  ASSERT_TRUE(k.ReadDword("", "RIGHT", v));
  EXPECT_EQ(v, 810u);
  EXPECT_TRUE(k.Exists("LeftSectionsPro\\SEC0"));
  EXPECT_TRUE(k.Exists("LeftSectionsPro\\SEC1"));  // the single-pane section after the gap
  EXPECT_FALSE(k.Exists("LeftSectionsPro\\SEC2"));
  EXPECT_FALSE(k.Exists("LeftSectionsPro\\SEC7"));
  EXPECT_TRUE(k.Exists("MINIFRAME"));
  ASSERT_TRUE(k.ReadDword("LeftSectionsPro\\SEC0", "WIDTH", v));
  EXPECT_EQ(v, 200u);
  ASSERT_TRUE(k.ReadDword("LeftSectionsPro\\SEC0", "SECTIONID", v));
  EXPECT_EQ(v, 0u);
  const std::string root = "LeftSectionsPro\\SEC0\\ROOTBLOCK";
  ASSERT_TRUE(k.ReadDword(root, "RATIO", v));
  EXPECT_EQ(v, static_cast<DWORD>(a.m_pBlock->m_pParent->m_fRatio * 1000));
  ASSERT_TRUE(k.ReadDword(root + "\\LEFTBLOCK", "MISC", v));
  EXPECT_EQ((v >> 16) & 0xFF, static_cast<DWORD>(a.m_pBlock->m_nOwnSide));
  std::string title;
  ASSERT_TRUE(k.ReadText(root + "\\LEFTBLOCK\\TAB0", "WINDOWTITLE", title));
  EXPECT_EQ(title, "Installed Fonts");
  ASSERT_TRUE(k.ReadDword(root + "\\LEFTBLOCK\\TAB0", "MISC", v));
  EXPECT_EQ(v, 7u);  // visible, in this frame, the shown tab
  ASSERT_TRUE(k.ReadDword(root + "\\LEFTBLOCK\\TAB0", "BOTTOM", v));
  EXPECT_EQ(v, 312u);
  ASSERT_TRUE(k.ReadText("LeftSectionsPro\\SEC1\\ROOTBLOCK\\TAB0", "WINDOWTITLE", title));
  EXPECT_EQ(title, "Information");
  EXPECT_EQ(LayoutStore::SaveRequest{}.root, HKEY_LOCAL_MACHINE);
  EXPECT_EQ(LayoutStore::LoadRequest{}.root, HKEY_LOCAL_MACHINE);
}

TEST(LayoutFormat, OneCharacterKeyBelowAnyRoot)
{
  ScratchLayout scratch("root");
  CRegKeyHolder root;
  ASSERT_EQ(root.Create(HKEY_CURRENT_USER, scratch.Full()), ERROR_SUCCESS);
  CRegKeyHolder software;
  ASSERT_EQ(software.Create(root.Get(), "Software"), ERROR_SUCCESS);
  Frame f;
  FakePane a("Installed Fonts");
  Dock(f, a, 2);
  LayoutStore::SaveRequest save;
  save.root = root.Get();
  save.key = "Q";
  save.main = &f;
  ASSERT_EQ(LayoutStore::Save(save), ERROR_SUCCESS);
  EXPECT_TRUE(scratch.Exists("Software\\Q\\RightSectionsPro\\SEC0"));
  Clear(f);
  Forget({&a});
  LayoutStore::LoadRequest load;
  load.root = root.Get();
  load.key = "Q";
  load.main = &f;
  ASSERT_EQ(LayoutStore::Load(load), ERROR_SUCCESS);
  EXPECT_TRUE(LayoutStore::ClaimSavedPlace(f, &a, "installed fonts"));
  EXPECT_TRUE(a.m_shown);
  EXPECT_EQ(a.m_nSide, 2);
}

TEST(LayoutFormat, ToolbarRowsKeepTheirEntriesThroughARoundTrip)
{
  ScratchLayout k("row");
  k.Dword("", "LEFT", 0);
  k.Dword("", "TOP", 0);
  k.Dword("", "RIGHT", 800);
  k.Dword("", "BOTTOM", 600);
  k.Dword("", "MLVER1400", 4);
  k.Dword("TopSectionsPro\\SEC0", "HEIGHT", 28);
  k.Dword("TopSectionsPro\\SEC0", "SECTIONID", 1);
  const std::string row = "TopSectionsPro\\SEC0\\ROOTBLOCK";
  const char* names[] = {"Properties", "Sample", "Zoom"};
  for (int i = 0; i < 3; ++i) {
    const std::string b = row + "\\BLOCK" + std::to_string(i);
    k.Text(b, "WINDOWTITLE", names[i]);
    k.Dword(b, "MISC", 0x100u | (i == 1 ? 1u : 0u));
    k.Dword(b, "DOCKLEFT", 100 * i);
    k.Dword(b, "DOCKWIDTH", 90 + i);
    k.Dword(b, "DOCKHEIGHT", 26);
    k.Dword(b, "LEFT", 5);
    k.Dword(b, "TOP", 6);
    k.Dword(b, "RIGHT", 205);
    k.Dword(b, "BOTTOM", 56);
    k.Dword(b, "VISIBLE", i != 2);
    if (i != 1) k.Dword(b, "FDTYPE", 1);
  }
  Frame f;
  ASSERT_EQ(LoadInto(k, f), ERROR_SUCCESS);
  ASSERT_EQ(f.SectionCount(1), 1);
  CDockSection* band = f.SectionAt(1, 0);
  EXPECT_TRUE(band->m_bRow);
  // The chain: each block but the last keeps its own entry in a first child.
  const CLayoutBlock* b0 = band->m_pRoot;
  ASSERT_TRUE(b0->m_pFirst && b0->m_pSecond);
  EXPECT_EQ(b0->m_pFirst->m_placeholderTitle, "Properties");
  const CLayoutBlock* b1 = b0->m_pSecond;
  ASSERT_TRUE(b1->m_pFirst && b1->m_pSecond);
  EXPECT_EQ(b1->m_pFirst->m_placeholderTitle, "Sample");
  EXPECT_EQ(b1->m_pFirst->m_nPlaceholderExtra, -1);  // FDTYPE missing
  EXPECT_EQ(b1->m_pFirst->m_defaultSize.cx, 91);
  EXPECT_EQ(b0->m_pSecond->m_pSecond->m_placeholderTitle, "Zoom");
  LayoutStore::SavedPlace place;
  ASSERT_TRUE(LayoutStore::FindBlockByTitle(f, "zoom", place));
  EXPECT_EQ(place.side, 1);
  EXPECT_EQ(place.misc & 1, 0);  // saved hidden
  // A toolbar finds its row entry but places itself.
  FakePane sample("Sample", 90, 26);
  ASSERT_TRUE(LayoutStore::ClaimSavedPlace(f, &sample, "Sample", &place));
  EXPECT_EQ(place.misc & 1, 1);
  EXPECT_EQ(sample.m_nSide, 1);
  EXPECT_EQ(sample.m_pBlock, b1);
  EXPECT_FALSE(sample.m_shown);
  sample.m_pBlock = nullptr;

  ScratchLayout out("rowout");
  ASSERT_EQ(LayoutStore::Save(SaveOf(out, f)), ERROR_SUCCESS);
  for (int i = 0; i < 3; ++i) {
    const std::string b = "TopSectionsPro\\SEC0\\ROOTBLOCK\\BLOCK" + std::to_string(i);
    std::string title;
    DWORD v = 0;
    ASSERT_TRUE(out.ReadText(b, "WINDOWTITLE", title)) << i;
    EXPECT_EQ(title, names[i]);
    ASSERT_TRUE(out.ReadDword(b, "MISC", v));
    EXPECT_EQ(v, 0x100u | (i == 1 ? 1u : 0u));
    ASSERT_TRUE(out.ReadDword(b, "DOCKWIDTH", v));
    EXPECT_EQ(v, 90u + i);
    ASSERT_TRUE(out.ReadDword(b, "VISIBLE", v));
    EXPECT_EQ(v, i != 2 ? 1u : 0u);
    ASSERT_TRUE(out.ReadDword(b, "FDTYPE", v));
    EXPECT_EQ(v, i != 1 ? 1u : 0xFFFFFFFFu);
    ASSERT_TRUE(out.ReadDword(b, "BOTTOM", v));
    EXPECT_EQ(v, 56u);
  }
  EXPECT_FALSE(out.Exists("TopSectionsPro\\SEC0\\ROOTBLOCK\\BLOCK3"));
  DWORD id = 0;
  ASSERT_TRUE(out.ReadDword("TopSectionsPro\\SEC0", "SECTIONID", id));
  EXPECT_EQ(id, 1u);
}

TEST(LayoutFormat, NeighbourLinksAreRepairedIntoRange)
{
  struct Case {
    std::vector<int> p, q, wantP, wantQ;
  };
  const Case cases[] = {
      {{}, {}, {}, {}},
      {{}, {5, 0}, {}, {-1, -1}},
      {{7}, {}, {-1}, {}},
      // One left section bounded by the first top one; the second top one spans beyond it.
      {{0}, {-1, 0}, {0}, {-1, 0}},
      // Links far out of range are pulled back.
      {{9, 9}, {9, 9}, {1, 1}, {-1, -1}},
      // A staircase: each top section starts after the left one it names.
      {{-1, -1}, {0, 1}, {-1, 0}, {0, 1}},
  };
  for (const Case& c : cases) {
    std::vector<int> p = c.p, q = c.q;
    NeighbourRepair::Repair(p, q);
    EXPECT_EQ(p, c.wantP);
    EXPECT_EQ(q, c.wantQ);
  }
}

TEST(LayoutFormat, LayoutNameIsTheTagOrElseTheFormName)
{
  EXPECT_EQ(LayoutName::Choose(std::string("Fonts"), std::string("frmFonts")), "Fonts");
  EXPECT_EQ(LayoutName::Choose(std::string("F"), std::string("frmFonts")), "frmFonts");
  EXPECT_EQ(LayoutName::Choose(std::nullopt, std::string("frmFonts")), "frmFonts");
  EXPECT_EQ(LayoutName::Choose(std::nullopt, std::nullopt), "");
  EXPECT_EQ(LayoutName::Choose(std::string(80, 'x'), std::nullopt).size(), 59u);
}
