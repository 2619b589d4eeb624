// The caption fonts and the painted text caption of a docked pane.
#include <gtest/gtest.h>

#include <cstring>

#include "docking/pane/CPaneWnd.h"
#include "docking/pane/CaptionFonts.h"
#include "support/TestEnv.h"

namespace {

TEST(CaptionFonts, SystemFaceAtElevenPixelsOrTheFallback) {
  NONCLIENTMETRICSA ncm;
  std::memset(&ncm, 0, sizeof ncm);
  ncm.lfCaptionFont.lfHeight = -13;
  ncm.lfCaptionFont.lfWeight = FW_BOLD;
  ncm.lfCaptionFont.lfCharSet = ANSI_CHARSET;
  lstrcpyA(ncm.lfCaptionFont.lfFaceName, "Tahoma");
  LOGFONTA lf = CaptionFonts::Describe(&ncm, FW_NORMAL);
  EXPECT_EQ(lf.lfHeight, -11);
  EXPECT_EQ(lf.lfWeight, FW_NORMAL);
  EXPECT_STREQ(lf.lfFaceName, "Tahoma");
  EXPECT_EQ(lf.lfCharSet, ANSI_CHARSET);

  lf = CaptionFonts::Describe(nullptr, FW_BOLD);
  EXPECT_EQ(lf.lfHeight, -11);
  EXPECT_EQ(lf.lfWeight, FW_BOLD);
  EXPECT_STREQ(lf.lfFaceName, "Times New Roman");
  EXPECT_EQ(lf.lfCharSet, DEFAULT_CHARSET);
  EXPECT_EQ(lf.lfItalic, 0);

  // The shared fonts are made once and are real fonts of that height.
  ASSERT_NE(CaptionFonts::Normal(), nullptr);
  EXPECT_EQ(CaptionFonts::Normal(), CaptionFonts::Normal());
  EXPECT_NE(CaptionFonts::Normal(), CaptionFonts::Bold());
  LOGFONTA got{};
  ASSERT_EQ(GetObjectA(CaptionFonts::Bold(), sizeof got, &got), static_cast<int>(sizeof got));
  EXPECT_EQ(got.lfHeight, -11);
  EXPECT_EQ(got.lfWeight, FW_BOLD);
}

TEST(PaneTextCaption, PaintsTitleAndButtonsWithoutTouchingWindowTexts) {
  if (!ql::test::HaveDisplay()) GTEST_SKIP() << "no display";
  HWND host = CreateWindowExA(0, "STATIC", "host", WS_POPUP | WS_CLIPCHILDREN, 0, 0, 400, 300, nullptr, nullptr,
                              nullptr, nullptr);
  HWND form = CreateWindowExA(0, "STATIC", "Installed Fonts", WS_POPUP | WS_CAPTION, 0, 0, 100, 100, nullptr,
                              nullptr, nullptr, nullptr);
  auto* pane = new CPaneWnd();
  pane->ghostOnDesktop = false;
  ASSERT_EQ(pane->Attach(form, host), 1);
  pane->SetTitle("Installed Fonts (1,204)");
  char before[64] = {};
  GetWindowTextA(pane->hwnd, before, sizeof before);
  pane->docked = true;
  pane->dragAreaStyle = 0;
  pane->pinState = 1;
  SetWindowPos(pane->hwnd, nullptr, 0, 0, 200, 150, SWP_NOZORDER | SWP_FRAMECHANGED | SWP_SHOWWINDOW);
  pane->DrawCaption(true);
  // The painter reports where it put the buttons: close at the right, the pin beside it.
  EXPECT_EQ(pane->closeRect.right, 198);
  EXPECT_EQ(pane->closeRect.right - pane->closeRect.left, 12);
  EXPECT_LT(pane->pinRect.right, pane->closeRect.left);
  EXPECT_GT(pane->pinRect.right, pane->pinRect.left);
  char after[64] = {}, formText[64] = {};
  GetWindowTextA(pane->hwnd, after, sizeof after);
  GetWindowTextA(form, formText, sizeof formText);
  EXPECT_STREQ(after, before);
  EXPECT_STREQ(formText, "Installed Fonts");
  // Without a pin the pin rectangle is empty.
  pane->pinState = 0;
  pane->DrawCaption(false);
  EXPECT_TRUE(IsRectEmpty(&pane->pinRect));
  pane->Destroy();
  DestroyWindow(form);
  DestroyWindow(host);
}

}  // namespace
