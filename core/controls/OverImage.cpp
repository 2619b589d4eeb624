#include "core/controls/OverImage.h"

#include <vector>

#include "platform/QlError.h"
#include "core/controls/GdiTally.h"
#include "core/modMain.h"

HRGN OverImage::ShapeFromIcon(HICON icon)
{
    if (!icon)
        return nullptr;
    int w = GetSystemMetrics(SM_CXICON), h = GetSystemMetrics(SM_CYICON);
    ICONINFO info{};
    if (GetIconInfo(icon, &info)) {
        platform::GdiObject<HBITMAP> mask(info.hbmMask), colour(info.hbmColor);
        BITMAP bm{};
        if (mask && GetObjectA(mask.Get(), sizeof bm, &bm)) {
            w = bm.bmWidth;
            h = colour ? bm.bmHeight : bm.bmHeight / 2;
        }
    }
    // Scratch surface: white, then the icon's mask on top (transparent white, opaque black).
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    ql::gdi::DC scratch(ql::gdi::CompatibleDC(nullptr));
    HDC dc = scratch.Get();
    platform::GdiObject<HBITMAP> bmp(CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
    HRGN shape = CreateRectRgn(0, 0, 0, 0);
    if (dc && bmp && bits) {
        platform::Selection selected(dc, bmp.Get());
        RECT all{0, 0, w, h};
        FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        DrawIconEx(dc, 0, 0, icon, 0, 0, 0, nullptr, DI_MASK | DI_DEFAULTSIZE);
        GdiFlush();
        auto* px = static_cast<const uint32_t*>(bits);
        for (int y = 0; y < h; ++y) {
            int x = 0;
            while (x < w) {
                while (x < w && (px[y * w + x] & 0xFFFFFF) == 0xFFFFFF)
                    ++x;
                int start = x;
                while (x < w && (px[y * w + x] & 0xFFFFFF) != 0xFFFFFF)
                    ++x;
                if (x > start) {
                    platform::GdiObject<HRGN> run(CreateRectRgn(start, y, x, y + 1));
                    CombineRgn(shape, shape, run.Get(), RGN_OR);
                }
            }
        }
    }
    return shape;
}

void OverImage::Notify(const char* name)
{
    if (PropertyChanged)
        PropertyChanged(name);
}

void OverImage::Reshape()
{
    // Without a picture the control has no shape at all: nothing shows.
    HRGN shape = picture_ ? ShapeFromIcon(picture_) : CreateRectRgn(0, 0, 0, 0);
    if (!SetWindowRgn(hwnd_, shape, TRUE) && shape)
        DeleteObject(shape);  // the window owns the region only when it took it
    InvalidateRect(hwnd_, nullptr, TRUE);
}

void OverImage::SetPicture(HICON icon)
{
    picture_ = icon;
    Notify("Picture");
    Reshape();
}

bool OverImage::Enabled() const { return IsWindowEnabled(hwnd_) != FALSE; }

void OverImage::SetEnabled(bool on)
{
    EnableWindow(hwnd_, on ? TRUE : FALSE);
    Notify("Enabled");
}

void OverImage::SetBorderStyle(int16_t style)
{
    borderStyle_ = style;
    LONG s = GetWindowLongA(hwnd_, GWL_STYLE);
    s = style ? (s | WS_BORDER) : (s & ~WS_BORDER);
    SetWindowLongA(hwnd_, GWL_STYLE, s);
    SetWindowPos(hwnd_, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
    Notify("BorderStyle");
}

void OverImage::SetForeColor(COLORREF c)
{
    foreColor_ = c;
    Notify("ForeColor");
}

void OverImage::SetFont(HFONT font)
{
    font_ = font;
    Notify("Font");
}

void OverImage::ReadProperties(IControlPropertyBag& bag, HFONT ambientFont)
{
    SetForeColor(static_cast<COLORREF>(ql::props::Long(bag, "ForeColor", 0)));
    SetEnabled(ql::props::Flag(bag, "Enabled", true));
    SetFont(static_cast<HFONT>(ql::props::Handle(bag, "Font", ambientFont)));
    SetBorderStyle(static_cast<int16_t>(ql::props::Long(bag, "BorderStyle", 0)));
    SetPicture(static_cast<HICON>(ql::props::Handle(bag, "Picture", nullptr)));
}

void OverImage::WriteProperties(IControlPropertyBag& bag, HFONT ambientFont) const
{
    bag.Write("ForeColor", static_cast<int32_t>(foreColor_), 0);
    bag.Write("Enabled", Enabled(), true);
    bag.Write("Font", static_cast<void*>(font_), static_cast<void*>(ambientFont));
    bag.Write("BorderStyle", static_cast<int32_t>(borderStyle_), 0);
    bag.Write("Picture", static_cast<void*>(picture_), static_cast<void*>(nullptr));
}

namespace {

int16_t ShiftState()
{
    int16_t s = 0;
    if (GetKeyState(VK_SHIFT) < 0)
        s |= 1;
    if (GetKeyState(VK_CONTROL) < 0)
        s |= 2;
    if (GetKeyState(VK_MENU) < 0)
        s |= 4;
    return s;
}

int16_t ButtonOf(UINT msg, WPARAM wp)
{
    switch (msg) {
    case WM_LBUTTONDOWN: case WM_LBUTTONUP: return 1;
    case WM_RBUTTONDOWN: case WM_RBUTTONUP: return 2;
    case WM_MBUTTONDOWN: case WM_MBUTTONUP: return 4;
    default: {
        int16_t b = 0;
        if (wp & MK_LBUTTON) b |= 1;
        if (wp & MK_RBUTTON) b |= 2;
        if (wp & MK_MBUTTON) b |= 4;
        return b;
    }
    }
}

}  // namespace

// A handler's failure must not unwind through the window procedure: it is logged.
template <class F>
static void Raise(const char* event, F&& call)
{
    try {
        call();
    } catch (const QlError& e) {
        modMain::LogError(std::string("OverImage: ") + event, e.Number, e.Description);
    } catch (const std::exception& e) {
        modMain::LogError(std::string("OverImage: ") + event, 0, e.what());
    } catch (...) {
        modMain::LogError(std::string("OverImage: ") + event, 0, "Unknown error");
    }
}

LRESULT OverImage::Handle(UINT msg, WPARAM wp, LPARAM lp)
{
    auto mouse = [&](const char* name, const std::function<void(int16_t&, int16_t&, float&, float&)>& ev) {
        int16_t button = ButtonOf(msg, wp), shift = ShiftState();
        float x = static_cast<float>(static_cast<int16_t>(LOWORD(lp)));
        float y = static_cast<float>(static_cast<int16_t>(HIWORD(lp)));
        if (ev)
            Raise(name, [&] { ev(button, shift, x, y); });
    };
    switch (msg) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd_, &ps);
        if (dc && picture_)
            DrawIconEx(dc, 0, 0, picture_, 0, 0, 0, nullptr, DI_NORMAL | DI_DEFAULTSIZE);
        EndPaint(hwnd_, &ps);
        return 0;
    }
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        if (msg == WM_LBUTTONDOWN)
            pressed_ = true;
        mouse("MouseDown", events.MouseDown);
        return 0;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
        mouse("MouseUp", events.MouseUp);
        if (msg == WM_LBUTTONUP && pressed_) {
            pressed_ = false;
            if (events.Click)
                Raise("Click", events.Click);
        }
        return 0;
    case WM_MOUSEMOVE:
        mouse("MouseMove", events.MouseMove);
        return 0;
    case WM_LBUTTONDBLCLK:
        if (events.DblClick)
            Raise("DblClick", events.DblClick);
        return 0;
    case WM_KEYDOWN:
    case WM_KEYUP: {
        int16_t code = static_cast<int16_t>(wp), shift = ShiftState();
        auto& ev = msg == WM_KEYDOWN ? events.KeyDown : events.KeyUp;
        if (ev)
            Raise(msg == WM_KEYDOWN ? "KeyDown" : "KeyUp", [&] { ev(code, shift); });
        return 0;
    }
    case WM_CHAR: {
        int16_t ascii = static_cast<int16_t>(wp);
        if (events.KeyPress)
            Raise("KeyPress", [&] { events.KeyPress(ascii); });
        return 0;
    }
    }
    return DefWindowProcA(hwnd_, msg, wp, lp);
}

