#include "shell/MenuImages.h"

#include "platform/ScopedWin.h"

namespace {

constexpr UINT_PTR kSubclassId = 0x4D49;  // "MI"

std::string CaptionOf(const std::string& itemText)
{
    size_t tab = itemText.find('\t');
    return tab == std::string::npos ? itemText : itemText.substr(0, tab);
}

}  // namespace

MenuImages::~MenuImages() { Detach(); }

void MenuImages::Attach(HWND window)
{
    Detach();
    hwnd_ = window;
    if (hwnd_)
        SetWindowSubclass(hwnd_, Proc, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
}

void MenuImages::Detach()
{
    if (hwnd_ && IsWindow(hwnd_))
        RemoveWindowSubclass(hwnd_, Proc, kSubclassId);
    hwnd_ = nullptr;
}

void MenuImages::ImageList(HIMAGELIST images) { images_ = images; }

void MenuImages::Enable(bool on) { enabled_ = on; }

void MenuImages::Colours(COLORREF text, COLORREF background)
{
    text_ = text;
    back_ = background;
}

void MenuImages::AddImage(const std::string& caption, int index) { byCaption_[caption] = index; }

int MenuImages::ImageOf(const std::string& caption) const
{
    auto it = byCaption_.find(caption);
    return it == byCaption_.end() ? -1 : it->second;
}

// Items with a picture get a callback bitmap: the system draws the text, we the picture.
void MenuImages::PrepareMenu(HMENU menu)
{
    const int n = GetMenuItemCount(menu);
    for (int i = 0; i < n; ++i) {
        char text[256] = {};
        MENUITEMINFOA mii{};
        mii.cbSize = sizeof mii;
        mii.fMask = MIIM_STRING | MIIM_ID | MIIM_FTYPE | MIIM_SUBMENU;
        mii.dwTypeData = text;
        mii.cch = sizeof text - 1;
        if (!GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &mii) || (mii.fType & MFT_SEPARATOR))
            continue;
        if (ImageOf(CaptionOf(text)) < 0)
            continue;
        UINT key = mii.hSubMenu ? static_cast<UINT>(reinterpret_cast<UINT_PTR>(mii.hSubMenu)) : mii.wID;
        ownerDrawn_[key] = CaptionOf(text);
        MENUITEMINFOA set{};
        set.cbSize = sizeof set;
        set.fMask = MIIM_BITMAP;
        set.hbmpItem = HBMMENU_CALLBACK;
        SetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &set);
    }
}

LRESULT MenuImages::Handle(HWND, UINT msg, WPARAM wp, LPARAM lp, bool& handled)
{
    handled = false;
    if (!enabled_ || !images_)
        return 0;
    switch (msg) {
    case WM_INITMENUPOPUP:
        PrepareMenu(reinterpret_cast<HMENU>(wp));
        return 0;  // the window's own handling follows
    case WM_MEASUREITEM: {
        auto* mi = reinterpret_cast<MEASUREITEMSTRUCT*>(lp);
        if (mi->CtlType != ODT_MENU || !ownerDrawn_.count(mi->itemID))
            return 0;
        int w = 16, h = 16;
        ImageList_GetIconSize(images_, &w, &h);
        mi->itemWidth = static_cast<UINT>(w);
        mi->itemHeight = static_cast<UINT>(h);
        handled = true;
        return TRUE;
    }
    case WM_DRAWITEM: {
        auto* di = reinterpret_cast<DRAWITEMSTRUCT*>(lp);
        if (di->CtlType != ODT_MENU)
            return 0;
        auto it = ownerDrawn_.find(di->itemID);
        if (it == ownerDrawn_.end())
            return 0;
        const int image = ImageOf(it->second);
        int w = 16, h = 16;
        ImageList_GetIconSize(images_, &w, &h);
        const int x = di->rcItem.left, y = di->rcItem.top + (di->rcItem.bottom - di->rcItem.top - h) / 2;
        if (di->itemState & ODS_CHECKED) {
            // A checked item's picture sits in a frame of the text colour on the background colour.
            RECT frame{x - 1, y - 1, x + w + 1, y + h + 1};
            platform::GdiObject<HBRUSH> back(CreateSolidBrush(back_)), edge(CreateSolidBrush(text_));
            FillRect(di->hDC, &frame, back.Get());
            FrameRect(di->hDC, &frame, edge.Get());
        }
        UINT style = ILD_TRANSPARENT;
        if (di->itemState & (ODS_GRAYED | ODS_DISABLED))
            style |= ILD_BLEND50;
        ImageList_Draw(images_, image, di->hDC, x, y, style);
        handled = true;
        return TRUE;
    }
    default:
        return 0;
    }
}

LRESULT CALLBACK MenuImages::Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR data)
{
    auto* self = reinterpret_cast<MenuImages*>(data);
    bool handled = false;
    LRESULT r = self->Handle(hwnd, msg, wp, lp, handled);
    if (handled)
        return r;
    if (msg == WM_NCDESTROY) {
        RemoveWindowSubclass(hwnd, Proc, kSubclassId);
        self->hwnd_ = nullptr;
    }
    return DefSubclassProc(hwnd, msg, wp, lp);
}
