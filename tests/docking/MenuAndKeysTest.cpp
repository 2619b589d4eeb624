#include "docking/frame/Accelerators.h"
#include "docking/frame/MainDockFrame.h"
#include "docking/menu/MenuImageStore.h"
#include "docking/tooltip/ToolTip.h"
#include "support/TestEnv.h"

#include <gtest/gtest.h>
#include <commctrl.h>
#include <olectl.h>

#include <string>

TEST(DockAccelerators, MenuTextsBecomeRecordsThatMatchKeys)
{
    AccelRecord r;
    ASSERT_TRUE(ParseAccelerator("&Open...\tCtrl+O", 101, r));
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.key, 'O');
    ASSERT_TRUE(ParseAccelerator("Paste\tShift+Ins", 102, r));
    EXPECT_EQ(r.code, 2);
    EXPECT_EQ(r.key, 45);
    ASSERT_TRUE(ParseAccelerator("x\tctrl+o", 1, r) == false || r.key == 'O');
    ASSERT_TRUE(ParseAccelerator("Close\tCtrl+Shift+F4", 103, r));
    EXPECT_EQ(r.code, AcceleratorCode(true, true, VK_F4));
    EXPECT_FALSE(ParseAccelerator("No key", 104, r));
    EXPECT_FALSE(ParseAccelerator("Plain\tX", 105, r));  // could never match

    std::vector<AccelRecord> records;
    for (auto [text, id] : {std::pair{"Refresh\tF5", 201}, std::pair{"Menu\tF10", 202}, std::pair{"&Open\tCtrl+O", 203}}) {
        AccelRecord a;
        ASSERT_TRUE(ParseAccelerator(text, static_cast<uint16_t>(id), a));
        records.push_back(a);
    }
    const AccelRecord* m = MatchAccelerator(records, AcceleratorCode(false, false, VK_F5), VK_F5);
    ASSERT_NE(m, nullptr);
    EXPECT_EQ(m->command, 201);
    m = MatchAccelerator(records, AcceleratorCode(false, false, VK_F10), VK_F10);
    ASSERT_NE(m, nullptr);
    EXPECT_EQ(m->command, 202);
    EXPECT_EQ(MatchAccelerator(records, AcceleratorCode(false, false, VK_F1), VK_F1), nullptr);
    m = MatchAccelerator(records, AcceleratorCode(true, false, 'O'), 'O');
    ASSERT_NE(m, nullptr);
    EXPECT_EQ(m->command, 203);
    EXPECT_EQ(MatchAccelerator(records, AcceleratorCode(true, true, 'O'), 'O'), nullptr);

    HMENU bar = CreateMenu(), file = CreatePopupMenu();
    AppendMenuA(file, MF_STRING, 301, "&Save\tCtrl+S");
    AppendMenuA(file, MF_STRING, 302, "E&xit");
    AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), "&File");
    records = BuildAccelerators(bar);
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].command, 301);
    DestroyMenu(bar);
}

TEST(DockPopupTracking, WhenAMouseMessageClosesThePopup)
{
    PopupTracking t;
    PopupMouseEvent e = {WM_MOUSEMOVE, HTCLIENT, true, false, true, false, 1000};
    EXPECT_FALSE(PopupShouldClose(t, e));  // inside
    e.targetInPopup = false;
    e.now = 1200;
    EXPECT_FALSE(PopupShouldClose(t, e));  // outside for less than 300 ms
    e.now = 1400;
    EXPECT_TRUE(PopupShouldClose(t, e));
    // After a click inside only a click outside within the main window closes it.
    PopupTracking touched;
    PopupMouseEvent click = {WM_LBUTTONDOWN, HTCLIENT, true, false, true, false, 0};
    EXPECT_FALSE(PopupShouldClose(touched, click));
    EXPECT_TRUE(touched.touched);
    PopupMouseEvent away = {WM_MOUSEMOVE, HTCLIENT, false, false, true, false, 5000};
    EXPECT_FALSE(PopupShouldClose(touched, away));
    PopupMouseEvent combo = {WM_LBUTTONDOWN, HTCLIENT, false, false, false, true, 5000};
    EXPECT_FALSE(PopupShouldClose(touched, combo));
    PopupMouseEvent elsewhere = {WM_LBUTTONDOWN, HTCLIENT, false, false, false, false, 5000};
    EXPECT_FALSE(PopupShouldClose(touched, elsewhere));  // outside the main window
    PopupMouseEvent inFrame = {WM_LBUTTONDOWN, HTCLIENT, false, false, true, false, 5000};
    EXPECT_TRUE(PopupShouldClose(touched, inFrame));
    PopupTracking suspended;
    suspended.suspended = true;
    EXPECT_FALSE(PopupShouldClose(suspended, inFrame));
}

