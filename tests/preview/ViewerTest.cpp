// The central preview: one font at every preview size, the proof sheets of all and of the
// checked fonts, both ways of writing a page, and the box never left hidden or frozen.
#include <stdexcept>

#include "platform/forms/Screen.h"
#include "preview/PreviewView.h"
#include "preview/frmViewer.h"
#include "shell/frmFonts.h"
#include "shell/frmMain.h"
#include "PreviewTestSupport.h"

using namespace platform::forms;

namespace {

const std::vector<std::string> kSheetOfTwo = {
    "Font Name: DejaVu Sans", "Sphinx of black quartz", "", "Font Name: Liberation Mono", "Sphinx of black quartz", "",
};

class PageWritingScope {
public:
    explicit PageWritingScope(PageWriting how) : saved_(frmViewer::GetPageWriting()) { frmViewer::SetPageWriting(how); }
    ~PageWritingScope() { frmViewer::SetPageWriting(saved_); }

private:
    PageWriting saved_;
};

bool Frozen(HWND h) { return (GetWindowLongA(h, GWL_STYLE) & WS_VISIBLE) == 0 || !IsWindowVisible(h); }

}  // namespace

class ViewerTest : public PreviewTest, public ::testing::WithParamInterface<PageWriting> {};

INSTANTIATE_TEST_SUITE_P(BothWays, ViewerTest, ::testing::Values(PageWriting::LineByLine, PageWriting::RtfStreams),
                         [](const auto& info) {
                             return info.param == PageWriting::LineByLine ? std::string("LineByLine")
                                                                          : std::string("RtfStreams");
                         });

TEST_P(ViewerTest, OneFontShowsHeadingAndSampleAtEverySize)
{
    PageWritingScope writing(GetParam());
    Display().Style(3);
    frmViewer& v = *Forms::frmViewer;
    v.Show();
    v.UpdateDisplay("DejaVu Serif");
    EXPECT_EQ(Lines(v.rtbFonts), (std::vector<std::string>{"Font Name: DejaVu Serif", "(8)", "Sphinx of black quartz",
                                                           "(10)", "Sphinx of black quartz", "(16)",
                                                           "Sphinx of black quartz"}));
    EXPECT_EQ(v.rtbFonts.SelStart(), 0);
    CHARFORMAT2A heading = FormatOfLine(v.rtbFonts, "Font Name: DejaVu Serif");
    EXPECT_STREQ(heading.szFaceName, "Arial");
    EXPECT_EQ(heading.yHeight, 16 * 20);
    EXPECT_TRUE(heading.dwEffects & CFE_UNDERLINE);
    EXPECT_FALSE(heading.dwEffects & CFE_ITALIC);
    CHARFORMAT2A label = FormatOfLine(v.rtbFonts, "(10)");
    EXPECT_TRUE(label.dwEffects & CFE_ITALIC);
    CHARFORMAT2A sample = FormatOfLine(v.rtbFonts, "Sphinx of black quartz", 1);
    EXPECT_STREQ(sample.szFaceName, "DejaVu Serif");
    EXPECT_EQ(sample.yHeight, 10 * 20);
    EXPECT_TRUE(sample.dwEffects & CFE_ITALIC) << "the display style";
    EXPECT_FALSE(sample.dwEffects & (CFE_BOLD | CFE_UNDERLINE));
    EXPECT_EQ(sample.crTextColor, 0x00000080u) << "colour 0 is the display's fore colour";

    EXPECT_TRUE(IsWindowVisible(v.rtbFonts.Window()));
    EXPECT_FALSE(v.picPreview.Visible());
    EXPECT_TRUE(Failures().empty()) << FailureText();
}

