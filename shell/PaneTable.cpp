#include "shell/PaneTable.h"

#include <windows.h>

namespace PaneTable {
namespace {

using enum DockStyle;
constexpr auto W = FloatDockType::FloatDockForm;
constexpr auto T = FloatDockType::FloatDockToolBar;
constexpr auto P = PinType::Pinned;
constexpr auto U = PinType::UnPinned;

// form, type, side, can dock left/top/right/bottom, pin, docked size, floating rectangle, menu item
constexpr PaneRow kRows[] = {
    {"frmFonts", W, DockToLeft, true, false, true, false, P, 260, 200, 200, 350, 400, "mnuView", 0},
    {"frmFontBrowser", W, DockToRight, true, false, true, false, P, 260, 200, 200, 350, 400, "mnuView", 1},
    {"frmBig", W, DockToRight, true, true, true, true, U, 260, 200, 200, 200, 200, "mnuView", 3},
    {"frmFontPackager", W, DockToBottom, true, false, true, false, P, 260, 200, 200, 350, 400, "mnuView", 4},
    {"frmAllFonts", W, DockToBottom, true, true, true, true, P, 260, 200, 200, 350, 300, "mnuView", 5},
    {"frmPropertyFont", W, DockToRight, true, false, true, false, P, 200, 200, 200, 200, 200, "mnuView", 7},
    {"frmPropertyViewer", W, DockToLeft, true, false, true, false, P, 200, 200, 200, 200, 200, "mnuView", 8},
    {"frmPropertyTB", T, DockToTop, true, true, true, true, P, 300, 200, 200, 200, 200, "mnuView", 9},
    {"frmHelp", W, DockToBottom, false, true, false, true, P, 150, 200, 200, 200, 200, "mnuHelp", -1},
    {"frmGlyphs", W, DockToNone, true, true, true, true, P, 150, 200, 200, 450, 450, "", -1},
    {"frmPropViewer", W, DockToNone, true, true, true, true, P, 260, 200, 200, 350, 300, "", -1},
};

}  // namespace

std::span<const PaneRow> Rows() { return kRows; }

const PaneRow* Find(const std::string& form)
{
    for (const PaneRow& r : kRows)
        if (lstrcmpiA(r.form, form.c_str()) == 0)
            return &r;
    return nullptr;
}

}  // namespace PaneTable
