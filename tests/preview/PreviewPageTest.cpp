// The preview's pages as lines: one font at every size, the proof sheets.
#include <gtest/gtest.h>

#include "fontengine/qlDisplay.h"
#include "fontengine/qlFonts.h"
#include "preview/PreviewPage.h"

namespace {

constexpr std::int32_t kRegular = 1, kBold = 2, kItalic = 3, kUnderline = 4;

qlDisplay Display(const std::string& sizes)
{
    qlDisplay d;
    d.DisplaySizes(sizes);
    d.Text("The quick fox");
    d.Style(kBold);
    d.FontSize(14);
    return d;
}

std::vector<std::string> Texts(const std::vector<RtbLine>& lines)
{
    std::vector<std::string> t;
    for (const auto& l : lines)
        t.push_back(l.text);
    return t;
}

}  // namespace

TEST(SingleFontPage, HeadingThenLabelAndSamplePerSizeInListOrder)
{
    SingleFontPage page = BuildSingleFontPage("DejaVu Serif", Display("8,10,16"));
    ASSERT_EQ(page.lines.size(), 7u);
    EXPECT_EQ(page.lines[0], (RtbLine{"Font Name: DejaVu Serif", "Arial", 16, kUnderline, kRegular, 0}));
    EXPECT_EQ(page.lines[1], (RtbLine{"(8)", "Arial", 16, kItalic, kRegular, 0}));
    EXPECT_EQ(page.lines[2], (RtbLine{"The quick fox", "DejaVu Serif", 8, kBold, kRegular, 0}));
    EXPECT_EQ(Texts(page.lines), (std::vector<std::string>{"Font Name: DejaVu Serif", "(8)", "The quick fox", "(10)",
                                                           "The quick fox", "(16)", "The quick fox"}));
    EXPECT_EQ(page.lines[6].size, 16);
    EXPECT_TRUE(page.skippedSizes.empty());
}

TEST(SingleFontPage, EmptySizeListGivesTheHeadingAlone)
{
    SingleFontPage page = BuildSingleFontPage("X", Display(""));
    ASSERT_EQ(page.lines.size(), 1u);
    EXPECT_TRUE(page.skippedSizes.empty());
}

TEST(SingleFontPage, SizesRoundHalfToEvenAndIgnoreBlanks)
{
    SingleFontPage page = BuildSingleFontPage("X", Display(" 24 ,10.5,11.5"));
    ASSERT_EQ(page.lines.size(), 7u);
    EXPECT_EQ(page.lines[1].text, "( 24 )");
    EXPECT_EQ(page.lines[2].size, 24);
    EXPECT_EQ(page.lines[4].size, 10);
    EXPECT_EQ(page.lines[6].size, 12);
}

TEST(SingleFontPage, EntriesThatAreNoShowableSizeAreSkippedAndTheRestStays)
{
    SingleFontPage page = BuildSingleFontPage("X", Display("8,,abc,0,-8,1639,99999,36"));
    EXPECT_EQ(Texts(page.lines),
              (std::vector<std::string>{"Font Name: X", "(8)", "The quick fox", "(36)", "The quick fox"}));
    EXPECT_EQ(page.skippedSizes, (std::vector<std::string>{"", "abc", "0", "-8", "1639", "99999"}));
    std::int16_t p = 0;
    EXPECT_TRUE(ParsePreviewSize("1638", p));
    EXPECT_EQ(p, 1638);
    EXPECT_TRUE(ParsePreviewSize("+8", p));
    EXPECT_EQ(p, 8);
}

TEST(ProofSheet, ThreeLinesPerFaceInTheSheetSizeAndStyle)
{
    qlDisplay d = Display("8");
    auto lines = BuildProofSheet({"Alpha", "Beta"}, d, false, ProofSheetKind::AllFonts);
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(lines[0], (RtbLine{"Font Name: Alpha", "Arial", 10, kUnderline, kRegular, 0}));
    EXPECT_EQ(lines[1], (RtbLine{"The quick fox", "Alpha", 14, kBold, kRegular, 0}));
    EXPECT_EQ(lines[2], (RtbLine{"", "Arial", 12, kRegular, kRegular, 0}));
    EXPECT_EQ(lines[4].fontName, "Beta");
    EXPECT_EQ(d.Text(), "The quick fox");
}

TEST(ProofSheet, FaceAsTextShowsEachFontsNameAndKeepsTheLast)
{
    qlDisplay d = Display("8");
    auto lines = BuildProofSheet({"Alpha", "Beta"}, d, true, ProofSheetKind::CheckedFonts);
    EXPECT_EQ(lines[1].text, "Alpha");
    EXPECT_EQ(lines[4].text, "Beta");
    EXPECT_EQ(d.Text(), "Beta");
}

TEST(ProofSheet, NoCheckedFontSaysSoAndNoFontAtAllShowsNothing)
{
    qlDisplay d = Display("8");
    auto checked = BuildProofSheet({}, d, false, ProofSheetKind::CheckedFonts);
    ASSERT_EQ(checked.size(), 1u);
    EXPECT_EQ(checked[0], (RtbLine{"...no fonts selected", "Arial", 14, kBold, kRegular, 0}));
    EXPECT_TRUE(BuildProofSheet({}, d, false, ProofSheetKind::AllFonts).empty());
}

TEST(ProofSheet, FacesOfAllFontsSkipFilesThatAreNotInstalled)
{
    qlFonts fonts;
    fonts.Add("Beta", 0, "", "TrueType", true, "b.ttf");
    fonts.Add("Browsed", 0, "", "TrueType", false, "c:\\x\\browsed.ttf");
    fonts.Add("Alpha", 0, "", "TrueType", true, "a.ttf");
    EXPECT_EQ(ProofSheetFaces(fonts), (std::vector<std::string>{"Beta", "Alpha"}));
}
