#include <windows.h>

#include <memory>

#include <gtest/gtest.h>

#include "core/controls/GdiTally.h"
#include "core/controls/XP_ProgressBar.h"
#include "support/TestEnv.h"

namespace {

// A 32-bit DIB section selected into a memory DC: drawing works without a display.
struct Canvas {
    HDC dc = nullptr;
    HBITMAP bmp = nullptr;
    HGDIOBJ old = nullptr;
    RECT rc{};
    Canvas(int w, int h)
    {
        BITMAPINFO bi{};
        bi.bmiHeader.biSize = sizeof bi.bmiHeader;
        bi.bmiHeader.biWidth = w;
        bi.bmiHeader.biHeight = -h;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        dc = CreateCompatibleDC(nullptr);
        bmp = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
        old = SelectObject(dc, bmp);
        rc = {0, 0, w, h};
    }
    ~Canvas()
    {
        SelectObject(dc, old);
        DeleteObject(bmp);
        DeleteDC(dc);
    }
    COLORREF At(int x, int y) const { return GetPixel(dc, x, y); }
};

const COLORREF kRed = RGB(255, 0, 0);

std::unique_ptr<XP_ProgressBar> Bar(int style, double value, COLORREF colour = kRed)
{
    auto bar = std::make_unique<XP_ProgressBar>();
    bar->SetColor(static_cast<int32_t>(colour));
    bar->SetScrolling(style);
    bar->SetValue(value);
    return bar;
}

}  // namespace

