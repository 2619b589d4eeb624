#include "core/controls/OverImageControl.h"

#include "core/controls/OverImage.h"

void OverImageControl::Picture(HICON icon)
{
    picture_ = icon;
    if (hwnd_)
        if (OverImage* o = OverImage::FromHwnd(hwnd_))
            o->SetPicture(icon);
}

HWND OverImageControl::CreateWindowFor(HWND parent, int id)
{
    OverImage::Register();
    RECT r = PixelRect();
    HWND w = OverImage::Create(parent, r.left, r.top, r.right - r.left, r.bottom - r.top, id);
    if (w) {
        if (OverImage* o = OverImage::FromHwnd(w))
            o->SetPicture(picture_);
        ShowWindow(w, visible_ ? SW_SHOWNA : SW_HIDE);
    }
    return w;
}
