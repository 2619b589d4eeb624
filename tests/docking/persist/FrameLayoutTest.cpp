// The layout through the control surface: one host saves it, a later host (a fresh frame, as in
// the next run of the program) loads it, clears as the program does at start-up, and its forms
// come back to the places they had.
#include <gtest/gtest.h>
#include <shlwapi.h>

#include <vector>

#include "HostedForms.h"
#include "docking/layout/LayoutBlock.h"
#include "docking/layout/TabStrip.h"
#include "support/TestEnv.h"

using namespace hostedforms;

namespace {

class FrameLayout : public testing::Test {
protected:
  void SetUp() override
  {
    if (!ql::test::HaveDisplay()) GTEST_SKIP() << "no display";
    key = "QlTest\\frame-layout-" + std::to_string(GetCurrentProcessId());
    SHDeleteKeyA(HKEY_CURRENT_USER, ("Software\\" + key).c_str());
  }
  void TearDown() override { SHDeleteKeyA(HKEY_CURRENT_USER, ("Software\\" + key).c_str()); }
  std::string key;
};

}  // namespace

TEST_F(FrameLayout, TheNextRunRestoresTheSavedPlacesThroughTheStartUpClear)
{
  std::string saved;
  {
    ProgramRun first;
    Form& fonts = first.Add("Installed Fonts", 0, 180);
    fonts.Show();
    Form& info = first.Add("Information", 3, 130);
    info.Show();
    Form& glyphs = first.Add("Glyphs", 4, 0, info.control);  // a tab beside Information
    glyphs.Show();
    ASSERT_NE(glyphs.Pane(), nullptr);
    ASSERT_EQ(glyphs.Pane()->m_pBlock, info.Pane()->m_pBlock);
    saved = first.Dump();
    ASSERT_NE(saved.find("Installed Fonts: 0,0,180,"), std::string::npos) << saved;
    ASSERT_NE(saved.find("Glyphs: 184,448,800,578 side 3"), std::string::npos) << saved;
    EXPECT_EQ(first.Call(&IDockFrame::SaveStates, key), S_OK);
  }
  HKEY k = nullptr;
  ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, ("Software\\" + key).c_str(), 0, KEY_READ, &k), ERROR_SUCCESS);
  RegCloseKey(k);

  ProgramRun next;
  EXPECT_EQ(next.Call(&IDockFrame::LoadStates, key), S_OK);
  // The program's start-up: clear, then its forms with their default places, which the saved
  // layout overrides.
  EXPECT_EQ(next.dock->ClearLayout(), S_OK);
  next.Add("Installed Fonts", 2, 90).Show();
  next.Add("Information", 1, 60).Show();
  next.Add("Glyphs", 0, 70).Show();
  EXPECT_EQ(next.Dump(), saved);
  EXPECT_EQ(next.forms[2]->Pane()->m_pBlock, next.forms[1]->Pane()->m_pBlock);

  // Loaded once per frame: a second load changes nothing; once panes are in, a clear clears.
  const int sections = next.Frame()->SectionCount(0) + next.Frame()->SectionCount(3);
  EXPECT_EQ(next.Call(&IDockFrame::LoadStates, key), S_OK);
  EXPECT_EQ(next.Frame()->SectionCount(0) + next.Frame()->SectionCount(3), sections);
  EXPECT_EQ(next.Frame()->m_bLoadPending, 0);
}

TEST_F(FrameLayout, WithoutAStoredLayoutFormsTakeTheirOwnPlaces)
{
  ProgramRun run;
  EXPECT_EQ(run.Call(&IDockFrame::LoadStates, key), S_OK);
  EXPECT_EQ(run.Frame()->m_bLoadPending, 0);
  EXPECT_EQ(run.dock->ClearLayout(), S_OK);
  EXPECT_EQ(run.Frame()->m_bLayoutLoaded, 0);
  Form& fonts = run.Add("Installed Fonts", 2, 90);
  fonts.Show();
  ASSERT_NE(fonts.Pane(), nullptr);
  EXPECT_EQ(fonts.Pane()->side, 2);
}