TEST(XP_ProgressBar, ColourOperations)
{
    EXPECT_EQ(XP_ProgressBar::Lighten(kRed, 0), kRed);
    EXPECT_EQ(XP_ProgressBar::Lighten(kRed, 255), RGB(255, 255, 255));
    EXPECT_EQ(XP_ProgressBar::Lighten(RGB(0, 100, 255), 100), RGB(100, 160, 255));
    EXPECT_EQ(XP_ProgressBar::Mix(RGB(200, 100, 50), 0, 255), RGB(200, 100, 50));
    EXPECT_EQ(XP_ProgressBar::Mix(RGB(200, 100, 50), 0, 128), RGB(100, 50, 25));
    EXPECT_EQ(XP_ProgressBar::Translate(static_cast<int32_t>(0x8000000D)), GetSysColor(COLOR_HIGHLIGHT));
    XP_ProgressBar fresh;
    EXPECT_EQ(fresh.Color(), GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(fresh.Max(), 100);
}

TEST(XP_ProgressBar, ValueBecomesAPercentageWithoutDividingByZero)
{
    XP_ProgressBar bar;
    std::vector<std::string> notes;
    bar.PropertyChanged = [&](const std::string& n) { notes.push_back(n); };
    bar.SetMax(200);
    bar.SetValue(50);
    EXPECT_EQ(bar.Percentage(), 25);
    EXPECT_EQ(bar.Value(), 50);
    bar.SetValue(1);  // 0.5 % rounds to even
    EXPECT_EQ(bar.Percentage(), 0);
    bar.SetMax(0);
    bar.SetValue(5);
    EXPECT_EQ(bar.Percentage(), 0);
    EXPECT_EQ(bar.Value(), 0);
    EXPECT_EQ(notes, (std::vector<std::string>{"Max", "Max"}));
    bar.SetMax(10);
    bar.SetValue(30);  // past Max: drawn full
    Canvas cv(100, 20);
    bar.Render(cv.dc, cv.rc);
    EXPECT_EQ(bar.Percentage(), 100);
}

TEST(XP_ProgressBar, ContinuousAndSegmentedBlocks)
{
    Canvas cv(200, 20);
    auto cont = Bar(1, 50);
    cont->Render(cv.dc, cv.rc);
    EXPECT_EQ(cv.At(50, 10), kRed);    // inside the fill
    EXPECT_EQ(cv.At(101, 10), kRed);   // fill ends at 103
    EXPECT_EQ(cv.At(150, 10), RGB(255, 255, 255));
    EXPECT_EQ(cv.At(100, 0), RGB(0x68, 0x68, 0x68));  // frame
    EXPECT_EQ(cv.At(100, 1), RGB(0xBE, 0xBE, 0xBE));
    EXPECT_EQ(cv.At(1, 1), RGB(0x77, 0x77, 0x77));     // corner
    EXPECT_EQ(cv.At(0, 0), RGB(255, 255, 255));

    auto seg = Bar(0, 50);
    seg->Render(cv.dc, cv.rc);
    EXPECT_EQ(cv.At(8, 10), kRed);
    EXPECT_EQ(cv.At(10, 10), RGB(255, 255, 255));  // separator after the first block
    EXPECT_EQ(cv.At(12, 10), kRed);

    auto empty = Bar(1, 0);
    empty->Render(cv.dc, cv.rc);
    EXPECT_EQ(cv.At(8, 10), kRed);  // the minimum stub
    EXPECT_EQ(cv.At(20, 10), RGB(255, 255, 255));
}

TEST(XP_ProgressBar, VerticalBarFillsFromTheBottom)
{
    Canvas cv(24, 200);
    auto bar = Bar(1, 50);
    bar->SetOrientation(1);
    bar->Render(cv.dc, cv.rc);
    EXPECT_EQ(cv.At(11, 190), kRed);
    EXPECT_EQ(cv.At(11, 20), RGB(255, 255, 255));
}

TEST(XP_ProgressBar, GradientAndPatternStyles)
{
    Canvas cv(200, 20);
    auto s3 = Bar(3, 100);
    s3->Render(cv.dc, cv.rc);
    EXPECT_EQ(cv.At(150, 10), XP_ProgressBar::Lighten(kRed, 180));
    EXPECT_EQ(cv.At(0, 10), XP_ProgressBar::Lighten(kRed, 100));

    auto s6 = Bar(6, 25);
    s6->Render(cv.dc, cv.rc);
    EXPECT_EQ(cv.At(150, 10), RGB(0, 0, 0));  // black background beyond the fill
    EXPECT_EQ(cv.At(2, 10), RGB(0, 0, 0));    // the gradient starts at black

    auto s5 = Bar(5, 50);
    s5->Render(cv.dc, cv.rc);
    EXPECT_EQ(cv.At(2, 2), kRed);  // first line of the background gradient

    // A 2x2 pattern of blue and green.
    Canvas pat(8, 8);
    RECT all{0, 0, 8, 8};
    HBRUSH blue = CreateSolidBrush(RGB(0, 0, 255));
    FillRect(pat.dc, &all, blue);
    DeleteObject(blue);
    HBITMAP image = CreateCompatibleBitmap(cv.dc, 8, 8);
    HDC tmp = CreateCompatibleDC(cv.dc);
    HGDIOBJ o = SelectObject(tmp, image);
    BitBlt(tmp, 0, 0, 8, 8, pat.dc, 0, 0, SRCCOPY);
    SelectObject(tmp, o);
    DeleteDC(tmp);
    auto s8 = Bar(8, 50);
    s8->SetImage(image);
    s8->Render(cv.dc, cv.rc);
    EXPECT_EQ(cv.At(50, 10), RGB(0, 0, 255));
    EXPECT_EQ(cv.At(150, 10), RGB(255, 255, 255));
    DeleteObject(image);
}

TEST(XP_ProgressBar, EveryStyleGivesBackItsDrawingObjects)
{
    Canvas cv(120, 18);
    Canvas tiny(1, 1);
    HBITMAP image = CreateCompatibleBitmap(cv.dc, 4, 4);
    for (int style = -1; style <= 10; ++style) {
        for (int orientation = 0; orientation <= 1; ++orientation) {
            auto bar = Bar(style, 45);
            bar->SetOrientation(orientation);
            bar->SetShowText(true);
            bar->SetImage(image);
            auto before = ql::gdi::Counts();
            bar->Render(cv.dc, cv.rc);
            bar->Render(tiny.dc, tiny.rc);  // zero-width gradients
            auto after = ql::gdi::Counts();
            EXPECT_GT(after.created, before.created) << style;
            EXPECT_EQ(after.created - before.created, after.deleted - before.deleted) << style;
        }
    }
    DeleteObject(image);
}

TEST(XP_ProgressBar, PercentageTextIsCentredAndTwoTone)
{
    Canvas cv(200, 24);
    auto plain = Bar(1, 45);
    plain->SetColor(RGB(255, 255, 255));  // a white fill leaves only the text dark
    plain->SetShowText(true);
    plain->Render(cv.dc, cv.rc);
    int dark = 0;
    for (int x = 80; x < 120; ++x)
        for (int y = 6; y < 18; ++y)
            dark += cv.At(x, y) == RGB(0, 0, 0);
    EXPECT_GT(dark, 5);

    auto nine = Bar(9, 100, RGB(0, 0, 128));
    nine->SetShowText(true);
    nine->Render(cv.dc, cv.rc);
    int black = 0, white = 0;
    for (int x = 80; x < 120; ++x)
        for (int y = 6; y < 18; ++y) {
            black += cv.At(x, y) == RGB(0, 0, 0);
            white += cv.At(x, y) == RGB(255, 255, 255);
        }
    EXPECT_EQ(black, 0);  // full bar: the text is drawn only in white
    EXPECT_GT(white, 5);
}

TEST(XP_ProgressBar, WindowPaintsThroughItsSurfaceAndFreesIt)
{
    if (!ql::test::HaveDisplay())
        GTEST_SKIP() << "no display";
    auto start = ql::gdi::Counts();
    // A hidden parent: a shown top-level window costs seconds under Wine without a
    // window manager. Paints are sent by hand.
    HWND form = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 400, 100, nullptr, nullptr, nullptr, nullptr);
    HWND bar = XP_ProgressBar::Create(form, 0, 0, 150, 20);
    ASSERT_NE(bar, nullptr);
    XP_ProgressBar* pb = XP_ProgressBar::FromHwnd(bar);
    ASSERT_NE(pb, nullptr);
    EXPECT_EQ(pb->hWnd(), bar);
    EXPECT_EQ(XP_ProgressBar::FromHwnd(GetDesktopWindow()), nullptr);
    pb->SetColor(static_cast<int32_t>(kRed));
    pb->SetScrolling(1);
    pb->SetValue(100);
    ASSERT_NE(pb->hDC(), nullptr);
    EXPECT_EQ(GetPixel(pb->hDC(), 75, 10), kRed);
    auto mid = ql::gdi::Counts();
    for (int i = 0; i < 5; ++i) {
        pb->SetValue(i * 20);
        InvalidateRect(bar, nullptr, FALSE);
        SendMessageA(bar, WM_PAINT, 0, 0);
    }
    auto later = ql::gdi::Counts();
    EXPECT_EQ(later.created - mid.created, later.deleted - mid.deleted);
    SetWindowPos(bar, nullptr, 0, 0, 300, 30, SWP_NOMOVE | SWP_NOZORDER);
    pb->SetValue(100);
    EXPECT_EQ(GetPixel(pb->hDC(), 250, 15), kRed);
    DestroyWindow(form);
    auto end = ql::gdi::Counts();
    EXPECT_EQ(end.created - start.created, end.deleted - start.deleted);
}