TEST_P(ViewerTest, ProofSheetOfAllFontsSkipsFilesThatAreNotInstalled)
{
    PageWritingScope writing(GetParam());
    SetFonts({"DejaVu Sans", "Liberation Mono"});
    modMain::FontModel->Fonts()->Add("Browsed Face", 0, "", "TrueType", false, "c:\\x\\b.ttf");
    Display().Style(2);
    frmViewer& v = *Forms::frmViewer;
    v.Show();
    v.ShowProofSheet();
    const std::vector<std::string>& expected = kSheetOfTwo;
    EXPECT_EQ(Lines(v.rtbFonts), expected);
    EXPECT_EQ(Display().CurrentView(), static_cast<int>(PreviewView::ProofSheetAll));
    CHARFORMAT2A sample = FormatOfLine(v.rtbFonts, "Sphinx of black quartz", 1);
    EXPECT_STREQ(sample.szFaceName, "Liberation Mono");
    EXPECT_EQ(sample.yHeight, 14 * 20) << "the sheet's sample size";
    EXPECT_TRUE(sample.dwEffects & CFE_BOLD);
    CHARFORMAT2A heading = FormatOfLine(v.rtbFonts, "Font Name: Liberation Mono");
    EXPECT_EQ(heading.yHeight, 10 * 20);
    EXPECT_TRUE(heading.dwEffects & CFE_UNDERLINE);

    // While the sheet is shown, a redraw of a face redraws the sheet.
    v.UpdateDisplay("DejaVu Serif");
    EXPECT_EQ(Lines(v.rtbFonts), expected);
    EXPECT_FALSE(Frozen(v.rtbFonts.Window()));
    EXPECT_TRUE(Failures().empty()) << FailureText();
}

TEST_P(ViewerTest, ASheetPastTheDefaultTextLimitIsWhole)
{
    PageWritingScope writing(GetParam());
    std::vector<std::string> faces;
    for (int i = 0; i < 600; ++i)
        faces.push_back("Liberation Sans #" + std::to_string(i));
    SetFonts(faces);
    frmViewer& v = *Forms::frmViewer;
    v.Show();
    v.ShowProofSheet();
    std::vector<std::string> lines = Lines(v.rtbFonts);
    ASSERT_EQ(lines.size(), 600u * 3);
    EXPECT_GT(v.rtbFonts.Text().size(), 32767u);
    EXPECT_EQ(lines[599 * 3], "Font Name: Liberation Sans #599");

    // The next page goes into a fresh box (emptying a long text is slow), still below the
    // queue indicator.
    Display().CurrentView(static_cast<int>(PreviewView::SingleFont));
    v.UpdateDisplay("DejaVu Sans");
    EXPECT_EQ(Lines(v.rtbFonts).size(), 7u);
    EXPECT_EQ(Lines(v.rtbFonts).front(), "Font Name: DejaVu Sans");
    bool indicatorAbove = false;
    for (HWND w = GetWindow(v.OverImage1.Window(), GW_HWNDNEXT); w; w = GetWindow(w, GW_HWNDNEXT))
        indicatorAbove |= w == v.rtbFonts.Window();
    EXPECT_TRUE(indicatorAbove);
    EXPECT_TRUE(IsWindowVisible(v.rtbFonts.Window()));
}

TEST_F(PreviewTest, AnEmptyFaceShowsTheDisplayFontAndHandsItBack)
{
    frmViewer& v = *Forms::frmViewer;
    std::string face;
    v.UpdateDisplay(face);
    EXPECT_EQ(face, "Liberation Serif");
    EXPECT_EQ(Lines(v.rtbFonts).front(), "Font Name: Liberation Serif");
}

TEST_F(PreviewTest, SizesThePreviewCannotShowAreLeftOutAndLogged)
{
    Display().DisplaySizes("8,,abc,99999,12");
    frmViewer& v = *Forms::frmViewer;
    v.Show();
    v.UpdateDisplay("DejaVu Sans");
    EXPECT_EQ(Lines(v.rtbFonts), (std::vector<std::string>{"Font Name: DejaVu Sans", "(8)", "Sphinx of black quartz",
                                                           "(12)", "Sphinx of black quartz"}));
    EXPECT_TRUE(IsWindowVisible(v.rtbFonts.Window()));
    ASSERT_EQ(Failures().size(), 1u) << FailureText();
    EXPECT_NE(Failures()[0].find("UpdateDisplay"), std::string::npos);
    EXPECT_NE(Failures()[0].find("\"abc\""), std::string::npos);
}

