#pragma once
// A progress bar that draws itself in ten styles, from segmented blocks in a rounded
// frame to gradients, hatch and picture patterns, with an optional percentage text.
// It draws the whole control into an off-screen bitmap and copies that to the window;
// Render draws into any device context, so painting works on memory DCs too.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

#include "core/controls/ControlProperties.h"

class XP_ProgressBar {
public:
    static constexpr const char* kClassName = "QuilleryPro.XP_ProgressBar";

    // The window class the program's windows place; registered once per process.
    static bool Register();
    static HWND Create(HWND parent, int x, int y, int width, int height, int id = 0);
    static XP_ProgressBar* FromHwnd(HWND hwnd);

    XP_ProgressBar();
    ~XP_ProgressBar();
    XP_ProgressBar(const XP_ProgressBar&) = delete;
    XP_ProgressBar& operator=(const XP_ProgressBar&) = delete;

    double Value() const;
    void SetValue(double value);
    int32_t Max() const { return max_; }
    void SetMax(int32_t v);
    int32_t Min() const { return min_; }
    void SetMin(int32_t v);
    int32_t Scrolling() const { return style_; }
    void SetScrolling(int32_t style);
    int32_t Orientation() const { return orientation_; }
    void SetOrientation(int32_t v);
    bool ShowText() const { return showText_; }
    void SetShowText(bool on);
    COLORREF Color() const { return colour_; }
    void SetColor(int32_t oleColour);  // a system colour (top bit set) is translated
    int32_t BrushStyle() const { return brushStyle_; }
    void SetBrushStyle(int32_t hatch);
    HBITMAP Image() const { return image_; }  // not owned
    void SetImage(HBITMAP bitmap);
    HFONT Font() const { return font_; }  // not owned; 0 = the default GUI font
    void SetFont(HFONT font) { font_ = font; }
    int32_t Percentage() const { return percent_; }

    HWND hWnd() const { return hwnd_; }
    void SethWnd(HWND hwnd) { hwnd_ = hwnd; }
    HDC hDC() const { return surfaceInUse_ ? memDc_ : drawDc_; }
    // Makes sure an off-screen surface of the window's client size exists; draws on
    // ownDc when none can be made.
    void SethDC(HDC ownDc);

    // Draws the whole control and copies it to the window (target: its paint DC, or 0).
    void DrawProgressBar(HDC target = nullptr);
    // Draws the whole control into dc over the client rectangle.
    void Render(HDC dc, const RECT& client);

    static void DrawLine(int x1, int y1, int x2, int y2, HDC dc, COLORREF colour);
    static void DrawGradient(COLORREF c1, COLORREF c2, int x1, int y1, int x2, int y2, HDC dc, bool verticalLines);
    void pDraw(HDC dc, int xSrc, int ySrc, int width, int height, int xDst, int yDst) const;

    // Saved properties, applied in their stored order through the setters (so Value
    // is converted with the Max and Min read just before it).
    void ReadProperties(IControlPropertyBag& bag);
    void WriteProperties(IControlPropertyBag& bag) const;

    // The container hears the name of every property that was set.
    std::function<void(const std::string&)> PropertyChanged;

    static COLORREF Lighten(COLORREF c, int amount);
    static COLORREF Mix(COLORREF c1, COLORREF c2, int amount);
    static COLORREF Translate(int32_t oleColour);

private:
    void Notify(const char* name);
    void Redraw();
    void FreeSurface();
    void DrawBlockStyles(HDC dc, RECT r);
    static void DrawBlockFrame(HDC dc, const RECT& r);
    void PaintText(HDC dc, const RECT& r);

    COLORREF colour_;
    HWND hwnd_ = nullptr;
    HDC drawDc_ = nullptr;
    int32_t max_ = 100;
    int32_t min_ = 0;
    int32_t percent_ = 0;
    bool showText_ = false;
    int32_t style_ = 0;
    int32_t orientation_ = 0;
    int32_t brushStyle_ = 0;
    HBITMAP image_ = nullptr;
    HFONT font_ = nullptr;
    bool surfaceInUse_ = false;
    HDC memDc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ oldBitmap_ = nullptr;
    int surfaceW_ = 0;
    int surfaceH_ = 0;
};
