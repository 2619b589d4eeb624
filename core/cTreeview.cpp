#include "core/cTreeview.h"

void cTreeview::ClearAll(HWND treeView)
{
    SendMessageA(treeView, WM_SETREDRAW, FALSE, 0);
    for (;;) {
        auto root = reinterpret_cast<HTREEITEM>(SendMessageA(treeView, TVM_GETNEXTITEM, TVGN_ROOT, 0));
        if (!root)
            break;
        if (!SendMessageA(treeView, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(root)))
            break;
    }
    SendMessageA(treeView, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(treeView, nullptr, TRUE);
}

bool cTreeview::ClearChildren(HWND treeView, HTREEITEM parent)
{
    if (!parent)
        return false;
    for (;;) {
        auto child = reinterpret_cast<HTREEITEM>(
            SendMessageA(treeView, TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(parent)));
        if (!child)
            return true;
        if (!SendMessageA(treeView, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(child)))
            return false;
    }
}
