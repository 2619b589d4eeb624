#include "platform/controls/Image.h"

#include "platform/ScopedWin.h"
#include "platform/controls/PaintWhole.h"
#include "platform/forms/WindowClasses.h"

namespace platform::forms {

static LRESULT CALLBACK ImageProc(HWND h, UINT m, WPARAM w, LPARAM l) { return DefWindowProcA(h, m, w, l); }

HWND Image::CreateWindowFor(HWND parent, int id)
{
    RegisterOwnClass("QlImage", ImageProc, CS_DBLCLKS, nullptr);
    return MakeWindow("QlImage", "", 0, WS_EX_TRANSPARENT, parent, id);
}

void Image::Picture(HANDLE picture, bool isIcon)
{
    picture_ = picture;
    icon_ = isIcon;
    if (hwnd_)
        InvalidateRect(hwnd_, nullptr, TRUE);
}

void Image::Stretch(bool v)
{
    stretch_ = v;
    if (hwnd_)
        InvalidateRect(hwnd_, nullptr, TRUE);
}

bool Image::OnOwnMessage(UINT msg, WPARAM, LPARAM, LRESULT& result)
{
    return PaintWhole(hwnd_, msg, result, [&](HDC dc) {
        RECT r;
        GetClientRect(hwnd_, &r);
        if (picture_ && icon_) {
            DrawIconEx(dc, 0, 0, static_cast<HICON>(picture_), stretch_ ? r.right : 0, stretch_ ? r.bottom : 0, 0,
                       nullptr, DI_NORMAL);
        } else if (picture_) {
            BITMAP bm{};
            if (GetObjectA(picture_, sizeof bm, &bm)) {
                OwnedDC src(CreateCompatibleDC(dc));
                Selection picture(src.Get(), picture_);
                if (stretch_)
                    StretchBlt(dc, 0, 0, r.right, r.bottom, src.Get(), 0, 0, bm.bmWidth, bm.bmHeight, SRCCOPY);
                else
                    BitBlt(dc, 0, 0, bm.bmWidth, bm.bmHeight, src.Get(), 0, 0, SRCCOPY);
            }
        }
    });
}

}  // namespace platform::forms
