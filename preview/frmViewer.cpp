#include "preview/frmViewer.h"

#include <algorithm>

#include "shell/DrawnIcons.h"
#include "shell/frmMain.h"
#include "tools/frmProcess.h"

namespace Forms {
platform::forms::FormRef<::frmViewer> frmViewer;
}

using namespace platform::forms;

frmViewer::frmViewer() : Form("frmViewer") {}

void frmViewer::Design()
{
    MDIChild(true);
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
    rtbFonts.Move(0, 0, w, h);
    picPreview.Move(0, 0, w, h);
    OverImage1.Move(std::max(0, w - 875), std::max(0, h - 600));
    OverImage1.ZOrder(0);
}

void frmViewer::UpdateDisplay(const std::string&) {}

void frmViewer::SetQueuePicture(const std::string& key)
{
    EnsureLoaded();
    queuePicture_ = key;
    OverImage1.Picture(DrawnIcons::Get(key, 32));
}
