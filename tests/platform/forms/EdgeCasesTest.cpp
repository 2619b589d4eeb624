// Edge cases across the layer: multi-select lists, drawing that survives growth, form
// geometry, a hosted control that cannot be created, fresh instances after an unload.
#include <windows.h>

#include <gtest/gtest.h>

#include "FormsTestSupport.h"
#include "platform/QlError.h"
#include "platform/controls/ImageList.h"
#include "platform/controls/ListBox.h"
#include "platform/controls/PictureBox.h"
#include "platform/controls/RichTextBox.h"
#include "platform/forms/Form.h"
#include "platform/forms/Screen.h"
#include "platform/ole/OleControl.h"

using namespace platform::forms;

namespace {

int g_loads = 0;

class frmEdge : public Form {
public:
    frmEdge() : Form("frmEdge") {}
    ListBox lstMulti{*this, "lstMulti"};
    PictureBox picCanvas{*this, "picCanvas"};
    RichTextBox rtbLog{*this, "rtbLog"};
    ImageList imlSmall{*this, "imlSmall"};
    OleControl ctlMissing{*this, "ctlMissing"};
    int clicks = 0, changes = 0;

protected:
    void Design() override
    {
        ClientSize(6000, 4000);
        lstMulti.MultiSelect(1);
        lstMulti.Move(0, 0, 1500, 1500);
        picCanvas.Move(1500, 0, 1500, 1500);
        picCanvas.BorderStyle(0);
        rtbLog.Move(3000, 0, 3000, 1500);
        // A class nobody registered: the form must still load.
        ctlMissing.ClassId({0x1234abcd, 0x1, 0x2, {1, 2, 3, 4, 5, 6, 7, 8}});
    }
    void Form_Load() override
    {
        ++g_loads;
        lstMulti.Click = [this] { ++clicks; };
        rtbLog.Change = [this] { ++changes; };
    }
};

FormRef<frmEdge> frmEdgeRef;

}  // namespace

TEST(EdgeCases, MultiSelectListsRaiseClickPerChangedItem)
{
    auto f = std::make_shared<frmEdge>();
    f->Load();
    for (const char* s : {"a", "b", "c"})
        f->lstMulti.AddItem(s);
    f->lstMulti.Selected(0, true);
    f->lstMulti.Selected(2, true);
    f->lstMulti.Selected(2, true);
    EXPECT_EQ(f->lstMulti.SelCount(), 2);
    EXPECT_EQ(f->clicks, 2);
    EXPECT_THROW(f->lstMulti.Selected(3, true), QlError);
    f->Unload(vbFormCode);
}

TEST(EdgeCases, AutoRedrawDrawingSurvivesGrowthAndBoxesFill)
{
    auto f = std::make_shared<frmEdge>();
    f->Show();
    PictureBox& p = f->picCanvas;
    p.ScaleMode(vbPixels);
    p.BackColor(RGB(255, 255, 255));
    p.AutoRedraw(true);
    p.Line(2, 2, 10, 10, RGB(0, 0, 255), true, true);
    EXPECT_EQ(GetPixel(p.hDC(), 6, 6), RGB(0, 0, 255));
    p.Move(1500, 0, 3000, 3000);  // grows: the bitmap grows and keeps its picture
    EXPECT_EQ(GetPixel(p.hDC(), 6, 6), RGB(0, 0, 255));
    RECT r;
    GetClientRect(p.Window(), &r);
    EXPECT_EQ(GetPixel(p.hDC(), r.right - 2, r.bottom - 2), RGB(255, 255, 255));
    f->Unload(vbFormCode);
}

TEST(EdgeCases, BulkFillsOfRichTextRaiseNoChange)
{
    auto f = std::make_shared<frmEdge>();
    f->Load();
    f->rtbLog.BeginUpdate();
    f->rtbLog.Append("one");
    f->rtbLog.Append("two");
    f->rtbLog.EndUpdate();
    EXPECT_EQ(f->changes, 0);
    f->rtbLog.Append("three");
    EXPECT_EQ(f->changes, 1);
    EXPECT_EQ(f->rtbLog.Text(), "onetwothree");
    f->Unload(vbFormCode);
}

