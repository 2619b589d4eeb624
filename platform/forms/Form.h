#pragma once
// A form: a top-level window (or an MDI child) with its controls. The object outlives its
// window: it loads when first used, unloads into a plain object whose values can still be
// read, and loads afresh when used again.
#include <windows.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/LoadedForms.h"
#include "platform/forms/BackingBitmap.h"
#include "platform/forms/Control.h"
#include "platform/forms/StdFont.h"

namespace platform::forms {

class Menu;
class Timer;

enum FormShowConstants { vbModeless = 0, vbModal = 1 };
enum QueryUnloadConstants {
    vbFormControlMenu = 0, vbFormCode = 1, vbAppWindows = 2, vbAppTaskManager = 3, vbFormMDIForm = 4,
    vbFormOwner = 5
};
enum FormWindowStateConstants { vbNormal = 0, vbMinimized = 1, vbMaximized = 2 };
enum FormBorderStyleConstants {
    vbBSNone = 0, vbFixedSingle = 1, vbSizable = 2, vbFixedDialog = 3, vbFixedToolWindow = 4,
    vbSizableToolWindow = 5
};
enum StartUpPositionConstants { vbStartUpManual = 0, vbStartUpOwner = 1, vbStartUpScreen = 2, vbStartUpWindowsDefault = 3 };

class Form : public LoadedForm, public std::enable_shared_from_this<Form> {
public:
    explicit Form(std::string name);
    ~Form() override;
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    // LoadedForm
    std::string FormName() const override { return name_; }
    void Unload() override { Unload(vbFormCode); }

    const std::string& Name() const { return name_; }
    bool IsLoaded() const { return loaded_; }
    // Loaded once and unloaded since: the object a fresh use should replace.
    bool WasUnloaded() const { return everLoaded_ && !loaded_ && !loading_; }

    // Creates the window and the controls hidden and runs Form_Load (nothing when loaded).
    void Load();
    void EnsureLoaded() { if (!loaded_ && !loading_) Load(); }
    // Modeless, or modal: the call returns when the form is hidden or unloaded. The owner
    // stays above ... below the form; a modal form disables the other windows meanwhile.
    void Show(int modal = vbModeless, Form* owner = nullptr);
    void Hide();
    // Runs QueryUnload and Unload (either may cancel); false when cancelled.
    bool Unload(int mode);

    HWND hWnd() { EnsureLoaded(); return hwnd_; }
    HWND Window() const { return hwnd_; }

    const std::string& Caption() const { return caption_; }
    void Caption(const std::string& v);
    // Outer geometry in twips.
    int Left() const;
    int Top() const;
    int Width() const;
    int Height() const;
    void Left(int v) { Move(v, Top(), Width(), Height()); }
    void Top(int v) { Move(Left(), v, Width(), Height()); }
    void Width(int v) { Move(Left(), Top(), v, Height()); }
    void Height(int v) { Move(Left(), Top(), Width(), v); }
    void Move(int left, int top, int width, int height);
    void Move(int left, int top) { Move(left, top, Width(), Height()); }
    // Inner size in twips.
    int ScaleWidth() const;
    int ScaleHeight() const;
    // The client size asked for at design time (twips); the outer size follows from it.
    void ClientSize(int width, int height);
    // 1 twips (the default) or 3 pixels: the unit of ScaleWidth/ScaleHeight, the drawing
    // calls and the mouse events.
    int ScaleMode() const { return scaleMode_; }
    void ScaleMode(int mode) { if (mode == 1 || mode == 3) scaleMode_ = mode; }

    // Drawing on the form. With AutoRedraw the drawing goes to a bitmap the form shows
    // on every repaint; otherwise to the window's own DC (Form_Paint redraws).
    HDC hDC();
    bool AutoRedraw() const { return autoRedraw_; }
    void AutoRedraw(bool v);
    OleColor ForeColor() const { return fore_; }
    void ForeColor(OleColor c) { fore_ = c; }
    double CurrentX() const { return curX_; }
    void CurrentX(double v) { curX_ = v; }
    double CurrentY() const { return curY_; }
    void CurrentY(double v) { curY_ = v; }
    void Cls();
    void Print(const std::string& text, bool newline = true);
    double TextWidth(const std::string& text);
    double TextHeight(const std::string& text);

