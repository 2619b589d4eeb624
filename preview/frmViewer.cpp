#include "preview/frmViewer.h"

#include <algorithm>

#include "core/modMain.h"
#include "fontengine/FontModel.h"
#include "fontengine/qlMain.h"
#include "platform/QlError.h"
#include "platform/forms/Convert.h"
#include "preview/PreviewPage.h"
#include "preview/PreviewView.h"
#include "shell/DrawnIcons.h"
#include "shell/LogFailure.h"
#include "shell/ShellSettings.h"
#include "shell/frmFonts.h"
#include "shell/frmMain.h"
#include "tools/frmProcess.h"

namespace Forms {
platform::forms::FormRef<::frmViewer> frmViewer;
}

using namespace platform::forms;

namespace {

PageWriting g_pageWriting = PageWriting::RtfStreams;

qlDisplay& Display()
{
    if (!modMain::FontModel)
        throw QlError(91, "frmViewer", "Object variable or With block variable not set");
    return *modMain::FontModel->Display();
}

// Whether the sample-text choice makes each font of a sheet show its own name. The
// viewer settings pane keeps that choice in "display_text", so the stored value is read
// once per sheet (nothing can change it while the sheet is written).
bool FaceAsSampleText()
{
    try {
        return CInt(ShellSettings::Get("display_text", "1")) == kDisplayTextFaceName;
    } catch (const QlError&) {
        return false;
    }
}

std::string JoinQuoted(const std::vector<std::string>& entries)
{
    std::string all;
    for (const std::string& e : entries)
        all += (all.empty() ? "\"" : ", \"") + e + "\"";
    return all;
}

}  // namespace

frmViewer::frmViewer() : Form("frmViewer") {}

void frmViewer::SetPageWriting(PageWriting how) { g_pageWriting = how; }
PageWriting frmViewer::GetPageWriting() { return g_pageWriting; }

void frmViewer::Design()
{
    MDIChild(true);
    // The main window's central document: it fills the MDI client area.
    WindowState(vbMaximized);
    Caption("Preview");
    BackColor(SysColor(COLOR_WINDOW));
    ImageList1.ImageSize(32, 32);
    if (ImageList1.Count() == 0) {
        ImageList1.AddIcon("Empty", DrawnIcons::Get("Empty", 32));
        ImageList1.AddIcon("Full", DrawnIcons::Get("Full", 32));
    }
    picPreview.Visible(false);
    OverImage1.Move(0, 0, 480, 480);
}

void frmViewer::Form_Load()
{
    try {
        rtbFonts.Text("");
        picPreview.Cls();
        picPreview.Visible(false);
    } catch (const std::exception& e) {
        LogFailure("frmViewer: Form_Load", e);
    }
    OverImage1.DblClick = [] { Forms::frmProcess->Show(); };
    OverImage1.MouseUp = [](int button, int, int, int) {
        if (button == vbRightButton)
            Forms::frmMain->PopupMenu(Forms::frmMain->mnuProcessPopup);
    };
}

void frmViewer::Form_Resize()
{
    if (WindowState() == vbMinimized)
        return;
    const int w = ScaleWidth(), h = ScaleHeight();
    // Each step on its own: one that fails leaves the others to run.
    auto step = [](auto&& f) {
        try {
            f();
        } catch (const std::exception&) {
        }
    };
    step([&] { rtbFonts.Move(0, 0, w, h); });
    step([&] { picPreview.Move(0, 0, w, h); });
    step([&] { OverImage1.Move(std::max(0, w - 875), std::max(0, h - 600)); });
    step([&] { OverImage1.ZOrder(0); });
}

void frmViewer::ShowRichText()
{
    picPreview.Visible(false);
    rtbFonts.Visible(true);
    // The main window exists whenever the program shows the preview; a preview on its own
    // (tests, benchmarks) has no menu to enable.
    if (Forms::frmMain.Exists())
        Forms::frmMain->mnuPrint.Enabled(true);
}

void frmViewer::WriteFilledPage(const std::vector<RtbLine>& lines)
{
    if (EmptyBox(rtbFonts))
        OverImage1.ZOrder(0);
    RichTextFill fill(rtbFonts);
    rtbFonts.BackColor(Display().BackColor());
    WritePage(rtbFonts, lines, Display().ForeColor(), g_pageWriting);
    rtbFonts.SelStart(0);
}

void frmViewer::UpdateDisplay(const std::string& faceName)
{
    std::string face = faceName;
    UpdateDisplay(face);
}

void frmViewer::UpdateDisplay(std::string& faceName)
{
    try {
        ShowRichText();
        const auto view = static_cast<PreviewView>(Display().CurrentView());
        if (view == PreviewView::ProofSheetAll) {
            ShowProofSheet();
            return;
        }
        if (view == PreviewView::ProofSheetChecked) {
            ShowProofSheetSelected();
            return;
        }
        if (faceName.empty())
            faceName = Display().FontName();
        SingleFontPage page = BuildSingleFontPage(faceName, Display());
        {
            // Hidden while it fills; shown again however the fill ends.
            struct ShowAgain {
                RichTextBox& rtb;
                ~ShowAgain() { rtb.Visible(true); }
            } showAgain{rtbFonts};
            rtbFonts.Visible(false);
            WriteFilledPage(page.lines);
        }
        if (!page.skippedSizes.empty())
            LogFailure("UpdateDisplay",
                       QlError(13, "frmViewer",
                               "Preview sizes that are no size the preview can show were left out: " +
                                   JoinQuoted(page.skippedSizes)));
    } catch (const std::exception& e) {
        LogFailure("UpdateDisplay", e);
    }
}

void frmViewer::WriteProofSheet(const std::vector<std::string>& faces, bool checkedFonts)
{
    ShowRichText();
    qlDisplay& display = Display();
    std::vector<RtbLine> lines = BuildProofSheet(
        faces, display, FaceAsSampleText(), checkedFonts ? ProofSheetKind::CheckedFonts : ProofSheetKind::AllFonts);
    WriteFilledPage(lines);
    display.CurrentView(static_cast<std::int32_t>(checkedFonts ? PreviewView::ProofSheetChecked
                                                               : PreviewView::ProofSheetAll));
}

void frmViewer::ShowProofSheet()
{
    try {
        if (!modMain::FontModel)
            throw QlError(91, "frmViewer", "Object variable or With block variable not set");
        WriteProofSheet(ProofSheetFaces(*modMain::FontModel->Fonts()), false);
    } catch (const std::exception& e) {
        LogFailure("frmViewer: ShowProofSheet", e);
    }
}

void frmViewer::ShowProofSheetSelected()
{
    try {
        WriteProofSheet(Forms::frmFonts->CheckedFontNames(), true);
    } catch (const std::exception& e) {
        LogFailure("frmViewer: ShowProofSheetSelected", e);
    }
}

void frmViewer::SetQueuePicture(const std::string& key)
{
    EnsureLoaded();
    queuePicture_ = key;
    OverImage1.Picture(DrawnIcons::Get(key, 32));
}
