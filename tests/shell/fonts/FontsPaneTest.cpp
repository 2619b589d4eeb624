// The installed-fonts tree pane in the main window: the tree from the collection, the
// click road to the preview, right clicks, custom proof mode and highlighting.
#include <windows.h>
#include <commctrl.h>

#include "preview/PreviewView.h"
#include "preview/frmViewer.h"
#include "shell/frmFonts.h"
#include "shell/frmMain.h"
#include "preview/PreviewTestSupport.h"

using namespace platform::forms;

namespace {

std::vector<std::string> g_popups;
std::string g_selectedAtPopup;

int RecordPopup(Menu& popup)
{
    g_popups.push_back(popup.Name());
    if (auto n = Forms::frmFonts->tvFonts.SelectedItem())
        g_selectedAtPopup = n->Text();
    return 0;
}

class FontsPaneTest : public PreviewTest {
protected:
    void SetUp() override
    {
        PreviewTest::SetUp();
        g_popups.clear();
        g_selectedAtPopup.clear();
        Menu::SetPopupChooser(RecordPopup);
    }

    // The main window with the tree pane; the collection is given first.
    frmFonts& ShowMain(const std::vector<std::string>& faces)
    {
        SetFonts(faces);
        modMain::FontModel->Fonts()->Item("Liberation Mono")->DefaultCharacterSetID(186);
        Forms::frmMain->Show();
        Pump();
        return *Forms::frmFonts;
    }

    static std::vector<std::string> Children(TreeView& tv)
    {
        std::vector<std::string> names;
        for (Node::Ref n = tv.Item("Fonts")->Child(); n; n = n->Next())
            names.push_back(n->Text());
        return names;
    }

