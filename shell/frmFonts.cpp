#include "shell/frmFonts.h"

#include <windows.h>
#include <commctrl.h>

#include "core/modMain.h"
#include "fontengine/FontModel.h"
#include "fontengine/qlMain.h"
#include "inspect/frmPropertyFont.h"
#include "inspect/frmPropertyViewer.h"
#include "platform/QlError.h"
#include "preview/PreviewView.h"
#include "preview/frmAllFonts.h"
#include "preview/frmViewer.h"
#include "shell/DrawnIcons.h"
#include "shell/FontTreeNodes.h"
#include "shell/LogFailure.h"
#include "shell/ShellSettings.h"
#include "shell/frmMain.h"

namespace Forms {
platform::forms::FormRef<::frmFonts> frmFonts;
}

using namespace platform::forms;

namespace {

constexpr int kGap = 50;  // twips between the tree and the check box

qlMain& Model()
{
    if (!modMain::FontModel)
        throw QlError(91, "frmFonts", "Object variable or With block variable not set");
    return *modMain::FontModel;
}

// The main window's menus exist only while it does (a pane on its own has none).
frmMain* MainWindow() { return Forms::frmMain.Exists() ? &Forms::frmMain.Instance() : nullptr; }

}  // namespace

frmFonts::frmFonts() : PaneForm("frmFonts") {}

void frmFonts::Design()
{
    PaneForm::Design();
    Caption("Installed Fonts");
    if (ImageList1.Count() == 0) {
        // Picture 1 is spare; the root shows picture 2, the fonts picture 3.
        ImageList1.AddIcon("Tree", DrawnIcons::Get("Tree"));
        ImageList1.AddIcon("Root", DrawnIcons::Get("All"));
        ImageList1.AddIcon("Font", DrawnIcons::Get("Font"));
    }
    tvFonts.ImageList(ImageList1);
    tvFonts.LineStyle(1);
    cbCustomProof.Caption("Custom proof sheet");
    cbCustomProof.ToolTipText("Enables checkboxes to select fonts for custom proof sheet");
    cbCustomProof.Move(60, 0, 2400, 255);
}

void frmFonts::Form_Load()
{
    WireEvents();
    try {
        LoadFonts();
        RefreshSettings();
    } catch (const std::exception& e) {
        LogFailure("frmFonts: Form_Load", e);
    }
}

void frmFonts::WireEvents()
{
    tvFonts.NodeClick = [this](Node::Ref node) { tvFonts_NodeClick(node); };
    tvFonts.MouseDown = [this](int button, int, int, int) {
        // A left press starts a click of its own: a right press before it, whatever it hit,
        // must not stop that click's road.
        bRightClick_ = button == vbRightButton;
    };
    tvFonts.MouseUp = [this](int button, int, int, int) {
        if (button != vbRightButton)
            return;
        bRightClick_ = false;
        if (frmMain* main = MainWindow())
            main->PopupMenu(main->mnuFontsPopup);
    };
    tvFonts.NodeCheck = [this](Node::Ref node) {
        if (node->Key() == kFontTreeRootKey)
            ToggleChecks(node->Checked());
    };
    cbCustomProof.Click = [this] {
        const bool on = cbCustomProof.Value() == vbChecked;
        SetCustomProofMode(on);
        ShellSettings::Save("custom_proof", on ? "True" : "False");
    };
}

void frmFonts::Form_Resize()
{
    if (WindowState() == vbMinimized)
        return;
    // A step that fails (a pane too small for the tree) is skipped; the next still runs.
    try {
        tvFonts.Move(0, 0, ScaleWidth(), ScaleHeight() - cbCustomProof.Height() - kGap);
    } catch (const std::exception&) {
    }
    try {
        cbCustomProof.Move(cbCustomProof.Left(), tvFonts.Top() + tvFonts.Height() + kGap);
    } catch (const std::exception&) {
    }
}

void frmFonts::ClearTreeview()
{
    try {
        tvFonts.Clear();
    } catch (const std::exception& e) {
        LogFailure("frmFonts: ClearTreeview", e);
    }
}