namespace {

IPicture* SmallBitmapPicture()
{
    HDC screen = GetDC(nullptr);
    HBITMAP bm = CreateCompatibleBitmap(screen, 16, 16);
    ReleaseDC(nullptr, screen);
    PICTDESC d = {};
    d.cbSizeofstruct = sizeof(d);
    d.picType = PICTYPE_BITMAP;
    d.bmp.hbitmap = bm;
    IPicture* p = nullptr;
    OleCreatePictureIndirect(&d, IID_IPicture, TRUE, reinterpret_cast<void**>(&p));
    return p;
}

MENUITEMINFOA Item(HMENU menu, int pos, char* text)
{
    MENUITEMINFOA mii = {};
    mii.cbSize = sizeof(mii);
    mii.fMask = MIIM_TYPE | MIIM_DATA | MIIM_ID;
    mii.dwTypeData = text;
    mii.cch = 200;
    GetMenuItemInfoA(menu, pos, TRUE, &mii);
    return mii;
}

}  // namespace

TEST(DockMenuImages, PopupsBecomeOwnerDrawnAndComeBackUnchanged)
{
    CMenuImageStore store;
    HMENU popup = CreatePopupMenu();
    AppendMenuA(popup, MF_STRING, 1, "&Open\tCtrl+O");
    AppendMenuA(popup, MF_STRING, 2, "&Options");
    AppendMenuA(popup, MF_STRING, 3, std::string(100, 'L').c_str());
    AppendMenuA(popup, MF_STRING, 4, "Foreign");
    MENUITEMINFOA foreign = {};
    foreign.cbSize = sizeof(foreign);
    foreign.fMask = MIIM_DATA;
    foreign.dwItemData = 12345;  // another owner's data, not even a pointer
    SetMenuItemInfoA(popup, 3, TRUE, &foreign);

    // Without images nothing is touched.
    store.OnInitMenuPopup(popup, 0, false);
    char text[256];
    EXPECT_FALSE(Item(popup, 0, text).fType & MFT_OWNERDRAW);
    EXPECT_EQ(store.OnMenuChar('o', MF_POPUP, popup), 0);

    CoInitialize(nullptr);
    for (int i = 0; i < 3; ++i) {
        IPicture* p = SmallBitmapPicture();
        ASSERT_NE(p, nullptr);
        store.AddImage(p);
        p->Release();
    }
    store.SetImageIndex("OPEN", 2);
    store.SetImageIndex("&Open", 3);  // same title in other letters replaces the number
    EXPECT_EQ(store.LookupImageIndex("&open\tCtrl+O"), 2);
    EXPECT_EQ(store.LookupImageIndex("nothing"), -1);

    store.OnInitMenuPopup(popup, 0, false);
    MENUITEMINFOA first = Item(popup, 0, text);
    EXPECT_TRUE(first.fType & MFT_OWNERDRAW);
    ASSERT_TRUE(store.IsOwnRecord(first.dwItemData));
    auto* record = reinterpret_cast<MenuItemRecord*>(first.dwItemData);
    EXPECT_EQ(record->image, 2);
    EXPECT_STREQ(record->text, "&Open\tCtrl+O");
    auto* longRecord = reinterpret_cast<MenuItemRecord*>(Item(popup, 2, text).dwItemData);
    EXPECT_EQ(std::string(longRecord->text), std::string(59, 'L'));
    MENUITEMINFOA untouched = Item(popup, 3, text);
    EXPECT_EQ(untouched.dwItemData, 12345u);
    EXPECT_FALSE(untouched.fType & MFT_OWNERDRAW);

    // Two items share the mnemonic: the one after the highlighted one is selected.
    EXPECT_EQ(store.OnMenuChar('o', MF_POPUP, popup), MAKELRESULT(0, MNC_SELECT));
    HiliteMenuItem(nullptr, popup, 0, MF_BYPOSITION | MF_HILITE);
    EXPECT_EQ(HIWORD(store.OnMenuChar('O', MF_POPUP, popup)), MNC_SELECT);
    EXPECT_EQ(store.OnMenuChar('z', MF_POPUP, popup), 0);

    // The menu closes: plain items with their texts again, no item data.
    store.OnMenuSelect(0, 0xFFFF, nullptr);
    first = Item(popup, 0, text);
    EXPECT_FALSE(first.fType & MFT_OWNERDRAW);
    EXPECT_EQ(first.dwItemData, 0u);
    EXPECT_STREQ(text, "&Open\tCtrl+O");
    EXPECT_EQ(Item(popup, 3, text).dwItemData, 12345u);
    EXPECT_EQ(store.RecordCount(), 0u);
    DestroyMenu(popup);
}

