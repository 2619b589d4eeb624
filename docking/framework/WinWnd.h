#pragma once
// Base of the library's simple child windows: one window class, one procedure, and a
// process-wide map from window handle to object.
#include <windows.h>

class CPointerArray;

class CWinWnd {
public:
    CWinWnd();
    virtual ~CWinWnd();
    CWinWnd(const CWinWnd&) = delete;
    CWinWnd& operator=(const CWinWnd&) = delete;

    // 1 when the window exists afterwards; a failed window is not entered in the map.
    virtual int Create(const char* name, DWORD style, const RECT& rect, HWND parent, UINT id);
    virtual void OnCreate() {}
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);

    HWND m_hWnd = nullptr;

    // Drops the first map entry of hwnd; frees the map when it empties and freeWhenEmpty is set.
    static void Unregister(HWND hwnd, bool freeWhenEmpty);
    static CPointerArray* WindowMap();
    static CWinWnd* FromHandle(HWND hwnd);
    static bool RegisterWindowClass();
    static const char* ClassName() { return "MOORWINWND"; }
};

LRESULT CALLBACK WinWndDispatchProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