    int WindowState() const;
    void WindowState(int v);
    int BorderStyle() const { return border_; }
    void BorderStyle(int v) { border_ = v; }
    void MinButton(bool v) { minButton_ = v; }
    void MaxButton(bool v) { maxButton_ = v; }
    void ControlBox(bool v) { controlBox_ = v; }
    void ShowInTaskbar(bool v) { taskbar_ = v; }
    void StartUpPosition(int v) { startPos_ = v; }
    OleColor BackColor() const { return back_; }
    void BackColor(OleColor c);
    HICON Icon() const { return icon_; }
    void Icon(HICON icon);
    bool KeyPreview() const { return keyPreview_; }
    void KeyPreview(bool v) { keyPreview_ = v; }
    int MousePointer() const { return pointer_; }
    void MousePointer(int p);
    const StdFont& Font() const { return font_; }
    void Font(const StdFont& f) { font_ = f; }
    const std::string& Tag() const { return tag_; }
    void Tag(const std::string& v) { tag_ = v; }
    // Shown on screen (a form hidden inside a hidden docking pane counts as not visible).
    bool Visible() const;
    void Visible(bool v) { if (v) Show(); else Hide(); }
    bool Enabled() const;
    void Enabled(bool v);
    // An MDI child of the loaded MDI main form (design time only).
    void MDIChild(bool v) { mdiChild_ = v; }
    bool MDIChild() const { return mdiChild_; }
    void SetFocus();
    void ZOrder(int position = 0);
    void Refresh();

    // Shows a menu's items at the cursor (or x/y in twips on this form); the chosen item's
    // Click runs before the call returns.
    void PopupMenu(Menu& menu, int x = -1, int y = -1);

    // Components in registration order (used by the OLE container's enumeration).
    const std::vector<Component*>& Components() const { return components_; }
    Control* ControlNamed(const std::string& name, int index = -1) const;
    // The accelerator table of this form's menu shortcuts (nullptr when none).
    HACCEL Accelerators() const { return accel_; }
    // Called when a menu shortcut changed, or a title's visibility.
    void MenusChanged();
    void UpdateMenuBar();
    // The timer id for a timer component (stable for the form's life).
    int TimerId(const Timer* t) const;

    // The form that owns a window (nullptr when none).
    static Form* FromWindow(HWND hwnd);
    static WNDPROC FormProc() { return StaticProc; }

protected:
    // Sets design values (caption, size, control properties); runs before each load.
    virtual void Design() {}
    virtual void Form_Load() {}
    virtual void Form_Resize() {}
    virtual void Form_QueryUnload(int& cancel, int unloadMode) {}
    virtual void Form_Unload(int& cancel) {}
    virtual void Form_Activate() {}
    virtual void Form_Paint() {}
    virtual void Form_Click() {}
    virtual void Form_DblClick() {}
    virtual void Form_KeyDown(int& keyCode, int shift) {}
    virtual void Form_KeyPress(int& keyAscii) {}
    virtual void Form_KeyUp(int& keyCode, int shift) {}
    virtual void Form_MouseDown(int button, int shift, int x, int y) {}
    virtual void Form_MouseMove(int button, int shift, int x, int y) {}
    virtual void Form_MouseUp(int button, int shift, int x, int y) {}

    // Window creation hooks for the MDI main form.
    virtual const char* WindowClass() const;
    virtual HWND CreateFormWindow(DWORD style, DWORD exStyle, const RECT& outer);
    virtual LRESULT DefaultProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    // Places the aligned controls (and, for the MDI main form, the MDI client in the rest).
    virtual void LayoutAligned();
    friend class Control;
    // A form message before the default handling; true when handled.
    virtual bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) { return false; }
    // Before QueryUnload: the MDI main form unloads its children first; false cancels.
    virtual bool BeforeUnload(int mode) { return true; }

    std::string Src(const char* handler) const { return name_ + ": " + handler; }