namespace {

LRESULT CALLBACK OverImageProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    auto* self = reinterpret_cast<OverImage*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (msg == WM_NCCREATE) {
        self = new OverImage(hwnd);
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    if (msg == WM_NCDESTROY) {
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
        delete self;
        return DefWindowProcA(hwnd, msg, wp, lp);
    }
    if (self && msg != WM_NCCREATE)
        return self->Handle(msg, wp, lp);
    return DefWindowProcA(hwnd, msg, wp, lp);
}

}  // namespace

bool OverImage::Register()
{
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    if (GetClassInfoExA(GetModuleHandleA(nullptr), kClassName, &wc))
        return true;
    wc.cbSize = sizeof wc;
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = OverImageProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    wc.lpszClassName = kClassName;
    return RegisterClassExA(&wc) != 0;
}

HWND OverImage::Create(HWND parent, int x, int y, int width, int height, int id)
{
    if (!Register())
        return nullptr;
    DWORD style = WS_VISIBLE | (parent ? WS_CHILD : WS_POPUP);
    HWND hwnd = CreateWindowExA(0, kClassName, "", style, x, y, width, height, parent,
                                parent ? reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)) : nullptr,
                                GetModuleHandleA(nullptr), nullptr);
    // A new control has no picture, hence no shape.
    if (auto* self = FromHwnd(hwnd))
        self->SetPicture(nullptr);
    return hwnd;
}

OverImage* OverImage::FromHwnd(HWND hwnd)
{
    char name[64] = {};
    if (!hwnd || !GetClassNameA(hwnd, name, sizeof name) || lstrcmpiA(name, kClassName) != 0)
        return nullptr;
    return reinterpret_cast<OverImage*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
}
