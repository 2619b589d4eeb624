// The intrinsic controls under messages and code: which changes raise events, and in
// which order.
#include <windows.h>

#include <gtest/gtest.h>

#include "FormsTestSupport.h"
#include "platform/QlError.h"
#include "platform/controls/CheckBox.h"
#include "platform/controls/CommandButton.h"
#include "platform/controls/Frame.h"
#include "platform/controls/ListBox.h"
#include "platform/controls/PictureBox.h"
#include "platform/controls/TextBox.h"
#include "platform/forms/Form.h"

using namespace platform::forms;

namespace {

class frmControls : public Form {
public:
    frmControls() : Form("frmControls") {}
    std::vector<std::string> log;

    Frame fraGroup{*this, "fraGroup"};
    CheckBox chkBold{*this, "chkBold"};
    OptionButton optA0{*this, "optA", 0};
    OptionButton optA1{*this, "optA", 1};
    OptionButton optOut{*this, "optOut"};
    TextBox txtName{*this, "txtName"};
    Label lblInfo{*this, "lblInfo"};
    ListBox lstItems{*this, "lstItems"};
    ComboBox cboList{*this, "cboList"};
    ComboBox cboEdit{*this, "cboEdit"};
    VScrollBar vsbSize{*this, "vsbSize"};
    PictureBox picDraw{*this, "picDraw"};
    CommandButton cmdOK{*this, "cmdOK"};
    CommandButton cmdCancel{*this, "cmdCancel"};

protected:
    void Design() override
    {
        Caption("Controls");
        ClientSize(9000, 6000);
        fraGroup.Move(100, 100, 3000, 1500);
        fraGroup.Caption("Group");
        optA0.Container(fraGroup);
        optA1.Container(fraGroup);
        optA0.Move(100, 300, 2000, 300);
        optA1.Move(100, 700, 2000, 300);
        optOut.Move(100, 1800, 2000, 300);
        chkBold.Move(100, 2200, 2000, 300);
        chkBold.Caption("&Bold");
        txtName.Move(100, 2600, 2000, 300);
        lblInfo.Move(100, 3000, 2000, 300);
        lblInfo.Caption("Fish && chips");
        lstItems.Move(3300, 100, 2000, 1500);
        cboList.Style(vbComboDropdownList);
        cboList.Move(3300, 1800, 2000, 300);
        cboEdit.Move(3300, 2200, 2000, 300);
        vsbSize.Move(5500, 100, 255, 2000);
        picDraw.Move(6000, 100, 1500, 1500);
        picDraw.BorderStyle(0);
        cmdOK.Default(true);
        cmdOK.Move(100, 4000, 1200, 400);
        cmdCancel.Cancel(true);
        cmdCancel.Move(1500, 4000, 1200, 400);
    }
    void Form_Load() override
    {
        chkBold.Click = [this] { log.push_back("chk " + std::to_string(chkBold.Value())); };
        optA0.Click = [this] { log.push_back("optA0"); };
        optA1.Click = [this] { log.push_back("optA1"); };
        optOut.Click = [this] { log.push_back("optOut"); };
        txtName.Change = [this] { log.push_back("txt " + txtName.Text()); };
        lstItems.Click = [this] { log.push_back("lst " + std::to_string(lstItems.ListIndex())); };
        cboList.Click = [this] { log.push_back("cbo " + cboList.Text()); };
        cboEdit.Change = [this] { log.push_back("cboEdit " + cboEdit.Text()); };
        vsbSize.Change = [this] { log.push_back("vsb " + std::to_string(vsbSize.Value())); };
        cmdOK.Click = [this] { log.push_back("ok"); };
        cmdCancel.Click = [this] { log.push_back("cancel"); };
    }
};

std::string ClassOf(HWND h)
{
    char cls[64] = {};
    GetClassNameA(h, cls, sizeof cls);
    return cls;
}

}  // namespace

TEST(ControlEvents, CheckAndOptionButtonsRaiseClickOnEveryChangeAndOnlyThen)
{
    auto f = std::make_shared<frmControls>();
    f->Show();
    f->chkBold.Value(1);
    f->chkBold.Value(1);
    SendMessageA(f->chkBold.Window(), BM_CLICK, 0, 0);
    EXPECT_EQ(f->chkBold.Value(), 0);
    f->chkBold.Value(2);
    EXPECT_EQ(SendMessageA(f->chkBold.Window(), BM_GETCHECK, 0, 0), BST_INDETERMINATE);
    EXPECT_THROW(f->chkBold.Value(3), QlError);

    f->optA0.Value(true);
    f->optA1.Value(true);
    f->optA1.Value(true);
    f->optOut.Value(true);  // another container: the group keeps its choice
    SendMessageA(f->optA0.Window(), BM_CLICK, 0, 0);
    EXPECT_TRUE(f->optA0.Value());
    EXPECT_FALSE(f->optA1.Value());
    EXPECT_TRUE(f->optOut.Value());
    EXPECT_EQ(f->log, (std::vector<std::string>{"chk 1", "chk 0", "chk 2", "optA0", "optA1", "optOut", "optA0"}));
    EXPECT_EQ(GetParent(f->optA0.Window()), f->fraGroup.Window());
    EXPECT_EQ(ClassOf(f->picDraw.Window()), "ThunderRT6PictureBoxDC");
    f->Unload(vbFormCode);
}

