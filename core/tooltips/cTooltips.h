#pragma once
// One tooltip window (by default a balloon) with a title and an icon, attached to one
// control. The window subclasses the control, so it shows by itself when the mouse
// rests there. Dropping the object leaves the window with its control; the control's
// destruction takes it along.
#include <windows.h>
#include <commctrl.h>

#include <cstdint>
#include <functional>
#include <string>

class cTooltips {
public:
    // Style values.
    enum TipStyle : int32_t { StyleRectangle = 0, StyleBalloon = 1 };  // any value but 1 is rectangular

    // clearOwnTip empties the control's own tool-tip text, so that only the balloon shows.
    void CreateBalloon(HWND Parent, const std::string& Text, const std::string& Title = {}, int32_t Icon = 0,
                       const std::function<void()>& clearOwnTip = {});
    // Rectangular style; icons 1 and above 3 give none.
    void CreateTip(HWND Parent, const std::string& Text, const std::string& Title = {}, int32_t Icon = 0,
                   const std::function<void()>& clearOwnTip = {});

    bool Active() const { return active_; }
    void SetActive(bool on);
    HWND ParentControl() const { return parent_; }
    void SetParentControl(HWND control);

    int32_t Style() const { return style_; }
    void SetStyle(int32_t v);
    bool Centered() const { return centered_; }
    void SetCentered(bool v);
    int32_t Icon() const { return icon_; }
    void SetIcon(int32_t v);
    COLORREF ForeColor() const { return foreColor_; }
    void SetForeColor(COLORREF v);  // 0 = the platform's colour
    const std::string& Title() const { return title_; }
    void SetTitle(const std::string& v);
    COLORREF BackColor() const { return backColor_; }
    void SetBackColor(COLORREF v);  // 0 = the platform's colour
    const std::string& TipText() const { return tipText_; }
    void SetTipText(const std::string& v);

    HWND hWnd() const { return hwnd_; }
    // Destroys the tooltip window; returns false.
    bool Remove();

    static constexpr int kMaxTipWidth = 300;

private:
    void Build();
    void Rebuild();
    TOOLINFOA Tool();

    COLORREF backColor_ = 0;
    std::string title_;
    COLORREF foreColor_ = 0;
    HWND parent_ = nullptr;
    int32_t icon_ = 0;
    bool centered_ = false;
    int32_t style_ = 0;
    std::string tipText_;
    bool active_ = false;
    HWND hwnd_ = nullptr;
    RECT toolRect_{};
};
