#pragma once
// Empties a tree-view control fast, through its window handle.
#include <windows.h>
#include <commctrl.h>

class cTreeview {
public:
    // Redraw off, delete root items (with their subtrees) until none is left, redraw on.
    // Stops when a delete fails, so a tree that refuses a delete cannot hold it forever.
    // A tree wrapper that keeps its own node list must follow the deletions
    // (TVN_DELETEITEM reaches its parent for every item).
    void ClearAll(HWND treeView);

    // Deletes every child of the item (with their subtrees); the item stays. True when
    // all are gone, false when the item is null or a delete failed.
    bool ClearChildren(HWND treeView, HTREEITEM parent);
};