TEST_F(PreviewTest, AFailedRedrawLeavesTheBoxShownAndDrawing)
{
    frmViewer& v = *Forms::frmViewer;
    v.Show();
    v.UpdateDisplay("DejaVu Sans");
    auto model = modMain::FontModel;
    modMain::FontModel.reset();
    v.UpdateDisplay("DejaVu Serif");
    v.ShowProofSheet();
    modMain::FontModel = model;
    EXPECT_EQ(Failures().size(), 2u) << FailureText();
    EXPECT_TRUE(IsWindowVisible(v.rtbFonts.Window()));
    EXPECT_FALSE(Frozen(v.rtbFonts.Window()));
    // No window-wide drawing lock is left behind either.
    EXPECT_TRUE(LockWindowUpdate(v.hWnd()));
    LockWindowUpdate(nullptr);
}

TEST_F(PreviewTest, AFillThatFailsHalfwayLeavesTheBoxDrawingAgain)
{
    frmViewer& v = *Forms::frmViewer;
    v.Show();
    HWND h = v.rtbFonts.hWnd();
    const LRESULT mask = SendMessageA(h, EM_GETEVENTMASK, 0, 0);
    try {
        RichTextFill fill(v.rtbFonts);
        EXPECT_TRUE(Frozen(h)) << "no drawing while the box fills";
        AppendPageLines(v.rtbFonts, {{"half", "Arial", 10, 1, 1, 0}});
        throw std::runtime_error("failure halfway");
    } catch (const std::runtime_error&) {
    }
    EXPECT_FALSE(Frozen(h));
    EXPECT_EQ(SendMessageA(h, EM_GETEVENTMASK, 0, 0), mask);
    EXPECT_EQ(Lines(v.rtbFonts).back(), "half");
}

TEST_F(PreviewTest, FaceAsSampleTextShowsEachFontsNameAndKeepsTheLast)
{
    PutSetting("display_text", "6");
    SetFonts({"DejaVu Sans", "Liberation Mono"});
    frmViewer& v = *Forms::frmViewer;
    v.ShowProofSheet();
    EXPECT_EQ(Lines(v.rtbFonts)[1], "DejaVu Sans");
    EXPECT_EQ(Lines(v.rtbFonts)[4], "Liberation Mono");
    EXPECT_EQ(Display().Text(), "Liberation Mono");
}

TEST_F(PreviewTest, ProofSheetOfTheCheckedFonts)
{
    SetFonts({"Liberation Mono", "DejaVu Serif", "DejaVu Sans"});
    frmMain& main = *Forms::frmMain;
    main.Show();
    frmFonts& fonts = *Forms::frmFonts;
    frmViewer& v = *Forms::frmViewer;

    v.ShowProofSheetSelected();
    EXPECT_EQ(Lines(v.rtbFonts), (std::vector<std::string>{"...no fonts selected"}));
    EXPECT_EQ(Display().CurrentView(), static_cast<int>(PreviewView::ProofSheetChecked));
    CHARFORMAT2A none = FormatOfLine(v.rtbFonts, "...no fonts selected");
    EXPECT_EQ(none.yHeight, 14 * 20);
    EXPECT_TRUE(none.dwEffects & CFE_BOLD);

    // The tree's order (sorted by text), checked nodes only.
    fonts.tvFonts.Item("Liberation Mono")->Checked(true);
    fonts.tvFonts.Item("DejaVu Sans")->Checked(true);
    v.UpdateDisplay("DejaVu Serif");
    EXPECT_EQ(Lines(v.rtbFonts), kSheetOfTwo) << "the view is still the sheet of checked fonts";
    EXPECT_TRUE(Failures().empty()) << FailureText();
}