#include "MapBag.h"

TEST(XP_ProgressBar, SavedPropertiesRoundTrip)
{
    ql::test::MapBag empty;
    XP_ProgressBar fresh;
    fresh.ReadProperties(empty);
    EXPECT_EQ(fresh.BrushStyle(), 4);  // the stored default differs from a new control's 0
    EXPECT_EQ(fresh.Max(), 100);
    EXPECT_EQ(fresh.Color(), GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(fresh.Value(), 0);

    ql::test::MapBag bag;
    bag.values["Max"] = int32_t{200};
    bag.values["Value"] = std::string("50");
    bag.values["Scrolling"] = int32_t{6};
    bag.values["ShowText"] = std::string("True");
    XP_ProgressBar bar;
    bar.ReadProperties(bag);
    EXPECT_EQ(bar.Percentage(), 25);  // converted with the Max read before it
    EXPECT_EQ(bar.Scrolling(), 6);
    EXPECT_TRUE(bar.ShowText());

    ql::test::MapBag saved;
    bar.WriteProperties(saved);
    EXPECT_EQ(saved.values.count("Min"), 0u);
    EXPECT_EQ(std::get<double>(saved.values.at("Value")), 50.0);
    XP_ProgressBar copy;
    copy.ReadProperties(saved);
    EXPECT_EQ(copy.Percentage(), 25);
    EXPECT_EQ(copy.Max(), 200);
    EXPECT_EQ(copy.Scrolling(), 6);
    EXPECT_EQ(copy.Color(), bar.Color());
}
