#pragma once
// Shows an icon as a shaped overlay: only the icon's opaque pixels belong to the
// control, everything else lets the window below show through.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

#include "core/controls/ControlProperties.h"

class OverImage {
public:
    static constexpr const char* kClassName = "QuilleryPro.OverImage";

    static bool Register();
    static HWND Create(HWND parent, int x, int y, int width, int height, int id = 0);
    static OverImage* FromHwnd(HWND hwnd);

    explicit OverImage(HWND hwnd) : hwnd_(hwnd) {}
    OverImage(const OverImage&) = delete;
    OverImage& operator=(const OverImage&) = delete;

    HICON Picture() const { return picture_; }  // not owned
    void SetPicture(HICON icon);
    bool Enabled() const;
    void SetEnabled(bool on);
    int16_t BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(int16_t style);
    COLORREF ForeColor() const { return foreColor_; }
    void SetForeColor(COLORREF c);
    HFONT Font() const { return font_; }  // not owned; 0 = the container's font
    void SetFont(HFONT font);
    void Refresh() {}

    HWND hWnd() const { return hwnd_; }

    // Saved properties; reading applies them through the setters, so a stored
    // picture rebuilds the shape. ambientFont stands in for a missing "Font".
    void ReadProperties(IControlPropertyBag& bag, HFONT ambientFont = nullptr);
    void WriteProperties(IControlPropertyBag& bag, HFONT ambientFont = nullptr) const;

    // The outline of an icon: its mask drawn black on white, the black pixels as a
    // region (0 for no icon). The caller owns the region.
    static HRGN ShapeFromIcon(HICON icon);

    // Events, as the surface raises them; arguments by reference, positions in pixels.
    struct Events {
        std::function<void()> Click, DblClick;
        std::function<void(int16_t& KeyCode, int16_t& Shift)> KeyDown, KeyUp;
        std::function<void(int16_t& KeyAscii)> KeyPress;
        std::function<void(int16_t& Button, int16_t& Shift, float& X, float& Y)> MouseDown, MouseMove, MouseUp;
    } events;
    std::function<void(const std::string&)> PropertyChanged;

    LRESULT Handle(UINT msg, WPARAM wp, LPARAM lp);

private:
    void Notify(const char* name);
    void Reshape();

    HWND hwnd_;
    HICON picture_ = nullptr;
    int16_t borderStyle_ = 0;
    COLORREF foreColor_ = 0;
    HFONT font_ = nullptr;
    bool pressed_ = false;
};
