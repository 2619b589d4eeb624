#pragma once
// Taking over messages of windows the library does not own (host window, MDI client, toolbars,
// tree views). Goes through the common controls' subclass chain, so a window that is not (or no
// longer) ours gets default handling and subclasses added after ours survive our removal.
#include <windows.h>

class CSubclassOwner {
public:
    virtual ~CSubclassOwner() = default;
    // Messages of a subclassed window; pass what is not handled to CallNext.
    virtual LRESULT SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) = 0;
    static LRESULT CallNext(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
};

// 0 when the window is already subclassed through here, 1 once it is.
int SubclassWindow(CSubclassOwner* owner, HWND hwnd);
// Removes this owner's subclass; nothing for a null handle.
void UnsubclassWindow(CSubclassOwner* owner, HWND hwnd);
// Whether the owner currently subclasses the window.
bool IsSubclassedBy(CSubclassOwner* owner, HWND hwnd);
int SubclassedWindowCount();