TEST_F(FrameLayout, AnUnpinnedPaneComesBackOnItsStrip)
{
  std::string saved;
  {
    ProgramRun first;
    first.Add("Installed Fonts", 0, 180).Show();
    Form& info = first.Add("Information", 3, 130);
    info.Show();
    ASSERT_EQ(info.control->put_PinState(UnPinned), S_OK);
    Pump();
    ASSERT_NE(first.Frame()->m_pStrips[3], nullptr);
    saved = first.Dump();
    EXPECT_EQ(first.Call(&IDockFrame::SaveStates, key), S_OK);
  }
  ProgramRun next;
  EXPECT_EQ(next.Call(&IDockFrame::LoadStates, key), S_OK);
  EXPECT_EQ(next.dock->ClearLayout(), S_OK);
  next.Add("Installed Fonts", 2, 90).Show();
  Form& info = next.Add("Information", 1, 60);
  info.Show();
  CAutoHideBar* strip = next.Frame()->m_pStrips[3];
  ASSERT_NE(strip, nullptr);
  ASSERT_EQ(strip->Tabs().size(), 1u);
  EXPECT_EQ(strip->Tabs()[0].pane, info.Pane());
  EXPECT_EQ(next.Dump(), saved);
  // Pinned again it docks where it was unpinned from.
  ASSERT_EQ(info.control->put_PinState(Pinned), S_OK);
  Pump();
  EXPECT_EQ(next.Frame()->m_pStrips[3], nullptr);
  EXPECT_EQ(info.Pane()->side, 3);
  EXPECT_TRUE(IsWindowVisible(info.Pane()->hwnd));
}

TEST_F(FrameLayout, FloatingPanesFloatAgainWhereTheirFrameStood)
{
  RECT where{};
  {
    ProgramRun first;
    first.Add("Installed Fonts", 0, 180).Show();
    Form& glyphs = first.Add("Glyphs", 3, 130);
    glyphs.Show();
    ASSERT_EQ(glyphs.control->ReFloat(), S_OK);
    Pump();
    ASSERT_NE(glyphs.Pane()->miniFrame, nullptr);
    ASSERT_NE(glyphs.Pane()->miniFrame->hwnd, nullptr);
    SetWindowPos(glyphs.Pane()->miniFrame->hwnd, nullptr, 120, 140, 260, 220, SWP_NOZORDER | SWP_NOACTIVATE);
    Pump();
    GetWindowRect(glyphs.Pane()->miniFrame->hwnd, &where);
    EXPECT_EQ(first.Call(&IDockFrame::SaveStates, key), S_OK);
  }
  HKEY k = nullptr;
  ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, ("Software\\" + key + "\\MINIFRAME\\MINI0").c_str(), 0, KEY_READ, &k),
            ERROR_SUCCESS);
  RegCloseKey(k);

  ProgramRun next;
  EXPECT_EQ(next.Call(&IDockFrame::LoadStates, key), S_OK);
  EXPECT_EQ(next.dock->ClearLayout(), S_OK);
  next.Add("Installed Fonts", 2, 90).Show();
  Form& glyphs = next.Add("Glyphs", 3, 130);
  glyphs.Show();
  ASSERT_NE(glyphs.Pane()->miniFrame, nullptr);
  EXPECT_EQ(glyphs.Pane()->container, nullptr);
  ASSERT_NE(glyphs.Pane()->miniFrame->hwnd, nullptr);
  RECT now{};
  GetWindowRect(glyphs.Pane()->miniFrame->hwnd, &now);
  EXPECT_EQ(now.left, where.left);
  EXPECT_EQ(now.top, where.top);
  EXPECT_EQ(now.right - now.left, where.right - where.left);
  EXPECT_EQ(now.bottom - now.top, where.bottom - where.top);
  EXPECT_EQ(next.forms[0]->Pane()->side, 0);  // the docked one still docks where it was saved
}

namespace {

// The second process of HiddenPanesComeBackHiddenInTheNextProcess: loads the layout named by
// the environment and writes where its forms went.
const char kChildKey[] = "QL_DOCK_LAYOUT_CHILD_KEY";
const char kChildOut[] = "QL_DOCK_LAYOUT_CHILD_OUT";

void AddProgramForms(ProgramRun& run)
{
  // The program's own first places, which the saved layout overrides.
  run.Add("Installed Fonts", 2, 90).Show();
  run.Add("Information", 1, 60).Show();
  run.Add("Glyphs", 0, 70).Show();
  run.Add("Preview", 1, 50).Show();
}

}  // namespace

