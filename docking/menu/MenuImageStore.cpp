#include "docking/menu/MenuImageStore.h"

#include "docking/framework/DrawHelpers.h"
#include "docking/framework/HostProps.h"

#include <algorithm>
#include <cstring>

namespace {

bool SameTitle(const std::string& a, const std::string& b) { return lstrcmpiA(a.c_str(), b.c_str()) == 0; }

void AddOnce(std::vector<HMENU>& list, HMENU m)
{
    if (std::find(list.begin(), list.end(), m) == list.end())
        list.push_back(m);
}

}  // namespace

CMenuImageStore::CMenuImageStore() = default;

CMenuImageStore::~CMenuImageStore()
{
    for (HMENU m : m_convertedMenus)
        if (IsMenu(m)) ConvertMenu(m, false, false);
    for (ULONG_PTR r : m_records)
        delete reinterpret_cast<MenuItemRecord*>(r);
    ReleaseImages();
    if (m_menuFont)
        DeleteObject(m_menuFont);
}

void CMenuImageStore::ReleaseImages()
{
    for (ImageEntry& e : m_images)
        if (e.picture) e.picture->Release();
    m_images.clear();
    m_imageCount = 0;
}

void CMenuImageStore::SetImageIndex(const std::string& title, long index)
{
    if (title.empty())
        return;
    for (TitleEntry& t : m_titles)
        if (SameTitle(t.title, title)) {
            t.image = static_cast<int>(index - 1);
            return;
        }
    m_titles.push_back({static_cast<int>(index - 1), title});
}

void CMenuImageStore::SetImageSize(int width, int height, COLORREF mask)
{
    m_imageWidth = width;
    m_imageHeight = height;
    m_cellWidth = width + 4;
    m_cellHeight = height + 4;
    m_maskColor = mask;
}

void CMenuImageStore::AddImage(IPicture* picture)
{
    if (!picture)
        return;
    ImageEntry e;
    e.picture = picture;
    picture->AddRef();
    picture->get_Type(&e.type);
    m_images.push_back(e);
    m_imageCount = static_cast<int>(m_images.size());
}

