#include "platform/forms/DemoForm.h"

#include <algorithm>
#include <set>

#include "platform/forms/Screen.h"

namespace platform::forms {

frmDemo::frmDemo() : Form("frmDemo") {}

void frmDemo::Design()
{
    Caption("Quillery Pro");
    ClientSize(10800, 7200);
    mnuFile.Caption("&File");
    mnuFileRefresh.Parent(mnuFile);
    mnuFileRefresh.Caption("&Refresh");
    mnuFileRefresh.Shortcut("F5");
    mnuFileSep.Parent(mnuFile);
    mnuFileSep.Caption("-");
    mnuFileExit.Parent(mnuFile);
    mnuFileExit.Caption("E&xit");
    mnuView.Caption("&View");
    mnuViewBold.Parent(mnuView);
    mnuViewBold.Caption("&Bold sample");
    mnuViewBold.Shortcut("Ctrl+B");
    if (tbMain.ButtonCount() == 0) {
        tbMain.AddButton("refresh", "Refresh");
        tbMain.AddButton("", "", tbrSeparator);
        tbMain.AddButton("bold", "Bold", tbrCheck);
        tbMain.ButtonToolTip("refresh", "Read the font list again");
        sb.AddPanel("Ready", 6000);
        sb.AddPanel("", 1200, sbrCaps);
        sb.AddPanel("", 1200, sbrNum);
    }
    sb.Height(330);
}

void frmDemo::Form_Load()
{
    lvFaces.AddColumn("Family", 2400);
    lvFaces.AddColumn("Charset", 1000);
    mnuFileRefresh.Click = [this] { FillFonts(); };
    mnuFileExit.Click = [this] { Unload(vbFormCode); };
    mnuViewBold.Click = [this] {
        mnuViewBold.Checked(!mnuViewBold.Checked());
        tbMain.ButtonValue("bold", mnuViewBold.Checked());
        if (auto n = tvFonts.SelectedItem())
            ShowSample(n->Text());
    };
    tbMain.ButtonClick = [this](const std::string& key) {
        if (key == "refresh")
            FillFonts();
        else if (key == "bold") {
            mnuViewBold.Checked(tbMain.ButtonValue("bold"));
            if (auto n = tvFonts.SelectedItem())
                ShowSample(n->Text());
        }
    };
    tvFonts.NodeClick = [this](Node::Ref n) {
        if (n->Parent())
            ShowSample(n->Text());
    };
    lvFaces.ItemClick = [this](int i) { ShowSample(lvFaces.Text(i)); };
    FillFonts();
}

static int CALLBACK CollectFamily(const LOGFONTA* lf, const TEXTMETRICA*, DWORD, LPARAM lp)
{
    if (lf->lfFaceName[0] != '@')
        reinterpret_cast<std::set<std::pair<std::string, int>>*>(lp)->insert({lf->lfFaceName, lf->lfCharSet});
    return 1;
}

void frmDemo::FillFonts()
{
    std::set<std::pair<std::string, int>> faces;
    HDC dc = GetDC(nullptr);
    LOGFONTA lf{};
    lf.lfCharSet = DEFAULT_CHARSET;
    EnumFontFamiliesExA(dc, &lf, CollectFamily, reinterpret_cast<LPARAM>(&faces), 0);
    ReleaseDC(nullptr, dc);

    tvFonts.Clear();
    lvFaces.BeginUpdate();
    lvFaces.Clear();
    auto root = tvFonts.Add(Node::Ref(), tvwLast, "all", "Installed fonts");
    std::set<std::string> seen;
    for (auto& [name, charset] : faces) {
        if (seen.insert(name).second)
            tvFonts.Add(root, tvwChild, "f:" + name, name);
        int i = lvFaces.AddItem("", name);
        lvFaces.SubItem(i, 1, std::to_string(charset));
    }
    lvFaces.EndUpdate();
    root->Expanded(true);
    sb.PanelText(1, std::to_string(seen.size()) + " font families");
}

void frmDemo::ShowSample(const std::string& face)
{
    rtbSample.BeginUpdate();
    rtbSample.Text("");
    rtbSample.SelFontName(face);
    for (int size : {10, 14, 20, 28}) {
        rtbSample.SelStart(static_cast<int>(rtbSample.Text().size()));
        rtbSample.SelFontName(face);
        rtbSample.SelFontSize(size);
        rtbSample.SelBold(mnuViewBold.Checked());
        rtbSample.Append("The quick brown fox jumps over the lazy dog. (" + std::to_string(size) + " pt)\r");
    }
    rtbSample.EndUpdate();
    sb.PanelText(1, face);
}

void frmDemo::Form_Resize()
{
    if (WindowState() == vbMinimized)
        return;
    int top = tbMain.Height();
    int h = ScaleHeight() - top - sb.Height();
    if (h < 0)
        h = 0;
    int w = ScaleWidth();
    int left = std::min(3000, w / 3);
    tvFonts.Move(0, top, left, h);
    lvFaces.Move(left, top, std::max(0, w - left), h / 2);
    rtbSample.Move(left, top + h / 2, std::max(0, w - left), h - h / 2);
}

}  // namespace platform::forms