bool frmFonts::LoadFonts()
{
    try {
        ClearTreeview();
        FontTreeNodes nodes = BuildFontTreeNodes(*Model().Fonts());
        Node::Ref root = tvFonts.Add(Node::Ref(), tvwLast, nodes.root.key, nodes.root.text,
                                     static_cast<int>(nodes.root.image));
        if (nodes.fonts.empty())
            return false;
        // Each node goes right after the previous one (no walk to the end of the list); a
        // node that cannot be added is logged and the others still come.
        Node::Ref last;
        int added = 0;
        for (const FontTreeNode& n : nodes.fonts) {
            try {
                last = last ? tvFonts.Add(last, tvwNext, n.key, n.text, static_cast<int>(n.image))
                            : tvFonts.Add(root, tvwChild, n.key, n.text, static_cast<int>(n.image));
                ++added;
            } catch (const std::exception& e) {
                LogFailure("LoadFonts", e);
            }
        }
        if (added == 0)
            return false;
        root->Expanded(true);
        SendMessageA(tvFonts.hWnd(), TVM_SORTCHILDREN, FALSE, reinterpret_cast<LPARAM>(root->Item()));
        if (modMain::IsLoaded("frmPropertyFont"))
            Forms::frmPropertyFont->RefreshFonts();
        if (modMain::IsLoaded("frmPropertyViewer"))
            Forms::frmPropertyViewer->RefreshFonts();
        return true;
    } catch (const std::exception& e) {
        LogFailure("LoadFonts", e);
        return false;
    }
}

void frmFonts::tvFonts_NodeClick(const Node::Ref& node)
{
    try {
        if (!node || node->Text() == node->Root()->Text())
            return;
        std::string fontName = node->Text();
        objCurrentNode_ = node;
        qlMain& model = Model();
        qlDisplay& display = *model.Display();
        display.FontName(fontName);
        display.CharacterSet(model.Fonts()->Item(fontName)->DefaultCharacterSetID());
        if (bRightClick_) {
            // A right click makes the font current for the popup's commands and draws nothing.
            bRightClick_ = false;
            return;
        }
        display.CurrentView(static_cast<std::int32_t>(PreviewView::SingleFont));
        if (modMain::IsLoaded("frmPropertyFont"))
            Forms::frmPropertyFont->FontChanged();
        if (modMain::IsLoaded("frmPropertyViewer"))
            Forms::frmPropertyViewer->FontChanged();
        Forms::frmViewer->UpdateDisplay(fontName);
        if (modMain::IsLoaded("frmAllFonts"))
            Forms::frmAllFonts->HighlightFont(fontName);
        // Quick Size applies to proof sheets only.
        if (frmMain* main = MainWindow())
            main->mnuFSMain.Enabled(false);
    } catch (const std::exception& e) {
        LogFailure("frmFonts: tvFonts_NodeClick", e);
    }
}

void frmFonts::HighlightFont(const std::string& fontName)
{
    try {
        Node::Ref node = tvFonts.Item(kFontTreeRootKey)->Child();
        if (!node)
            throw QlError(91, "frmFonts", "The tree lists no font");
        for (; node; node = node->Next()) {
            if (node->Text() == fontName) {
                node->Selected(true);
                tvFonts_NodeClick(node);
            }
        }
    } catch (const std::exception& e) {
        LogFailure("frmFonts: HighlightFont", e);
    }
}

void frmFonts::ToggleChecks(bool check)
{
    try {
        Node::Ref root = tvFonts.Item(kFontTreeRootKey);
        root->Checked(check);
        for (Node::Ref node = root->Child(); node; node = node->Next())
            node->Checked(check);
    } catch (const std::exception& e) {
        LogFailure("frmFonts: ToggleChecks", e);
    }
}

std::vector<std::string> frmFonts::CheckedFontNames()
{
    std::vector<std::string> names;
    for (Node::Ref node = tvFonts.Item(kFontTreeRootKey)->Child(); node; node = node->Next())
        if (node->Checked())
            names.push_back(node->Text());
    return names;
}

void frmFonts::RefreshSettings()
{
    try {
        SetCustomProofMode(ShellSettings::Get("custom_proof", "false") == "True");
    } catch (const std::exception& e) {
        LogFailure("frmFonts: RefreshSettings", e);
    }
}

void frmFonts::SetCustomProofMode(bool on)
{
    cbCustomProof.Value(on ? vbChecked : vbUnchecked);
    tvFonts.Checkboxes(on);
    // The tree toolbar's "Select" button follows the mode too, once the toolbar exists.
    if (frmMain* main = MainWindow()) {
        for (int i = 0; i < 2; ++i) {
            main->mnuFontPUCheck(i).Enabled(on);
            main->mnuCheck(i).Enabled(on);
        }
    }
}