void CMenuImageStore::LoadImageList(IDispatch* list)
{
    ReleaseImages();
    if (!list)
        return;
    // Image lists of either common-controls generation; read through their dispatch names.
    static const IID kListNew = {0x2C247F21, 0x8591, 0x11D1, {0xB1, 0x6A, 0x00, 0xC0, 0xF0, 0x28, 0x36, 0x28}};
    static const IID kListOld = {0xE6E17E80, 0xDF38, 0x11CF, {0x8E, 0x74, 0x00, 0xA0, 0xC9, 0x0F, 0x26, 0xF8}};
    IDispatch* images = nullptr;
    if (FAILED(list->QueryInterface(kListNew, reinterpret_cast<void**>(&images))) &&
        FAILED(list->QueryInterface(kListOld, reinterpret_cast<void**>(&images))))
        return;
    VARIANT v;
    VariantInit(&v);
    if (SUCCEEDED(GetDispatchProperty(images, "MaskColor", DISPATCH_PROPERTYGET, &v)) &&
        SUCCEEDED(VariantChangeType(&v, &v, 0, VT_I4)))
        m_maskColor = static_cast<COLORREF>(V_I4(&v));
    int w = 16, h = 16;
    if (SUCCEEDED(GetDispatchProperty(images, "ImageWidth", DISPATCH_PROPERTYGET, &v)) &&
        SUCCEEDED(VariantChangeType(&v, &v, 0, VT_I2)))
        w = V_I2(&v);
    if (SUCCEEDED(GetDispatchProperty(images, "ImageHeight", DISPATCH_PROPERTYGET, &v)) &&
        SUCCEEDED(VariantChangeType(&v, &v, 0, VT_I2)))
        h = V_I2(&v);
    SetImageSize(w, h, m_maskColor);
    IDispatch* collection = nullptr;
    if (SUCCEEDED(GetDispatchProperty(images, "ListImages", DISPATCH_PROPERTYGET, &v)) && V_VT(&v) == VT_DISPATCH) {
        collection = V_DISPATCH(&v);
        collection->AddRef();
    }
    VariantClear(&v);
    if (collection) {
        long count = 0;
        if (SUCCEEDED(GetDispatchProperty(collection, "Count", DISPATCH_PROPERTYGET, &v)) &&
            SUCCEEDED(VariantChangeType(&v, &v, 0, VT_I4)))
            count = V_I4(&v);
        VariantClear(&v);
        for (long i = 1; i <= count && i <= 4096; ++i) {
            DISPID id = DISPID_VALUE;
            VARIANT index, item;
            VariantInit(&index);
            VariantInit(&item);
            V_VT(&index) = VT_I4;
            V_I4(&index) = i;
            DISPPARAMS params = {&index, nullptr, 1, 0};
            LPOLESTR name = const_cast<LPOLESTR>(L"Item");
            if (FAILED(collection->GetIDsOfNames(IID_NULL, &name, 1, LOCALE_USER_DEFAULT, &id)) ||
                FAILED(collection->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET | DISPATCH_METHOD,
                                          &params, &item, nullptr, nullptr)) ||
                V_VT(&item) != VT_DISPATCH || !V_DISPATCH(&item))
                break;
            VARIANT picture;
            VariantInit(&picture);
            IPicture* pic = nullptr;
            if (SUCCEEDED(GetDispatchProperty(V_DISPATCH(&item), "Picture", DISPATCH_PROPERTYGET, &picture)) &&
                (V_VT(&picture) == VT_DISPATCH || V_VT(&picture) == VT_UNKNOWN) && V_UNKNOWN(&picture))
                V_UNKNOWN(&picture)->QueryInterface(IID_IPicture, reinterpret_cast<void**>(&pic));
            VariantClear(&picture);
            VariantClear(&item);
            if (!pic)
                break;
            AddImage(pic);
            pic->Release();
        }
        collection->Release();
    }
    images->Release();
}

int CMenuImageStore::LookupImageIndex(const char* text) const
{
    if (!text || !*text)
        return -1;
    std::string title(text);
    const size_t tab = title.find('\t');
    if (tab != std::string::npos)
        title.resize(tab);
    for (const TitleEntry& t : m_titles)
        if (SameTitle(t.title, title))
            return t.image >= 0 && t.image < m_imageCount ? t.image : -1;
    return -1;
}

bool CMenuImageStore::IsOwnRecord(ULONG_PTR data) const { return data && m_records.count(data) != 0; }

void CMenuImageStore::ConvertMenu(HMENU menu, bool isSystemMenu, bool toOwnerDraw)
{
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        char text[257] = {};
        MENUITEMINFOA mii = {};
        mii.cbSize = sizeof(mii);
        mii.fMask = MIIM_ID | MIIM_SUBMENU | MIIM_TYPE | MIIM_DATA;
        mii.dwTypeData = text;
        mii.cch = 256;
        if (!GetMenuItemInfoA(menu, i, TRUE, &mii))
            continue;
        const bool own = IsOwnRecord(mii.dwItemData);
        if ((mii.dwItemData && !own) || (isSystemMenu && mii.wID >= 0xF000) ||
            ((mii.fType & MFT_BITMAP) && mii.wID >= 0xF000))
            continue;
        auto* record = own ? reinterpret_cast<MenuItemRecord*>(mii.dwItemData) : nullptr;
        if (toOwnerDraw) {
            if (mii.fType & MFT_OWNERDRAW)
                continue;
            const UINT type = mii.fType | MFT_OWNERDRAW;
            if (!record) {
                record = new MenuItemRecord();
                record->type = type;
                record->image = LookupImageIndex(text);
                m_records.insert(reinterpret_cast<ULONG_PTR>(record));
            }
            lstrcpynA(record->text, (mii.fType & (MFT_BITMAP | MFT_SEPARATOR)) ? "" : text, 60);
            MENUITEMINFOA set = {};
            set.cbSize = sizeof(set);
            set.fMask = MIIM_TYPE | MIIM_DATA;
            set.fType = type;
            set.dwItemData = reinterpret_cast<ULONG_PTR>(record);
            SetMenuItemInfoA(menu, i, TRUE, &set);
            AddOnce(m_convertedMenus, menu);
        } else if (record) {
            MENUITEMINFOA set = {};
            set.cbSize = sizeof(set);
            set.fMask = MIIM_TYPE | MIIM_DATA;
            set.fType = record->type & ~MFT_OWNERDRAW;
            set.dwTypeData = record->text;
            set.dwItemData = 0;
            if (set.fType & MFT_SEPARATOR)
                set.dwTypeData = nullptr;
            SetMenuItemInfoA(menu, i, TRUE, &set);
            m_records.erase(reinterpret_cast<ULONG_PTR>(record));
            delete record;
        }
    }
}