TEST(FrameLayoutChild, LoadsTheLayoutOfItsParent)
{
  char key[256] = {}, out[MAX_PATH] = {};
  if (!GetEnvironmentVariableA(kChildKey, key, sizeof key) || !GetEnvironmentVariableA(kChildOut, out, sizeof out))
    GTEST_SKIP() << "runs as the second process of another test";
  ProgramRun next;
  // The program's start-up: clear, load, then show its forms.
  EXPECT_EQ(next.dock->ClearLayout(), S_OK);
  EXPECT_EQ(next.Call(&IDockFrame::LoadStates, key), S_OK);
  AddProgramForms(next);
  std::string dump = next.Dump();
  VARIANT_BOOL visible = -1;
  next.forms[1]->control->get_PaneVisible(&visible);
  dump += "Information visible " + std::to_string(visible) + "\n";
  // Shown again, the closed pane goes back to its saved side.
  next.forms[3]->control->put_PaneVisible(VARIANT_TRUE);
  Pump();
  dump += "Preview side " + std::to_string(next.forms[3]->Pane()->side) + "\n";
  HANDLE file = CreateFileA(out, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  DWORD written = 0;
  WriteFile(file, dump.data(), static_cast<DWORD>(dump.size()), &written, nullptr);
  CloseHandle(file);
}

TEST_F(FrameLayout, HiddenPanesComeBackHiddenInTheNextProcess)
{
  std::string saved;
  {
    ProgramRun first;
    first.Add("Installed Fonts", 0, 180).Show();
    Form& info = first.Add("Information", 3, 130);
    info.Show();
    first.Add("Glyphs", 4, 0, info.control).Show();  // a tab beside Information
    Form& preview = first.Add("Preview", 2, 150);
    preview.Show();
    // One pane hidden by the program, one closed by the user.
    ASSERT_EQ(info.control->put_PaneVisible(VARIANT_FALSE), S_OK);
    preview.Pane()->Close();
    Pump();
    saved = first.Dump();
    ASSERT_NE(saved.find("Information: hidden"), std::string::npos) << saved;
    ASSERT_NE(saved.find("Preview: hidden"), std::string::npos) << saved;
    EXPECT_EQ(first.Call(&IDockFrame::SaveStates, key), S_OK);
  }
  char temp[MAX_PATH] = {}, out[MAX_PATH] = {};
  GetTempPathA(sizeof temp, temp);
  GetTempFileNameA(temp, "qlf", 0, out);
  EXPECT_EQ(ql::test::RunThisProgram("FrameLayoutChild.*", {{kChildKey, key}, {kChildOut, out}}), 0);
  std::string dump;
  HANDLE file = CreateFileA(out, GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  char buffer[4096];
  DWORD got = 0;
  while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0) dump.append(buffer, got);
  CloseHandle(file);
  DeleteFileA(out);
  EXPECT_EQ(dump, saved + "Information visible 0\nPreview side 2\n");

  // A pane the program keeps hidden from its start still finds its saved place when shown.
  ProgramRun third;
  EXPECT_EQ(third.dock->ClearLayout(), S_OK);
  EXPECT_EQ(third.Call(&IDockFrame::LoadStates, key), S_OK);
  Form& late = third.Add("Installed Fonts", 2, 90);
  late.control->put_PaneVisible(VARIANT_FALSE);
  late.Show();
  ASSERT_NE(late.Pane(), nullptr);
  EXPECT_FALSE(IsWindowVisible(late.Pane()->hwnd));
  late.control->put_PaneVisible(VARIANT_TRUE);
  Pump();
  EXPECT_EQ(late.Pane()->side, 0);
}

TEST_F(FrameLayout, AClearAfterTheFormsShowedClearsEvenWhenNoneDocked)
{
  {
    ProgramRun first;
    Form& glyphs = first.Add("Glyphs", 3, 130);
    glyphs.Show();
    ASSERT_EQ(glyphs.control->ReFloat(), S_OK);
    Pump();
    EXPECT_EQ(first.Call(&IDockFrame::SaveStates, key), S_OK);
  }
  ProgramRun next;
  EXPECT_EQ(next.dock->ClearLayout(), S_OK);
  EXPECT_EQ(next.Call(&IDockFrame::LoadStates, key), S_OK);
  Form& glyphs = next.Add("Glyphs", 3, 130);
  glyphs.Show();
  ASSERT_NE(glyphs.Pane()->miniFrame, nullptr) << "floating as saved";
  // The user's layout reset: every pane back at its initial side.
  EXPECT_EQ(next.dock->ClearLayout(), S_OK);
  Pump();
  EXPECT_EQ(glyphs.Pane()->miniFrame, nullptr);
  EXPECT_EQ(glyphs.Pane()->container, next.Frame());
  EXPECT_EQ(glyphs.Pane()->side, 3);
  EXPECT_TRUE(CMiniFrame::FloatingFrames().empty());
}

TEST_F(FrameLayout, APaneClosedWhileFloatingComesBackHiddenAndFloatsWhereItWas)
{
  RECT where{};
  {
    ProgramRun first;
    first.Add("Installed Fonts", 0, 180).Show();
    Form& glyphs = first.Add("Glyphs", 3, 130);
    glyphs.Show();
    ASSERT_EQ(glyphs.control->ReFloat(), S_OK);
    Pump();
    ASSERT_NE(glyphs.Pane()->miniFrame, nullptr);
    SetWindowPos(glyphs.Pane()->miniFrame->hwnd, nullptr, 150, 160, 240, 210, SWP_NOZORDER | SWP_NOACTIVATE);
    Pump();
    GetWindowRect(glyphs.Pane()->miniFrame->hwnd, &where);
    glyphs.Pane()->Close();
    Pump();
    EXPECT_EQ(first.Call(&IDockFrame::SaveStates, key), S_OK);
  }
  ProgramRun next;
  EXPECT_EQ(next.dock->ClearLayout(), S_OK);
  EXPECT_EQ(next.Call(&IDockFrame::LoadStates, key), S_OK);
  next.Add("Installed Fonts", 2, 90).Show();
  Form& glyphs = next.Add("Glyphs", 3, 130);
  glyphs.Show();
  VARIANT_BOOL visible = -1;
  glyphs.control->get_PaneVisible(&visible);
  EXPECT_EQ(visible, 0) << "saved hidden";
  EXPECT_TRUE(CMiniFrame::FloatingFrames().empty());
  glyphs.control->put_PaneVisible(VARIANT_TRUE);
  Pump();
  ASSERT_NE(glyphs.Pane()->miniFrame, nullptr);
  RECT now{};
  GetWindowRect(glyphs.Pane()->miniFrame->hwnd, &now);
  EXPECT_EQ(now.left, where.left);
  EXPECT_EQ(now.top, where.top);
  EXPECT_EQ(now.right - now.left, where.right - where.left);
  EXPECT_EQ(now.bottom - now.top, where.bottom - where.top);
}

namespace {

// Visible sibling pane windows of the frame that overlap r, other than except.
std::vector<HWND> VisiblePanesOver(HWND parent, HWND except, const RECT& r)
{
  std::vector<HWND> found;
  for (HWND w = GetWindow(parent, GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT)) {
    RECT wr{}, both{};
    if (w == except || !IsWindowVisible(w)) continue;
    GetWindowRect(w, &wr);
    if (IntersectRect(&both, &wr, &r)) found.push_back(w);
  }
  return found;
}

}  // namespace

TEST_F(FrameLayout, ATabSavedBehindAnotherStaysHiddenAndLeavesThePaneBelowUncovered)
{
  std::string saved;
  {
    ProgramRun first;
    Form& fonts = first.Add("Installed Fonts", 0, 180);
    fonts.Show();
    first.Add("Font Browser", 4, 0, fonts.control).Show();
    first.Add("Viewer Properties", 3, 120, fonts.control).Show();  // below the tab group
    CPaneWnd* browser = first.forms[1]->Pane();
    ASSERT_NE(browser, nullptr);
    ASSERT_EQ(browser->m_pBlock, fonts.Pane()->m_pBlock);
    ASSERT_NE(first.forms[2]->Pane()->m_pBlock, fonts.Pane()->m_pBlock);
    fonts.Pane()->m_pBlock->m_pTabStrip->SelectPane(fonts.Pane());
    Pump();
    ASSERT_FALSE(IsWindowVisible(browser->hwnd));
    saved = first.Dump();
    EXPECT_EQ(first.Call(&IDockFrame::SaveStates, key), S_OK);
  }
  ProgramRun next;
  EXPECT_EQ(next.dock->ClearLayout(), S_OK);
  EXPECT_EQ(next.Call(&IDockFrame::LoadStates, key), S_OK);
  next.Add("Installed Fonts", 2, 90).Show();
  next.Add("Font Browser", 2, 90).Show();
  next.Add("Viewer Properties", 1, 60).Show();
  EXPECT_EQ(next.Dump(), saved);
  CPaneWnd* browser = next.forms[1]->Pane();
  CPaneWnd* viewer = next.forms[2]->Pane();
  ASSERT_NE(browser, nullptr);
  ASSERT_NE(viewer, nullptr);
  EXPECT_FALSE(IsWindowVisible(browser->hwnd)) << "behind Installed Fonts";
  EXPECT_EQ(browser->m_pBlock, next.forms[0]->Pane()->m_pBlock);
  RECT r{};
  GetWindowRect(viewer->hwnd, &r);
  EXPECT_TRUE(VisiblePanesOver(GetParent(viewer->hwnd), viewer->hwnd, r).empty());
  // Its tab brings it to the front in the group's place.
  next.forms[0]->Pane()->m_pBlock->m_pTabStrip->SelectPane(browser);
  Pump();
  EXPECT_TRUE(IsWindowVisible(browser->hwnd));
  EXPECT_FALSE(IsWindowVisible(next.forms[0]->Pane()->hwnd));
  EXPECT_TRUE(VisiblePanesOver(GetParent(viewer->hwnd), viewer->hwnd, r).empty());
}