    HWND hwnd_ = nullptr;

private:
    friend class Component;
    friend class Control;
    friend class Menu;
    void AddComponent(Component* c);
    void RemoveComponent(Component* c);
    void CreateComponent(Component* c, std::vector<Component*>& done);
    void BuildMenus();
    void DestroyMenus();
    void Teardown();
    void RaiseResize();
    void RunModalLoop();
    DWORD Style() const;
    DWORD ExStyle() const;
    bool HandleKey(UINT msg, WPARAM wp, LPARAM lp, bool fromControl);
    LRESULT Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    static LRESULT CALLBACK StaticProc(HWND, UINT, WPARAM, LPARAM);
    friend class MDIForm;
    friend void LayoutAlignedControls(Form& form, RECT& rest);

    std::string name_;
    std::vector<Component*> components_;
    std::map<const Timer*, int> timerIds_;
    int nextTimerId_ = 1;
    bool loaded_ = false, loading_ = false, everLoaded_ = false, unloading_ = false;
    bool loadDone_ = false, resizedSinceLoad_ = false;
    bool modal_ = false;
    std::string caption_;
    // Design outer geometry in twips; left/top < 0 means centre or default.
    int left_ = -1, top_ = -1, width_ = 4800, height_ = 3600;
    int clientW_ = -1, clientH_ = -1;
    int border_ = vbSizable;
    bool minButton_ = true, maxButton_ = true, controlBox_ = true, taskbar_ = true;
    int startPos_ = vbStartUpWindowsDefault;
    int state_ = vbNormal;
    OleColor back_ = SysColor(COLOR_BTNFACE);
    HBRUSH brush_ = nullptr;
    HICON icon_ = nullptr;
    bool keyPreview_ = false;
    int pointer_ = 0;
    StdFont font_;
    std::string tag_;
    HMENU menuBar_ = nullptr;
    HACCEL accel_ = nullptr;
    HWND tooltip_ = nullptr;
    bool enabledDesign_ = true;
    bool mdiChild_ = false;
    int scaleMode_ = 1;
    bool autoRedraw_ = false;
    OleColor fore_ = SysColor(COLOR_WINDOWTEXT);
    double curX_ = 0, curY_ = 0;
    BackingBitmap backing_;
    void EnsureBacking();
    void DropBacking();
    double UnitsX(int px) const { return scaleMode_ == 3 ? px : double(px) * Screen_TwipsX(); }
    double UnitsY(int px) const { return scaleMode_ == 3 ? px : double(px) * Screen_TwipsY(); }
    int PxX(double u) const { return static_cast<int>(scaleMode_ == 3 ? u : u / Screen_TwipsX() + 0.5); }
    int PxY(double u) const { return static_cast<int>(scaleMode_ == 3 ? u : u / Screen_TwipsY() + 0.5); }
    static int Screen_TwipsX();
    static int Screen_TwipsY();
};

// The loaded forms of one class, in load order (several instances of a class may be
// loaded at once).
template <class T>
std::vector<T*> LoadedFormsOf()
{
    std::vector<T*> out;
    for (LoadedForm* f : LoadedFormsSnapshot())
        if (auto* t = dynamic_cast<T*>(f))
            out.push_back(t);
    return out;
}

// The shared instance of a form class, created on first use. After the form unloads the
// next use gives a fresh instance; holders of Get() keep the old one readable.
template <class T>
class FormRef {
public:
    // The instance, loaded (touching a form loads it).
    T* operator->() { return &Loaded(); }
    T& operator*() { return Loaded(); }
    T& Loaded()
    {
        T& f = Instance();
        f.EnsureLoaded();
        return f;
    }
    // The instance without loading it.
    T& Instance()
    {
        if (!p_ || p_->WasUnloaded())
            p_ = std::make_shared<T>();
        return *p_;
    }
    std::shared_ptr<T> Get()
    {
        Instance();
        return p_;
    }
    bool Exists() const { return p_ && !p_->WasUnloaded(); }
    bool IsLoaded() const { return p_ && p_->IsLoaded(); }
    // Unloads when loaded; never loads the form to do it.
    void Unload()
    {
        if (p_ && p_->IsLoaded())
            p_->Unload(vbFormCode);
    }
    // Drops the instance (Set frmX = Nothing).
    void Release() { p_.reset(); }

private:
    std::shared_ptr<T> p_;
};

}  // namespace platform::forms