void CMenuImageStore::OnInitMenuPopup(HMENU menu, int, bool isSystemMenu)
{
    AddOnce(m_openMenus, menu);
    if (m_imageCount > 0) {
        ConvertMenu(menu, isSystemMenu, true);
        if (m_onMenuOpen) m_onMenuOpen(true);
    }
}

void CMenuImageStore::OnMenuSelect(UINT item, UINT flags, HMENU menu)
{
    if (menu || flags != 0xFFFF) {
        if ((flags & MF_POPUP) && menu) {
            HMENU sub = GetSubMenu(menu, static_cast<int>(item));
            m_openMenus.erase(std::remove(m_openMenus.begin(), m_openMenus.end(), sub), m_openMenus.end());
        }
        return;
    }
    if (m_onMenuOpen) m_onMenuOpen(false);
    for (HMENU m : m_convertedMenus)
        if (IsMenu(m)) ConvertMenu(m, false, false);
    m_convertedMenus.clear();
    m_openMenus.clear();
}

HFONT CMenuImageStore::MenuFont()
{
    if (!m_menuFont) {
        NONCLIENTMETRICSA ncm = {};
        ncm.cbSize = 340;
        if (SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, 340, &ncm, 0))
            m_menuFont = CreateFontIndirectA(&ncm.lfMenuFont);
    }
    return m_menuFont ? m_menuFont : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

int CMenuImageStore::OnMeasureItem(MEASUREITEMSTRUCT* mis, HWND host)
{
    if (!mis || m_imageCount == 0 || mis->CtlType != ODT_MENU || !IsOwnRecord(mis->itemData))
        return 0;
    auto* record = reinterpret_cast<MenuItemRecord*>(mis->itemData);
    if (record->type & MFT_SEPARATOR) {
        mis->itemWidth = 0;
        mis->itemHeight = GetSystemMetrics(SM_CYMENU) / 2;
        return 1;
    }
    HDC dc = GetDC(host);
    HGDIOBJ old = SelectObject(dc, MenuFont());
    RECT rc = {0, 0, 0, 0};
    DrawTextA(dc, record->text, -1, &rc, DT_CALCRECT | DT_SINGLELINE | DT_VCENTER);
    SelectObject(dc, old);
    ReleaseDC(host, dc);
    mis->itemHeight = std::max<UINT>(mis->itemHeight, static_cast<UINT>(m_cellHeight));
    mis->itemWidth = static_cast<UINT>(rc.right - rc.left + 2 * m_cellWidth - GetSystemMetrics(SM_CXMENUCHECK) + 6);
    return 1;
}