    static POINT PointOf(TreeView& tv, const Node::Ref& node)
    {
        node->EnsureVisible();
        RECT r{};
        *reinterpret_cast<HTREEITEM*>(&r) = node->Item();
        SendMessageA(tv.Window(), TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&r));
        return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    }
    // A press and release of a button over a point of the tree, as the user gives them.
    static void Click(TreeView& tv, POINT p, bool right = false)
    {
        HWND h = tv.Window();
        if (right) {
            SendMessageA(h, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(p.x, p.y));
            SendMessageA(h, WM_RBUTTONUP, 0, MAKELPARAM(p.x, p.y));
        } else {
            // The tree reads the click's place from the message's pointer position, and
            // watches for a drag until the release arrives: both queued, pointer there.
            POINT screen = p;
            ClientToScreen(h, &screen);
            SetCursorPos(screen.x, screen.y);
            PostMessageA(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
            PostMessageA(h, WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
        }
        Pump();
    }
    static void Click(TreeView& tv, const std::string& key, bool right = false)
    {
        Click(tv, PointOf(tv, tv.Item(key)), right);
    }

    static std::string PreviewHeading() { return Lines(Forms::frmViewer->rtbFonts).at(0); }
};

}  // namespace

TEST_F(FontsPaneTest, TheTreeListsEveryInstalledFontSortedUnderOneRoot)
{
    frmFonts& fonts = ShowMain({"Liberation Mono", "DejaVu Serif", "DejaVu Sans"});
    modMain::FontModel->Fonts()->Add("Browsed Face", 0, "", "TrueType", false, "c:\\x\\b.ttf");
    TreeView& tv = fonts.tvFonts;
    ASSERT_TRUE(fonts.LoadFonts());
    ASSERT_TRUE(fonts.LoadFonts()) << "a second load replaces the first";
    EXPECT_EQ(tv.Count(), 4);
    Node::Ref root = tv.Item(1);
    EXPECT_EQ(root->Key(), "Fonts");
    EXPECT_EQ(root->Text(), "All Installed: 3");
    EXPECT_TRUE(root->Expanded());
    EXPECT_EQ(Children(tv), (std::vector<std::string>{"DejaVu Sans", "DejaVu Serif", "Liberation Mono"}));
    EXPECT_EQ(tv.Item("DejaVu Serif")->Text(), "DejaVu Serif");
    EXPECT_EQ(tv.SelectedItem(), nullptr) << "no node is selected after a load";

    modMain::FontModel->Fonts(std::make_shared<qlFonts>());
    EXPECT_FALSE(fonts.LoadFonts());
    EXPECT_EQ(tv.Count(), 1);
    EXPECT_EQ(tv.Item(1)->Text(), "All Installed: 0");
    EXPECT_FALSE(tv.Item(1)->Expanded());
    EXPECT_TRUE(Failures().empty()) << FailureText();
}

TEST_F(FontsPaneTest, AFontThatCannotBeAddedIsLoggedAndTheOthersStay)
{
    frmFonts& fonts = ShowMain({"Liberation Mono", "DejaVu Serif", "DejaVu Sans"});
    // Two records shown under one name: the tree takes the first, the second is refused.
    modMain::FontModel->Fonts()->Item("DejaVu Sans")->DisplayName("DejaVu Serif");
    EXPECT_TRUE(fonts.LoadFonts());
    EXPECT_EQ(Children(fonts.tvFonts), (std::vector<std::string>{"DejaVu Serif", "Liberation Mono"}));
    EXPECT_TRUE(fonts.tvFonts.Item("Fonts")->Expanded());
    ASSERT_EQ(Failures().size(), 1u) << FailureText();
    EXPECT_EQ(Failures()[0].rfind("LoadFonts: ", 0), 0u);
}

TEST_F(FontsPaneTest, AClickOnAFontShowsItInThePreviewAtEverySize)
{
    frmFonts& fonts = ShowMain({"Liberation Mono", "DejaVu Serif", "DejaVu Sans"});
    frmMain& main = *Forms::frmMain;
    main.mnuFSMain.Enabled(true);
    Display().CurrentView(static_cast<int>(PreviewView::ProofSheetAll));

    Click(fonts.tvFonts, "Liberation Mono");
    EXPECT_EQ(Display().FontName(), "Liberation Mono");
    EXPECT_EQ(Display().CharacterSet(), 186);
    EXPECT_EQ(Display().CurrentView(), static_cast<int>(PreviewView::SingleFont));
    EXPECT_EQ(Lines(Forms::frmViewer->rtbFonts),
              (std::vector<std::string>{"Font Name: Liberation Mono", "(8)", "Sphinx of black quartz", "(10)",
                                        "Sphinx of black quartz", "(16)", "Sphinx of black quartz"}));
    EXPECT_FALSE(main.mnuFSMain.Enabled()) << "Quick Size applies to proof sheets only";
    EXPECT_TRUE(main.mnuPrint.Enabled());
    ASSERT_TRUE(fonts.CurrentNode());
    EXPECT_EQ(fonts.CurrentNode()->Text(), "Liberation Mono");
    EXPECT_EQ(fonts.tvFonts.SelectedItem()->Text(), "Liberation Mono");

    // The root is no font: nothing changes.
    Click(fonts.tvFonts, "Fonts");
    EXPECT_EQ(Display().FontName(), "Liberation Mono");
    EXPECT_EQ(fonts.CurrentNode()->Text(), "Liberation Mono");
    EXPECT_TRUE(Failures().empty()) << FailureText();
}

TEST_F(FontsPaneTest, ARightClickSelectsTheFontForItsPopupAndTheNextLeftClickDraws)
{
    frmFonts& fonts = ShowMain({"Liberation Mono", "DejaVu Serif", "DejaVu Sans"});
    TreeView& tv = fonts.tvFonts;
    Click(tv, "DejaVu Sans");
    ASSERT_EQ(PreviewHeading(), "Font Name: DejaVu Sans");

    Click(tv, "Liberation Mono", true);
    EXPECT_EQ(g_popups, (std::vector<std::string>{"mnuFontsPopup"}));
    EXPECT_EQ(g_selectedAtPopup, "Liberation Mono") << "the popup's commands act on the font pointed at";
    EXPECT_EQ(Display().FontName(), "Liberation Mono");
    EXPECT_EQ(Display().CharacterSet(), 186);
    EXPECT_EQ(PreviewHeading(), "Font Name: DejaVu Sans") << "a right click redraws nothing";

    Click(tv, "Liberation Mono");
    EXPECT_EQ(PreviewHeading(), "Font Name: Liberation Mono");

    // A right press on no font leaves nothing behind that would stop the next road.
    RECT client;
    GetClientRect(tv.Window(), &client);
    Click(tv, POINT{client.right - 5, client.bottom - 5}, true);
    EXPECT_EQ(g_popups.size(), 2u);
    fonts.HighlightFont("DejaVu Serif");
    EXPECT_EQ(PreviewHeading(), "Font Name: DejaVu Serif");
    EXPECT_TRUE(Failures().empty()) << FailureText();
}

TEST_F(FontsPaneTest, HighlightFontMatchesTheExactNameOnly)
{
    frmFonts& fonts = ShowMain({"Liberation Mono", "DejaVu Serif", "DejaVu Sans"});
    fonts.HighlightFont("dejavu serif");
    EXPECT_EQ(fonts.tvFonts.SelectedItem(), nullptr);
    EXPECT_EQ(Display().FontName(), "Liberation Serif");
    fonts.HighlightFont("DejaVu Serif");
    EXPECT_EQ(fonts.tvFonts.SelectedItem()->Text(), "DejaVu Serif");
    EXPECT_EQ(Display().FontName(), "DejaVu Serif");
    EXPECT_EQ(PreviewHeading(), "Font Name: DejaVu Serif");
    EXPECT_TRUE(Failures().empty()) << FailureText();
}

TEST_F(FontsPaneTest, CustomProofModeGivesCheckBoxesForTheProofSheetOfCheckedFonts)
{
    frmFonts& fonts = ShowMain({"Liberation Mono", "DejaVu Serif", "DejaVu Sans"});
    frmMain& main = *Forms::frmMain;
    TreeView& tv = fonts.tvFonts;
    EXPECT_FALSE(tv.Checkboxes()) << "custom_proof is not stored";
    EXPECT_EQ(fonts.cbCustomProof.Value(), vbUnchecked);
    EXPECT_FALSE(main.mnuCheck(0).Enabled());
    EXPECT_FALSE(main.mnuFontPUCheck(1).Enabled());

    fonts.cbCustomProof.Value(vbChecked);
    EXPECT_TRUE(tv.Checkboxes());
    EXPECT_EQ(ShellSettings::Get("custom_proof", ""), "True");
    EXPECT_TRUE(main.mnuCheck(1).Enabled());
    EXPECT_TRUE(main.mnuFontPUCheck(0).Enabled());

    fonts.ToggleChecks(true);
    for (Node::Ref n = tv.Item("Fonts"); n; n = n == tv.Item("Fonts") ? n->Child() : n->Next())
        EXPECT_TRUE(n->Checked()) << n->Text();
    tv.Item("DejaVu Serif")->Checked(false);
    EXPECT_EQ(fonts.CheckedFontNames(), (std::vector<std::string>{"DejaVu Sans", "Liberation Mono"}));
    Forms::frmViewer->ShowProofSheetSelected();
    EXPECT_EQ(Lines(Forms::frmViewer->rtbFonts).at(3), "Font Name: Liberation Mono");

    fonts.ToggleChecks(false);
    EXPECT_TRUE(fonts.CheckedFontNames().empty());

    fonts.cbCustomProof.Value(vbUnchecked);
    EXPECT_FALSE(tv.Checkboxes());
    EXPECT_EQ(ShellSettings::Get("custom_proof", ""), "False");
    EXPECT_FALSE(main.mnuCheck(0).Enabled());
    EXPECT_TRUE(Failures().empty()) << FailureText();
}

TEST_F(FontsPaneTest, CustomProofModeComesBackFromItsSetting)
{
    PutSetting("custom_proof", "True");
    frmFonts& fonts = ShowMain({"Liberation Mono", "DejaVu Sans"});
    EXPECT_TRUE(fonts.tvFonts.Checkboxes());
    EXPECT_EQ(fonts.cbCustomProof.Value(), vbChecked);
    EXPECT_TRUE(Forms::frmMain->mnuCheck(0).Enabled());
}