TEST(ControlEvents, TextListAndComboRaiseOnActualChangesOnly)
{
    auto f = std::make_shared<frmControls>();
    f->Load();
    f->txtName.Text("abc");
    f->txtName.Text("abc");
    SetWindowTextA(f->txtName.Window(), "typed");  // as the user's editing notifies
    EXPECT_EQ(f->txtName.Text(), "typed");

    for (const char* s : {"one", "two", "three"})
        f->lstItems.AddItem(s);
    f->lstItems.ItemData(1, 42);
    f->lstItems.ListIndex(1);
    f->lstItems.ListIndex(1);
    EXPECT_EQ(f->lstItems.Text(), "two");
    EXPECT_EQ(f->lstItems.ItemData(1), 42);
    EXPECT_THROW(f->lstItems.ListIndex(3), QlError);
    // A user selection of the current item says nothing; of another one, Click.
    SendMessageA(f->Window(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(f->lstItems.Window()), LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(f->lstItems.Window()));
    SendMessageA(f->lstItems.Window(), LB_SETCURSEL, 2, 0);
    SendMessageA(f->Window(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(f->lstItems.Window()), LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(f->lstItems.Window()));

    for (const char* s : {"Arial", "Courier", "Times"})
        f->cboList.AddItem(s);
    f->cboList.Text("Courier");
    f->cboList.Text("Courier");
    f->cboList.Text("Missing");  // no such entry: the selection stays
    EXPECT_EQ(f->cboList.ListIndex(), 1);
    f->cboEdit.Text("free");
    f->cboEdit.Text("free");
    EXPECT_EQ(f->log, (std::vector<std::string>{"txt abc", "txt typed", "lst 1", "lst 2", "cbo Courier",
                                                "cboEdit free"}));
    f->Unload(vbFormCode);
}

TEST(ControlEvents, ReversedScrollBarKeepsItsRangeAndDirection)
{
    auto f = std::make_shared<frmControls>();
    f->Load();
    f->vsbSize.Min(100);
    f->vsbSize.Max(0);
    f->vsbSize.SmallChange(5);
    f->vsbSize.Value(50);
    EXPECT_THROW(f->vsbSize.Value(101), QlError);
    EXPECT_THROW(f->vsbSize.Value(-1), QlError);
    // A click on the lower arrow moves towards Max.
    SendMessageA(f->Window(), WM_VSCROLL, SB_LINEDOWN, reinterpret_cast<LPARAM>(f->vsbSize.Window()));
    EXPECT_EQ(f->vsbSize.Value(), 45);
    f->vsbSize.Value(0);
    SendMessageA(f->Window(), WM_VSCROLL, SB_LINEDOWN, reinterpret_cast<LPARAM>(f->vsbSize.Window()));
    EXPECT_EQ(f->vsbSize.Value(), 0);
    EXPECT_EQ(f->log, (std::vector<std::string>{"vsb 50", "vsb 45", "vsb 0"}));
    f->Unload(vbFormCode);
}

TEST(ControlEvents, EnterAndEscapeClickTheDefaultAndCancelButtons)
{
    auto f = std::make_shared<frmControls>();
    f->Show();
    SendMessageA(f->Window(), WM_COMMAND, IDOK, 0);
    SendMessageA(f->Window(), WM_COMMAND, IDCANCEL, 0);
    EXPECT_EQ(f->log, (std::vector<std::string>{"ok", "cancel"}));
    EXPECT_EQ(LOWORD(SendMessageA(f->Window(), DM_GETDEFID, 0, 0)), GetDlgCtrlID(f->cmdOK.Window()));
    f->Unload(vbFormCode);
}

TEST(ControlEvents, PictureBoxDrawsInItsScaleWithTheFontSelected)
{
    auto f = std::make_shared<frmControls>();
    f->Load();
    PictureBox& p = f->picDraw;
    p.EditFont([](StdFont& font) {
        font.Name("DejaVu Sans");
        font.Size(12);
    });
    p.AutoRedraw(true);
    HDC dc = p.hDC();
    ASSERT_NE(dc, nullptr);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), p.Font().Handle());
    char face[64] = {};
    GetTextFaceA(dc, sizeof face, face);
    EXPECT_STREQ(face, "DejaVu Sans");

    p.ScaleMode(vbPixels);
    RECT r;
    GetClientRect(p.Window(), &r);
    EXPECT_DOUBLE_EQ(p.ScaleWidth(), r.right);
    p.Scale(0, 0, 10, 10);
    EXPECT_EQ(p.XToPixels(5), r.right / 2);
    p.BackColor(RGB(255, 255, 255));
    p.Cls();
    p.PSet(5, 5, RGB(255, 0, 0));
    EXPECT_EQ(GetPixel(p.hDC(), p.XToPixels(5), p.YToPixels(5)), RGB(255, 0, 0));
    EXPECT_EQ(GetPixel(p.hDC(), 1, 1), RGB(255, 255, 255));

    p.ScaleMode(vbTwips);
    p.CurrentX(0);
    p.CurrentY(0);
    double h = p.TextHeight("Ag");
    p.Print("Ag");
    EXPECT_NEAR(p.CurrentY(), h, 15.0);
    EXPECT_GT(p.TextWidth("Ag"), 0);
    f->Unload(vbFormCode);
}

TEST(ControlEvents, NegativeSizesAreRejected)
{
    auto f = std::make_shared<frmControls>();
    EXPECT_THROW(f->cmdOK.Move(0, 0, -1, 10), QlError);
    EXPECT_NO_THROW(f->cmdOK.Move(-100, -100, 10, 10));
}