void CMenuImageStore::DrawImage(HDC dc, int index, int x, int y, bool disabled)
{
    if (index < 0 || index >= m_imageCount)
        return;
    const ImageEntry& e = m_images[index];
    OLE_HANDLE handle = 0;
    if (!e.picture || FAILED(e.picture->get_Handle(&handle)) || !handle)
        return;
    if (e.type == PICTYPE_ICON) {
        HICON icon = reinterpret_cast<HICON>(static_cast<ULONG_PTR>(handle));
        if (disabled)
            DrawStateA(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(icon), 0, x, y, m_imageWidth, m_imageHeight,
                       DST_ICON | DSS_DISABLED);
        else
            DrawIconEx(dc, x, y, icon, m_imageWidth, m_imageHeight, 0, nullptr, DI_NORMAL);
        return;
    }
    HBITMAP bitmap = reinterpret_cast<HBITMAP>(static_cast<ULONG_PTR>(handle));
    if (!disabled) {
        DrawTransparentBitmap(dc, false, x, y, m_imageWidth, m_imageHeight, bitmap, m_maskColor);
        return;
    }
    HDC src = CreateCompatibleDC(dc), mono = CreateCompatibleDC(dc);
    HBITMAP mask = CreateBitmap(m_imageWidth, m_imageHeight, 1, 1, nullptr);
    HGDIOBJ o1 = SelectObject(src, bitmap), o2 = SelectObject(mono, mask);
    SetBkColor(src, m_maskColor);
    BitBlt(mono, 0, 0, m_imageWidth, m_imageHeight, src, 0, 0, SRCCOPY);
    const COLORREF oldText = SetTextColor(dc, RGB(0, 0, 0)), oldBk = SetBkColor(dc, RGB(255, 255, 255));
    for (int pass = 0; pass < 2; ++pass) {
        HBRUSH brush = GetSysColorBrush(pass == 0 ? COLOR_BTNHIGHLIGHT : COLOR_BTNSHADOW);
        HGDIOBJ ob = SelectObject(dc, brush);
        BitBlt(dc, x + (pass == 0 ? 1 : 0), y + (pass == 0 ? 1 : 0), m_imageWidth, m_imageHeight, mono, 0, 0, 0x00B8074A);
        SelectObject(dc, ob);
    }
    SetTextColor(dc, oldText);
    SetBkColor(dc, oldBk);
    SelectObject(src, o1);
    SelectObject(mono, o2);
    DeleteObject(mask);
    DeleteDC(src);
    DeleteDC(mono);
}

