#include <windows.h>

#include <vector>

#include <gtest/gtest.h>

#include "core/controls/OverImage.h"
#include "support/TestEnv.h"

namespace {

// A 32x32 icon whose opaque pixels are those for which opaque(x, y) holds.
template <class F>
HICON MakeIcon(F opaque)
{
    std::vector<uint8_t> andBits(32 * 4, 0);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            if (!opaque(x, y))
                andBits[static_cast<size_t>(y * 4 + x / 8)] |= static_cast<uint8_t>(0x80 >> (x % 8));
    HBITMAP mask = CreateBitmap(32, 32, 1, 1, andBits.data());
    HDC screen = GetDC(nullptr);
    HBITMAP colour = CreateCompatibleBitmap(screen, 32, 32);
    ReleaseDC(nullptr, screen);
    ICONINFO ii{TRUE, 0, 0, mask, colour};
    HICON icon = CreateIconIndirect(&ii);
    DeleteObject(mask);
    DeleteObject(colour);
    return icon;
}

}  // namespace

TEST(OverImage, ShapeIsTheIconsOpaquePixels)
{
    HICON left = MakeIcon([](int x, int) { return x < 16; });
    ASSERT_NE(left, nullptr);
    HRGN shape = OverImage::ShapeFromIcon(left);
    ASSERT_NE(shape, nullptr);
    EXPECT_TRUE(PtInRegion(shape, 5, 5));
    EXPECT_TRUE(PtInRegion(shape, 15, 31));
    EXPECT_FALSE(PtInRegion(shape, 16, 5));
    RECT box{};
    GetRgnBox(shape, &box);
    EXPECT_EQ(box.right, 16);
    EXPECT_EQ(box.bottom, 32);
    DeleteObject(shape);
    DestroyIcon(left);
    EXPECT_EQ(OverImage::ShapeFromIcon(nullptr), nullptr);
}

TEST(OverImage, WindowTakesTheShapeOfEachNewPicture)
{
    if (!ql::test::HaveDisplay())
        GTEST_SKIP() << "no display";
    HWND form = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 200, 200, nullptr, nullptr, nullptr, nullptr);
    HWND hwnd = OverImage::Create(form, 10, 10, 32, 32);
    OverImage* ov = OverImage::FromHwnd(hwnd);
    ASSERT_NE(ov, nullptr);
    std::vector<std::string> notes;
    ov->PropertyChanged = [&](const std::string& n) { notes.push_back(n); };
    HRGN probe = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(GetWindowRgn(hwnd, probe), NULLREGION);  // no picture: no shape

    HICON left = MakeIcon([](int x, int) { return x < 16; });
    HICON top = MakeIcon([](int, int y) { return y < 8; });
    ov->SetPicture(left);
    EXPECT_NE(GetWindowRgn(hwnd, probe), ERROR);
    EXPECT_TRUE(PtInRegion(probe, 5, 20));
    EXPECT_FALSE(PtInRegion(probe, 25, 20));
    ov->SetPicture(top);  // the old outline goes
    GetWindowRgn(hwnd, probe);
    EXPECT_TRUE(PtInRegion(probe, 25, 2));
    EXPECT_FALSE(PtInRegion(probe, 5, 20));
    ov->SetPicture(nullptr);
    EXPECT_EQ(GetWindowRgn(hwnd, probe), NULLREGION);
    ov->SetEnabled(false);
    EXPECT_FALSE(ov->Enabled());
    EXPECT_EQ(notes, (std::vector<std::string>{"Picture", "Picture", "Picture", "Enabled"}));
    DeleteObject(probe);
    DestroyWindow(form);
    DestroyIcon(left);
    DestroyIcon(top);
}

