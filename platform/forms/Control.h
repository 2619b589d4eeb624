#pragma once
// A windowed control. Design values (geometry in twips, text, colours) are kept in the
// object, so they can be set before the form loads; once the window exists the setters
// apply at once and the getters read the window where the user can change the value.
#include <windows.h>

#include <string>

#include "platform/forms/Component.h"
#include "platform/forms/Dispatch.h"
#include "platform/forms/StdFont.h"

namespace platform::forms {

enum MouseButtonConstants { vbLeftButton = 1, vbRightButton = 2, vbMiddleButton = 4 };
enum ShiftConstants { vbShiftMask = 1, vbCtrlMask = 2, vbAltMask = 4 };

// A colour as the forms keep it: an RGB value, or a system colour as 0x80000000 | COLOR_x.
using OleColor = uint32_t;
constexpr OleColor SysColor(int index) { return 0x80000000u | static_cast<uint32_t>(index); }
COLORREF TranslateColor(OleColor c);

class Control : public Component {
public:
    Control(Form& form, std::string name, int index = -1);
    ~Control() override;

    // The window, loading the form first when needed.
    HWND hWnd() const;
    // The window as it is now (nullptr before the form loads or after it unloads).
    HWND Window() const { return hwnd_; }

    // Containers are the form (the default), a Frame or a PictureBox.
    void Container(Control& container);
    Control* Container() const { return container_; }

    int Left() const { return left_; }
    int Top() const { return top_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    void Left(int v) { Move(v, top_, width_, height_); }
    void Top(int v) { Move(left_, v, width_, height_); }
    void Width(int v) { Move(left_, top_, v, height_); }
    void Height(int v) { Move(left_, top_, width_, v); }
    // Twips in the container; a negative width or height is an invalid value (error 380).
    void Move(int left, int top, int width, int height);
    void Move(int left, int top) { Move(left, top, width_, height_); }

    bool Visible() const;
    void Visible(bool v);
    bool Enabled() const { return enabled_; }
    void Enabled(bool v);
    const std::string& ToolTipText() const { return tooltip_; }
    void ToolTipText(const std::string& v);
    const StdFont& Font() const { return font_; }
    void Font(const StdFont& f);
    // Change the font in place (font.Bold = True in the old style) and apply it.
    template <class F>
    void EditFont(F change)
    {
        change(font_);
        ApplyFont();
    }
    OleColor ForeColor() const { return fore_; }
    void ForeColor(OleColor c);
    OleColor BackColor() const { return back_; }
    void BackColor(OleColor c);
    int MousePointer() const { return pointer_; }
    void MousePointer(int p) { pointer_ = p; }
    HCURSOR MouseIcon() const { return mouseIcon_; }
    void MouseIcon(HCURSOR c) { mouseIcon_ = c; }
    int TabIndex() const { return tabIndex_; }
    void TabIndex(int v) { tabIndex_ = v; }

    // Docked to an edge of the form (0 none, 1 top, 2 bottom, 3 left, 4 right): the form
    // lays aligned controls out on every resize.
    int Align() const { return align_; }
    void Align(int v);

    void SetFocus();
    void Refresh();
    void ZOrder(int position = 0);

    // The control that owns a window (nullptr when none).
    static Control* FromWindow(HWND hwnd);
    // Called by containers for child notifications (WM_COMMAND, WM_NOTIFY, scrolls,
    // colours, owner drawing): hands the message to the control that sent it.
    static bool Reflect(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result);

    Event<int, int, int, int> MouseDown;  // button, shift, x, y (twips)
    Event<int, int, int, int> MouseMove;
    Event<int, int, int, int> MouseUp;
    Event<> DblClick;
    Event<int&, int> KeyDown;  // key code (set to 0 to swallow), shift
    Event<int&> KeyPress;      // character code (set to 0 to swallow)
    Event<int&, int> KeyUp;
    Event<> GotFocus;
    Event<> LostFocus;

protected:
    void Create() override;
    void Destroy() override;
    // Creates the window with the design state; the base registers and subclasses it.
    virtual HWND CreateWindowFor(HWND parent, int id) = 0;
    // After the window exists: push design values the style did not carry.
    virtual void AfterCreate() {}
    // After the window is gone: keep what the user changed, if anything.
    virtual void BeforeDestroy() {}
    // A notification the control's container received from this control.
    virtual bool OnReflected(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) { return false; }
    // A message to the control's own window (before the window's own procedure).
    virtual bool OnOwnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) { return false; }
    // After MouseUp (a Click for controls that click on release).
    virtual void AfterMouseUp(int button) {}
    // Whether this control's own window takes mouse events for its Mouse* events.
    virtual bool RaisesMouseEvents() const { return true; }
    virtual bool IsContainer() const { return false; }
    // Enter and Esc on a form arrive as IDOK / IDCANCEL: the default or cancel button clicks.
    virtual bool OnDialogCommand(int id) { return false; }
    virtual bool IsDefaultButton() const { return false; }
    // Mouse coordinates as the control reports them (twips; a picture box uses its scale).
    virtual void MouseToUnits(int px, int py, int& x, int& y) const;

    // The window the control's children go into.
    virtual HWND ClientWindow() const { return hwnd_; }
    HWND ContainerWindow() const;
    // Design rectangle in pixels relative to the container.
    RECT PixelRect() const;
    HWND MakeWindow(const char* cls, const std::string& text, DWORD style, DWORD exStyle, HWND parent, int id);
    void ApplyFont();
    HBRUSH BackBrush();

    HWND hwnd_ = nullptr;
    bool visible_ = true;

private:
    friend class Form;
    static LRESULT CALLBACK SubclassProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
    bool HandleOwnMessage(HWND, UINT, WPARAM, LPARAM, LRESULT&);

    Control* container_ = nullptr;
    int left_ = 0, top_ = 0, width_ = 1215, height_ = 495;
    bool enabled_ = true;
    std::string tooltip_;
    StdFont font_;
    OleColor fore_ = SysColor(COLOR_WINDOWTEXT);
    OleColor back_ = SysColor(COLOR_BTNFACE);
    HBRUSH brush_ = nullptr;
    int pointer_ = 0;
    HCURSOR mouseIcon_ = nullptr;
    int tabIndex_ = 0;
    int align_ = 0;
    bool colorsSet_ = false;
    friend void LayoutAlignedControls(Form& form, RECT& rest);
};

// Current state of the shift keys as the Mouse*/Key* events report it.
int ShiftState();

}  // namespace platform::forms