int CMenuImageStore::OnDrawItem(const DRAWITEMSTRUCT* dis)
{
    if (!dis || m_imageCount == 0 || dis->CtlType != ODT_MENU || !IsOwnRecord(dis->itemData))
        return 0;
    const auto* record = reinterpret_cast<const MenuItemRecord*>(dis->itemData);
    HDC dc = dis->hDC;
    RECT item = dis->rcItem;
    if (record->type & MFT_SEPARATOR) {
        RECT line = item;
        line.top += (item.bottom - item.top) / 2;
        DrawEdge(dc, &line, EDGE_ETCHED, BF_TOP);
        return 1;
    }
    const bool selected = dis->itemState & ODS_SELECTED, disabled = dis->itemState & ODS_GRAYED,
               checked = dis->itemState & ODS_CHECKED;
    RECT cell = {item.left, item.top + ((item.bottom - item.top) - m_cellHeight) / 2, item.left + m_cellWidth, 0};
    cell.bottom = cell.top + m_cellHeight;
    const int ix = cell.left + (m_cellWidth - m_imageWidth) / 2, iy = cell.top + (m_cellHeight - m_imageHeight) / 2;
    bool drewCell = false;
    if (record->image < 0) {
        if (checked) {
            FillSolidRect(dc, cell, GetSysColor(selected ? COLOR_MENU : COLOR_3DLIGHT));
            HBITMAP check = LoadBitmapA(nullptr, MAKEINTRESOURCEA(32760)  /* OBM_CHECK */);
            if (check) {
                BITMAP bm;
                GetObjectA(check, sizeof(bm), &bm);
                HDC mem = CreateCompatibleDC(dc);
                HGDIOBJ old = SelectObject(mem, check);
                const int w = std::min<int>(bm.bmWidth, m_cellWidth), h = std::min<int>(bm.bmHeight, m_cellHeight);
                BitBlt(dc, cell.left + (m_cellWidth - w) / 2, cell.top + (m_cellHeight - h) / 2, w, h, mem, 0, 0, SRCAND);
                SelectObject(mem, old);
                DeleteDC(mem);
                DeleteObject(check);
            }
            RECT edge = cell;
            DrawEdge(dc, &edge, BDR_SUNKENOUTER, BF_RECT);
            drewCell = true;
        }
    } else if (!disabled) {
        FillSolidRect(dc, cell, GetSysColor(checked && !selected ? COLOR_3DLIGHT : COLOR_MENU));
        if (selected || checked) {
            RECT edge = cell;
            DrawEdge(dc, &edge, checked ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
        }
        DrawImage(dc, record->image, ix, iy, false);
        drewCell = true;
    } else if (m_drawDisabledImages) {
        DrawImage(dc, record->image, ix, iy, true);
        drewCell = true;
    }
    if (selected || dis->itemAction == ODA_SELECT) {
        RECT back = item;
        if (drewCell)
            back.left += m_cellWidth + 1;
        FillSolidRect(dc, back, GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_MENU));
    }
    RECT text = item;
    text.left += m_cellWidth + 3;
    text.right -= m_cellWidth;
    SetBkMode(dc, TRANSPARENT);
    HGDIOBJ oldFont = SelectObject(dc, MenuFont());
    std::string label(record->text), accel;
    const size_t tab = label.find('\t');
    if (tab != std::string::npos) {
        accel = label.substr(tab + 1);
        label.resize(tab);
    }
    auto paint = [&](COLORREF colour, int dx) {
        RECT r = text;
        OffsetRect(&r, dx, dx);
        SetTextColor(dc, colour);
        DrawTextA(dc, label.c_str(), -1, &r, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
        if (!accel.empty())
            DrawTextA(dc, accel.c_str(), -1, &r, DT_SINGLELINE | DT_VCENTER | DT_RIGHT);
    };
    if (disabled && (!selected || GetSysColor(COLOR_GRAYTEXT) == GetSysColor(COLOR_HIGHLIGHT)))
        paint(GetSysColor(COLOR_BTNHIGHLIGHT), 1);
    paint(GetSysColor(disabled ? COLOR_GRAYTEXT : selected ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT), 0);
    SelectObject(dc, oldFont);
    return 1;
}

LRESULT CMenuImageStore::OnMenuChar(char ch, UINT, HMENU menu)
{
    if (m_imageCount == 0 || !menu)
        return 0;
    auto upper = [](char c) {
        char buf[2] = {c, 0};
        CharUpperBuffA(buf, 1);
        return buf[0];
    };
    const char typed = upper(ch);
    std::vector<int> matches;
    int highlighted = -1;
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        MENUITEMINFOA mii = {};
        mii.cbSize = sizeof(mii);
        mii.fMask = MIIM_STATE | MIIM_TYPE | MIIM_DATA;
        if (!GetMenuItemInfoA(menu, i, TRUE, &mii))
            continue;
        if (mii.fState & MFS_HILITE)
            highlighted = i;
        if (!(mii.fType & MFT_OWNERDRAW) || !IsOwnRecord(mii.dwItemData))
            continue;
        const char* text = reinterpret_cast<MenuItemRecord*>(mii.dwItemData)->text;
        const char* amp = std::strchr(text, '&');
        if (amp && amp[1]) {
            const char c = upper(amp[1]);
            if (c == typed)
                matches.push_back(i);
        }
    }
    if (matches.empty())
        return 0;
    if (matches.size() == 1)
        return MAKELRESULT(matches[0], MNC_EXECUTE);
    int pick = matches[0];
    for (int m : matches)
        if (m > highlighted) {
            pick = m;
            break;
        }
    return MAKELRESULT(pick, MNC_SELECT);
}