// The preview is the main window's central document: it opens filling the MDI client area.
TEST_F(PreviewTest, ThePreviewOpensFillingTheMainWindowsClientArea)
{
    Forms::frmMain->Show();
    frmViewer& v = *Forms::frmViewer;
    v.Show();
    EXPECT_EQ(v.WindowState(), platform::forms::vbMaximized);
    RECT client{}, viewer{};
    GetClientRect(Forms::frmMain->MDIClient(), &client);
    GetClientRect(v.hWnd(), &viewer);
    EXPECT_EQ(viewer.right - viewer.left, client.right - client.left);
    EXPECT_EQ(viewer.bottom - viewer.top, client.bottom - client.top);
}

TEST_F(PreviewTest, TheMainWindowsProofAndCheckCommands)
{
    SetFonts({"DejaVu Sans", "Liberation Mono"});
    frmMain& main = *Forms::frmMain;
    main.Show();
    frmFonts& fonts = *Forms::frmFonts;
    frmViewer& v = *Forms::frmViewer;
    ASSERT_TRUE(fonts.PaneVisible());
    EXPECT_FALSE(main.mnuFSMain.Enabled());

    main.mnuFontProof.RaiseClick();
    EXPECT_EQ(Display().CurrentView(), static_cast<int>(PreviewView::ProofSheetAll));
    EXPECT_EQ(Lines(v.rtbFonts), kSheetOfTwo);
    EXPECT_TRUE(main.mnuFSMain.Enabled()) << "Quick Size applies to the sheet";
    EXPECT_EQ(main.MousePointer(), vbDefault);

    main.mnuCheck(0).RaiseClick();
    EXPECT_EQ(fonts.CheckedFontNames().size(), 2u);
    main.mnuFontProofSelect.RaiseClick();
    EXPECT_EQ(Display().CurrentView(), static_cast<int>(PreviewView::ProofSheetChecked));
    EXPECT_EQ(Lines(v.rtbFonts), kSheetOfTwo);

    main.mnuFontPUCheck(1).RaiseClick();
    EXPECT_TRUE(fonts.CheckedFontNames().empty());
    // With the tree's pane hidden the main menu's checks do nothing; the popup's still act.
    fonts.PaneVisible(false);
    main.mnuCheck(0).RaiseClick();
    EXPECT_TRUE(fonts.CheckedFontNames().empty());
    main.mnuFontPUCheck(0).RaiseClick();
    EXPECT_EQ(fonts.CheckedFontNames().size(), 2u);
    EXPECT_TRUE(Failures().empty()) << FailureText();
}