TEST(DockToolTip, WithoutTheLibraryThereIsNoTipAndNoFailure)
{
    const char* saved = CToolTip::s_library;
    CToolTip::s_library = "NO_SUCH_COMCTL.DLL";
    CToolTip missing;
    EXPECT_EQ(missing.Create("t"), 0);
    EXPECT_EQ(missing.m_hWnd, nullptr);
    EXPECT_EQ(missing.AddTool(nullptr, "x", nullptr, 1), 0);
    CToolTip::s_library = saved;
    if (!ql::test::HaveDisplay()) GTEST_SKIP() << "no display";
    CToolTip tip;
    ASSERT_EQ(tip.Create("t"), 1);
    ASSERT_NE(tip.m_hWnd, nullptr);
    HWND owner = CreateWindowExA(0, "STATIC", "o", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr, nullptr, nullptr);
    HWND child = CreateWindowExA(0, "STATIC", "c", WS_CHILD, 0, 0, 10, 10, owner, nullptr, nullptr, nullptr);
    RECT rc = {0, 0, 20, 20};
    EXPECT_NE(tip.AddTool(owner, "first", &rc, 1), 0);
    EXPECT_NE(tip.AddTool(child, "by handle", nullptr, 0), 0);
    EXPECT_EQ(SendMessageA(tip.m_hWnd, TTM_GETTOOLCOUNT, 0, 0), 2);
    tip.DelTool(child, 0);  // identified by the window handle, owned by its parent
    EXPECT_EQ(SendMessageA(tip.m_hWnd, TTM_GETTOOLCOUNT, 0, 0), 1);
    DestroyWindow(owner);
}

TEST(DockMenuImages, OwnerDrawnItemsAreMeasuredAndDrawn)
{
    if (!ql::test::HaveDisplay()) GTEST_SKIP() << "no display";
    CoInitialize(nullptr);
    CMenuImageStore store;
    // A red 16 x 16 image with a grey (transparent) corner.
    HDC screen = GetDC(nullptr);
    HBITMAP bm = CreateCompatibleBitmap(screen, 16, 16);
    HDC mem = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(mem, bm);
    RECT all = {0, 0, 16, 16};
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    FillRect(mem, &all, red);
    SetPixel(mem, 0, 0, RGB(192, 192, 192));
    SelectObject(mem, old);
    DeleteObject(red);
    PICTDESC d = {};
    d.cbSizeofstruct = sizeof(d);
    d.picType = PICTYPE_BITMAP;
    d.bmp.hbitmap = bm;
    IPicture* pic = nullptr;
    ASSERT_EQ(OleCreatePictureIndirect(&d, IID_IPicture, TRUE, reinterpret_cast<void**>(&pic)), S_OK);
    store.AddImage(pic);
    pic->Release();
    store.SetImageIndex("Save", 1);
    HMENU popup = CreatePopupMenu();
    AppendMenuA(popup, MF_STRING, 1, "Save\tCtrl+S");
    AppendMenuA(popup, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(popup, MF_STRING | MF_GRAYED, 2, "Save");
    store.OnInitMenuPopup(popup, 0, false);
    HWND host = CreateWindowExA(0, "STATIC", "h", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    MENUITEMINFOA mii = {};
    mii.cbSize = sizeof(mii);
    mii.fMask = MIIM_DATA;
    GetMenuItemInfoA(popup, 0, TRUE, &mii);
    MEASUREITEMSTRUCT mis = {ODT_MENU, 0, 1, 0, 0, mii.dwItemData};
    ASSERT_EQ(store.OnMeasureItem(&mis, host), 1);
    EXPECT_GE(mis.itemHeight, 16u);
    EXPECT_GT(mis.itemWidth, 20u);
    MEASUREITEMSTRUCT foreign = {ODT_MENU, 0, 1, 0, 0, 4711};
    EXPECT_EQ(store.OnMeasureItem(&foreign, host), 0);

    HBITMAP target = CreateCompatibleBitmap(screen, 200, 24);
    SelectObject(mem, target);
    RECT back = {0, 0, 200, 24};
    FillRect(mem, &back, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    DRAWITEMSTRUCT dis = {};
    dis.CtlType = ODT_MENU;
    dis.itemID = 1;
    dis.itemAction = ODA_DRAWENTIRE;
    dis.hDC = mem;
    dis.rcItem = back;
    dis.itemData = mii.dwItemData;
    ASSERT_EQ(store.OnDrawItem(&dis), 1);
    EXPECT_EQ(GetPixel(mem, 10, 12) & 0xFFFFFF, static_cast<COLORREF>(RGB(255, 0, 0)));  // the image in its cell
    for (int i : {1, 2}) {
        GetMenuItemInfoA(popup, i, TRUE, &mii);
        dis.itemData = mii.dwItemData;
        dis.itemState = i == 2 ? ODS_GRAYED : 0;
        EXPECT_EQ(store.OnDrawItem(&dis), 1);
    }
    store.OnMenuSelect(0, 0xFFFF, nullptr);
    DeleteDC(mem);
    DeleteObject(target);
    ReleaseDC(nullptr, screen);
    DestroyWindow(host);
    DestroyMenu(popup);
}