TEST(OverImage, MouseAndKeyEventsPassThrough)
{
    if (!ql::test::HaveDisplay())
        GTEST_SKIP() << "no display";
    HWND form = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 200, 200, nullptr, nullptr, nullptr, nullptr);
    HWND hwnd = OverImage::Create(form, 0, 0, 32, 32);
    OverImage* ov = OverImage::FromHwnd(hwnd);
    std::vector<std::string> seen;
    ov->events.MouseDown = [&](int16_t& b, int16_t&, float& x, float& y) {
        seen.push_back("down " + std::to_string(b) + " " + std::to_string(static_cast<int>(x)) + "," +
                       std::to_string(static_cast<int>(y)));
    };
    ov->events.MouseUp = [&](int16_t& b, int16_t&, float&, float&) { seen.push_back("up " + std::to_string(b)); };
    ov->events.Click = [&] { seen.push_back("click"); };
    ov->events.KeyPress = [&](int16_t& k) { seen.push_back(std::string("key ") + static_cast<char>(k)); };
    SendMessageA(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 4));
    SendMessageA(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(3, 4));
    SendMessageA(hwnd, WM_RBUTTONUP, 0, MAKELPARAM(3, 4));  // no click without a press
    SendMessageA(hwnd, WM_CHAR, 'q', 0);
    EXPECT_EQ(seen, (std::vector<std::string>{"down 1 3,4", "up 1", "click", "up 2", "key q"}));
    DestroyWindow(form);
}

#include "MapBag.h"

TEST(OverImage, SavedPropertiesWithoutAPictureGiveNoShape)
{
    if (!ql::test::HaveDisplay())
        GTEST_SKIP() << "no display";
    HWND form = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 200, 200, nullptr, nullptr, nullptr, nullptr);
    OverImage* ov = OverImage::FromHwnd(OverImage::Create(form, 0, 0, 32, 32));
    ASSERT_NE(ov, nullptr);
    HICON left = MakeIcon([](int x, int) { return x < 16; });
    ov->SetPicture(left);
    ql::test::MapBag bag;
    ov->ReadProperties(bag);
    HRGN probe = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(GetWindowRgn(ov->hWnd(), probe), NULLREGION);
    EXPECT_TRUE(ov->Enabled());

    bag.values["Picture"] = static_cast<void*>(left);
    bag.values["Enabled"] = false;
    ov->ReadProperties(bag);
    GetWindowRgn(ov->hWnd(), probe);
    EXPECT_TRUE(PtInRegion(probe, 5, 5));
    EXPECT_FALSE(ov->Enabled());
    ql::test::MapBag saved;
    ov->WriteProperties(saved);
    EXPECT_EQ(std::get<void*>(saved.values.at("Picture")), static_cast<void*>(left));
    EXPECT_EQ(saved.values.count("ForeColor"), 0u);
    DeleteObject(probe);
    DestroyWindow(form);
    DestroyIcon(left);
}

#include "platform/QlError.h"
#include "core/RegistryScratch.h"
#include "core/modMain.h"
#include "core/registry/modRegistry.h"

TEST(OverImage, AFailingHandlerIsLoggedNotUnwoundThroughTheWindow)
{
    if (!ql::test::HaveDisplay())
        GTEST_SKIP() << "no display";
    ql::test::ScratchKey key("overimage");
    std::string dir = ql::test::MakeScratchDir("overimage-log");
    modMain::SetLogSettingsKey(key.Path());
    modMain::SetLogFolder(dir);
    modRegistry::SaveSetting(key.Path(), "logging", "True");
    HWND form = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 200, 200, nullptr, nullptr, nullptr, nullptr);
    OverImage* ov = OverImage::FromHwnd(OverImage::Create(form, 0, 0, 32, 32));
    ov->events.Click = [] { throw QlError(91, "frmMain", "Object variable not set"); };
    SendMessageA(ov->hWnd(), WM_LBUTTONDOWN, MK_LBUTTON, 0);
    SendMessageA(ov->hWnd(), WM_LBUTTONUP, 0, 0);
    std::string log = ql::test::ReadFileBytes(dir + "\\quillerypro.log");
    EXPECT_NE(log.find("OverImage: Click , Error: 91 - Object variable not set"), std::string::npos) << log;
    DestroyWindow(form);
    modMain::SetLogFolder("");
    modMain::SetLogSettingsKey("");
    ql::test::RemoveTree(dir);
}
