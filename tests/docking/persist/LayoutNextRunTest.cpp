#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "LayoutTestSupport.h"
#include "docking/LayoutInvariants.h"
#include "docking/layout/LayoutBlock.h"
#include "docking/persist/LayoutName.h"
#include "support/TestEnv.h"

using namespace layouttest;

namespace {

// The panes of one run: named as the pane controls name them, from Tag or else the form.
struct Panes {
  FakePane fonts{LayoutName::Choose(std::string("Fonts"), std::string("frmFonts")), 200, 100};
  FakePane browser{LayoutName::Choose(std::string("B"), std::string("frmBrowser"))};
  FakePane settings{LayoutName::Choose(std::nullopt, std::string("frmViewer"))};
  FakePane info{LayoutName::Choose(std::string("Information"), std::nullopt), 100, 140};
  FakePane props{LayoutName::Choose(std::string("Props"), std::string("frmProps")), 230, 100};
  std::vector<FakePane*> All() { return {&fonts, &browser, &settings, &info, &props}; }
};

std::string Env(const char* name)
{
  const char* v = std::getenv(name);
  return v ? v : "";
}

}  // namespace

// Runs only when started by the test below, as the program's next run.
TEST(LayoutNextRun, ChildRun)
{
  const std::string key = Env("QL_DOCK_LAYOUT_KEY"), out = Env("QL_DOCK_LAYOUT_DUMP");
  if (key.empty() || out.empty())
    GTEST_SKIP() << "started by ASecondProcessRestoresTheSavedLayout";
  Frame f;
  Panes p;
  LayoutStore::LoadRequest load;
  load.root = HKEY_CURRENT_USER;
  load.key = key;
  load.main = &f;
  ASSERT_EQ(LayoutStore::Load(load), ERROR_SUCCESS);
  // Forms attach in another order than the one they were docked in.
  for (FakePane* pane : {&p.props, &p.settings, &p.info, &p.browser, &p.fonts})
    ASSERT_TRUE(LayoutStore::ClaimSavedPlace(f, pane, pane->m_title)) << pane->m_title;
  ASSERT_EQ(CheckLayout(f), "");
  ASSERT_TRUE(ql::test::WriteFileBytes(out, Dump(f, p.All())));
}

TEST(LayoutNextRun, ASecondProcessRestoresTheSavedLayout)
{
  if (!Env("QL_DOCK_LAYOUT_KEY").empty())
    GTEST_SKIP();
  Frame f;
  Panes p;
  EXPECT_EQ(p.browser.m_title, "frmBrowser");  // a one-character Tag does not count
  Dock(f, p.fonts, 0);
  SplitBeside(f, &p.fonts, &p.settings, 3);
  p.fonts.m_pBlock->AddPaneAsTab(&p.browser, false);
  Dock(f, p.info, 3);
  Dock(f, p.props, 2);
  ASSERT_EQ(CheckLayout(f), "");
  const std::string expected = Dump(f, p.All());

  ScratchLayout key("nextrun");
  ASSERT_EQ(LayoutStore::Save(SaveOf(key, f)), ERROR_SUCCESS);
  const std::string dir = ql::test::MakeScratchDir("dock-nextrun");
  const std::string dump = dir + "\\layout.txt";
  EXPECT_EQ(ql::test::RunThisProgram("LayoutNextRun.ChildRun", {{"QL_DOCK_LAYOUT_KEY", key.Key()}, {"QL_DOCK_LAYOUT_DUMP", dump}}), 0);
  EXPECT_EQ(ql::test::ReadFileBytes(dump), expected);
  ql::test::RemoveTree(dir);
}
