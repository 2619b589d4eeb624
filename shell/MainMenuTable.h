#pragma once
// The main window's menu tree as data: items in display order, nesting by depth.
#include <span>

struct MenuRow {
    enum Flags { kHidden = 1, kDisabled = 2, kChecked = 4 };
    int depth;          // 0 for a title of the menu bar
    const char* name;
    int index;          // -1 outside an indexed group
    const char* caption;
    const char* shortcut;
    int flags;
};

namespace MainMenuTable {
std::span<const MenuRow> Rows();
}