TEST(EdgeCases, AControlThatCannotBeCreatedIsReportedAndTheFormLoads)
{
    formstest::ErrorCapture errors;
    auto f = std::make_shared<frmEdge>();
    f->Load();
    EXPECT_TRUE(f->IsLoaded());
    EXPECT_FALSE(f->ctlMissing.Created());
    ASSERT_FALSE(errors.Errors().empty());
    EXPECT_EQ(errors.Errors()[0].source, "frmEdge: ctlMissing_Create");
    EXPECT_THROW(f->ctlMissing.Get("Anything"), QlError);
    f->Unload(vbFormCode);
}

TEST(EdgeCases, GeometryIsInTwipsAndImageSizesLockOnceFilled)
{
    auto f = std::make_shared<frmEdge>();
    f->Load();
    int tpp = Screen::TwipsPerPixelX();
    f->Move(tpp * 10, tpp * 20, tpp * 300, tpp * 200);
    EXPECT_EQ(f->Left(), tpp * 10);
    EXPECT_EQ(f->Top(), tpp * 20);
    EXPECT_EQ(f->Width(), tpp * 300);
    EXPECT_EQ(f->Height(), tpp * 200);
    EXPECT_THROW(f->Move(0, 0, -1, 5), QlError);
    f->imlSmall.ImageSize(32, 32);
    f->imlSmall.AddIcon("a", LoadIconA(nullptr, IDI_APPLICATION));
    EXPECT_EQ(f->imlSmall.ImageWidth(), 32);
    EXPECT_THROW(f->imlSmall.ImageSize(16, 16), QlError);
    f->Unload(vbFormCode);
}

TEST(EdgeCases, TheSharedInstanceIsFreshAfterAnUnloadAndLoadsAgain)
{
    g_loads = 0;
    frmEdgeRef->lstMulti.AddItem("kept?");
    EXPECT_EQ(g_loads, 1);
    frmEdgeRef.Unload();
    EXPECT_FALSE(frmEdgeRef.Exists());
    EXPECT_EQ(frmEdgeRef->lstMulti.ListCount(), 0);
    EXPECT_EQ(g_loads, 2);
    frmEdgeRef.Unload();
    frmEdgeRef.Release();
}

#include "platform/controls/Shape.h"

namespace {
class frmAbout : public Form {
public:
    frmAbout() : Form("frmAbout") {}
    platform::forms::Line linSep{*this, "linSep"};
    Shape shpBox{*this, "shpBox"};

protected:
    void Design() override
    {
        ClientSize(4000, 3000);
        int t = Screen::TwipsPerPixelX();
        linSep.Points(0, 100 * t, 200 * t, 100 * t);
        shpBox.Move(10 * t, 10 * t, 40 * t, 40 * t);
        shpBox.FillStyle(0);
        shpBox.FillColor(RGB(0, 200, 0));
    }
};
}  // namespace

TEST(EdgeCases, DecorationsDrawAndLetClicksThrough)
{
    auto f = std::make_shared<frmAbout>();
    f->Show();
    RECT r;
    GetWindowRect(f->linSep.Window(), &r);
    EXPECT_EQ(r.right - r.left, 201);
    EXPECT_EQ(SendMessageA(f->shpBox.Window(), WM_NCHITTEST, 0, 0), HTTRANSPARENT);
    UpdateWindow(f->Window());
    HDC dc = GetDC(f->shpBox.Window());
    EXPECT_EQ(GetPixel(dc, 20, 20), RGB(0, 200, 0));
    ReleaseDC(f->shpBox.Window(), dc);
    f->Unload(vbFormCode);
}

TEST(EdgeCases, SeveralInstancesOfOneFormAreListedByClass)
{
    auto a = std::make_shared<frmAbout>();
    auto b = std::make_shared<frmAbout>();
    a->Load();
    b->Load();
    auto both = LoadedFormsOf<frmAbout>();
    ASSERT_EQ(both.size(), 2u);
    EXPECT_EQ(both[0], a.get());
    EXPECT_EQ(both[1], b.get());
    a->Unload(vbFormCode);
    EXPECT_EQ(LoadedFormsOf<frmAbout>().size(), 1u);
    b->Unload(vbFormCode);
    EXPECT_TRUE(LoadedFormsOf<frmAbout>().empty());
}
