#pragma once
// Drawing and drag helpers shared by the library's windows.
#include <windows.h>

void RectClientToScreen(HWND hwnd, RECT& rc);
void RectScreenToClient(HWND hwnd, RECT& rc);

// Lets pending paints happen, then locks the window and returns a DC for drawing a tracker.
// Null when WM_QUIT arrived meanwhile; the quit message is posted again for the main loop.
HDC PumpPaintAndLock(HWND hwnd, DWORD dcFlags);

// The 8x8 halftone pattern brush of every drag tracker, made once.
HBRUSH GetHalftoneBrush();

void FillSolidRect(HDC dc, const RECT& rc, COLORREF colour);
void FillRectOpaque(HDC dc, int x, int y, int width, int height, COLORREF colour);
void Draw3dRect(HDC dc, int x, int y, int width, int height, COLORREF topLeft, COLORREF bottomRight);
void Draw3dRect(HDC dc, const RECT& rc, COLORREF topLeft, COLORREF bottomRight);
void DrawPinGlyph(HDC dc, const RECT& rc, bool active, int kind);
// Caption bar of a floating frame (framed) or of a docked pane, in the window's DC. The
// window's own text is left as it is.
void DrawFloatCaption(HWND hwnd, HFONT font, bool active, bool framed, const char* title, int pinKind,
                      RECT* pinRectOut, RECT* closeRectOut, bool closeUp, bool pinUp);
void DrawTransparentBitmap(HDC dc, bool stretch, int x, int y, int width, int height, HBITMAP bitmap,
                           COLORREF transparent);