namespace {

// The horizontal scroll bar of a box: shown, and its range wider than the box's client.
void ExpectScrollsSideways(HWND box, const char* when)
{
    SCOPED_TRACE(when);
    EXPECT_TRUE(GetWindowLongA(box, GWL_STYLE) & WS_HSCROLL) << "the horizontal scroll bar is shown";
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_ALL;
    ASSERT_TRUE(GetScrollInfo(box, SB_HORZ, &si));
    RECT client{};
    GetClientRect(box, &client);
    EXPECT_GT(si.nMax - si.nMin, client.right) << "the range covers the long sample line";
    EXPECT_GT(static_cast<int>(si.nPage), 0);
    EXPECT_LE(static_cast<int>(si.nPage), client.right + 1);
    // Shown, and the client area leaves room for it.
    SCROLLBARINFO sbi{};
    sbi.cbSize = sizeof sbi;
    ASSERT_TRUE(GetScrollBarInfo(box, OBJID_HSCROLL, &sbi));
    EXPECT_FALSE(sbi.rgstate[0] & (STATE_SYSTEM_INVISIBLE | STATE_SYSTEM_OFFSCREEN));
    POINT bottom{0, client.bottom};
    ClientToScreen(box, &bottom);
    EXPECT_LE(bottom.y, sbi.rcScrollBar.top) << "the text stops above the scroll bar";
    EXPECT_GT(sbi.rcScrollBar.bottom - sbi.rcScrollBar.top, 0);
    // And drawn: the bar's pixels are those a full redraw of the frame gives.
    WindowTest::Pump();
    HDC dc = GetWindowDC(box);
    RECT wr{};
    GetWindowRect(box, &wr);
    std::vector<COLORREF> before;
    const int y = (sbi.rcScrollBar.top + sbi.rcScrollBar.bottom) / 2 - wr.top;
    for (int x = sbi.rcScrollBar.left - wr.left; x < sbi.rcScrollBar.right - wr.left; x += 3)
        before.push_back(GetPixel(dc, x, y));
    RedrawWindow(box, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ERASE | RDW_UPDATENOW);
    std::vector<COLORREF> after;
    for (int x = sbi.rcScrollBar.left - wr.left; x < sbi.rcScrollBar.right - wr.left; x += 3)
        after.push_back(GetPixel(dc, x, y));
    ReleaseDC(box, dc);
    EXPECT_EQ(before, after) << "the scroll bar is drawn";
}

// The indicator is shown, above the box in z-order, inside the box's area, and the box
// does not paint over it.
void ExpectIndicatorAbove(frmViewer& v, const char* when)
{
    SCOPED_TRACE(when);
    HWND ind = v.OverImage1.Window(), box = v.rtbFonts.Window();
    ASSERT_TRUE(ind && box);
    EXPECT_TRUE(IsWindowVisible(ind));
    bool above = false;
    for (HWND w = GetWindow(ind, GW_HWNDNEXT); w; w = GetWindow(w, GW_HWNDNEXT))
        above |= w == box;
    EXPECT_TRUE(above) << "the indicator lies above the box";
    EXPECT_TRUE(GetWindowLongA(box, GWL_STYLE) & WS_CLIPSIBLINGS) << "the box never paints over the indicator";
    RECT ri{}, rb{}, both{};
    GetWindowRect(ind, &ri);
    GetWindowRect(box, &rb);
    EXPECT_TRUE(IntersectRect(&both, &ri, &rb) && EqualRect(&both, &ri)) << "bottom right of the box";
}

}  // namespace

// A long sample line scrolls sideways as soon as the page is shown, in the maximized
// preview, in a box made afresh after a long page, and after the preview is resized; the
// queue indicator stays visible above the box throughout.
TEST_F(PreviewTest, LongSampleLinesScrollSidewaysAndTheIndicatorStaysAbove)
{
    std::string text;
    for (int i = 0; i < 8; ++i)
        text += "Sphinx of black quartz, judge my vow. ";
    Display().Text(text);
    Display().DisplaySizes("10,36");
    Forms::frmMain->Show();
    frmViewer& v = *Forms::frmViewer;
    v.Show();
    Pump();
    v.UpdateDisplay("DejaVu Sans");
    Pump();
    ExpectScrollsSideways(v.rtbFonts.Window(), "first page");
    ExpectIndicatorAbove(v, "first page");

    // A long sheet, then a page in the fresh box that replaces it.
    std::vector<std::string> faces;
    for (int i = 0; i < 300; ++i)
        faces.push_back("Liberation Sans #" + std::to_string(i));
    SetFonts(faces);
    v.ShowProofSheet();
    Display().CurrentView(static_cast<int>(PreviewView::SingleFont));
    Display().Text(text);
    v.UpdateDisplay("DejaVu Sans");
    Pump();
    ExpectScrollsSideways(v.rtbFonts.Window(), "fresh box");
    ExpectIndicatorAbove(v, "fresh box");

    // A smaller preview (a pane closed or opened changes the client area the same way).
    RECT main{};
    GetWindowRect(Forms::frmMain->hWnd(), &main);
    SetWindowPos(Forms::frmMain->hWnd(), nullptr, 0, 0, main.right - main.left - 120, main.bottom - main.top - 80,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    Pump();
    ExpectScrollsSideways(v.rtbFonts.Window(), "resized");
    ExpectIndicatorAbove(v, "resized");
    EXPECT_TRUE(Failures().empty()) << FailureText();
}
