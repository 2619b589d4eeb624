#pragma once
// One tooltip control of the common controls, loaded at run time so that the library loads
// where the tooltip class is missing; without it no tip is shown and nothing fails.
#include "docking/framework/WinWnd.h"

class CToolTip : public CWinWnd {
public:
    int Create(const char* title);
    int AddTool(HWND window, const char* text, const RECT* rect, UINT id);
    void SetToolRect(HWND window, UINT id, const RECT& rect);
    void DelTool(HWND window, UINT id);

    // Which library the first Create loads (tests point it at a missing one).
    static const char* s_library;
};
