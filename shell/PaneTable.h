#pragma once
// The pane windows of the program: for each, the design values of its FDPane (its first
// appearance) and the item of the main window's menu its pane ticks.
#include <span>
#include <string>

#include "shell/DockTypes.h"

struct PaneRow {
    const char* form;         // window name, e.g. "frmFonts"
    FloatDockType type;
    DockStyle side;           // first dock side (DockToNone: floating)
    bool canLeft, canTop, canRight, canBottom;
    PinType pin;
    short dockHW;             // docked width or height, pixels
    short floatLeft, floatTop, floatWidth, floatHeight;
    const char* menu;         // "" when the pane ticks no item
    int menuIndex;            // -1 for an item outside an indexed group
};

namespace PaneTable {

std::span<const PaneRow> Rows();
// The row of a window (case-insensitive), nullptr when it is no pane.
const PaneRow* Find(const std::string& form);

}  // namespace PaneTable
