// Rich-text lines and the quick help of the information pane.
#include "preview/frmViewer.h"
#include "shell/frmHelp.h"
#include "shell/frmMain.h"
#include "shell/modMainWindows.h"
#include "preview/PreviewTestSupport.h"

using namespace platform::forms;

namespace {
constexpr std::int32_t kRegular = 1, kBold = 2, kItalic = 3, kUnderline = 4;
}

TEST_F(PreviewTest, AddLineToRTBWritesOneFormattedLineAtTheEnd)
{
    RichTextBox& rtb = Forms::frmViewer->rtbFonts;
    rtb.Text("");
    modMain::AddLineToRTB("first", 12, rtb, "DejaVu Serif", kBold, kItalic, 0);
    rtb.SelStart(0);  // the line still goes to the end
    modMain::AddLineToRTB("second", 9, rtb, "Liberation Mono", kRegular, kRegular, 0x00FF0000);
    modMain::AddLineToRTB("third", 10, rtb, "Arial", 7, kUnderline, 0);
    EXPECT_EQ(Lines(rtb), (std::vector<std::string>{"first", "second", "third"}));

    CHARFORMAT2A first = FormatOfLine(rtb, "first");
    EXPECT_STREQ(first.szFaceName, "DejaVu Serif");
    EXPECT_EQ(first.yHeight, 12 * 20);
    EXPECT_EQ(first.dwEffects & (CFE_BOLD | CFE_ITALIC | CFE_UNDERLINE), static_cast<DWORD>(CFE_BOLD | CFE_ITALIC));
    EXPECT_EQ(first.crTextColor, 0x00000080u) << "colour 0 is the display's fore colour, not black";
    CHARFORMAT2A second = FormatOfLine(rtb, "second");
    EXPECT_EQ(second.dwEffects & (CFE_BOLD | CFE_ITALIC | CFE_UNDERLINE), 0u);
    EXPECT_EQ(second.crTextColor, 0x00FF0000u);
    CHARFORMAT2A third = FormatOfLine(rtb, "third");
    EXPECT_EQ(third.dwEffects & (CFE_BOLD | CFE_ITALIC | CFE_UNDERLINE), static_cast<DWORD>(CFE_UNDERLINE));

    // Without a font model colour 0 has no meaning: logged, nothing written.
    auto model = modMain::FontModel;
    modMain::FontModel.reset();
    modMain::AddLineToRTB("fourth", 10, rtb, "Arial", kRegular, kRegular, 0);
    modMain::FontModel = model;
    EXPECT_EQ(Lines(rtb).size(), 3u);
    ASSERT_EQ(Failures().size(), 1u) << FailureText();
    EXPECT_EQ(Failures()[0].rfind("modMain: AddLineToRTB", 0), 0u);
}

TEST_F(PreviewTest, QuickHelpFillsTheVisibleInformationPaneOnly)
{
    Forms::frmMain->Show();
    frmHelp& help = *Forms::frmHelp;
    help.PaneVisible(true);
    Pump();
    ASSERT_TRUE(help.Visible());

    modMain::ShowQuickHelp("installed fonts");
    std::vector<std::string> lines = Lines(help.rtbHelp);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], "installed fonts");
    EXPECT_EQ(lines[1], "");
    EXPECT_EQ(lines[2].rfind("Displays all installed fonts on your system.", 0), 0u);
    EXPECT_EQ(lines[2].substr(lines[2].size() - 2), "  ");
    CHARFORMAT2A title = FormatOfLine(help.rtbHelp, "installed fonts");
    EXPECT_EQ(title.yHeight, 12 * 20);
    EXPECT_EQ(title.dwEffects & (CFE_BOLD | CFE_UNDERLINE), static_cast<DWORD>(CFE_BOLD | CFE_UNDERLINE));
    EXPECT_EQ(title.crTextColor, 0x00FF0000u);
    EXPECT_EQ(FormatOfLine(help.rtbHelp, lines[2]).crTextColor, 0x00FF0000u);

    modMain::ShowQuickHelp("No Such Topic");
    EXPECT_EQ(Lines(help.rtbHelp), (std::vector<std::string>{"No Such Topic", "", "  "}));

    help.PaneVisible(false);
    Pump();
    modMain::ShowQuickHelp("Export");
    EXPECT_EQ(Lines(help.rtbHelp).front(), "No Such Topic") << "a hidden pane keeps its text";
    EXPECT_TRUE(Failures().empty()) << FailureText();
}
