// The wrappers over the common controls and RichEdit: the tree's node lifetime and click
// order, the list view's user-only ItemClick, the bars' class names and placement.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include "platform/QlError.h"
#include "platform/controls/ImageList.h"
#include "platform/controls/ListView.h"
#include "platform/controls/RichTextBox.h"
#include "platform/controls/StatusBar.h"
#include "platform/controls/Toolbar.h"
#include "platform/controls/TreeView.h"
#include "platform/forms/Form.h"

using namespace platform::forms;

namespace {

class frmBars : public Form {
public:
    frmBars() : Form("frmBars") {}
    std::vector<std::string> log;
    Toolbar tbMain{*this, "tbMain"};
    StatusBar sb{*this, "sb"};
    TreeView tvFonts{*this, "tvFonts"};
    ListView lvList{*this, "lvList"};
    RichTextBox rtbText{*this, "rtbText"};
    ImageList imlIcons{*this, "imlIcons"};

protected:
    void Design() override
    {
        ClientSize(9000, 6000);
        tvFonts.Move(0, 600, 3000, 3000);
        lvList.Move(3000, 600, 3000, 3000);
        rtbText.Move(6000, 600, 3000, 3000);
    }
    void Form_Load() override
    {
        tvFonts.NodeClick = [this](Node::Ref n) { log.push_back("NodeClick " + n->Text()); };
        tvFonts.NodeCheck = [this](Node::Ref n) { log.push_back("NodeCheck " + n->Text()); };
        tvFonts.MouseDown = [this](int b, int, int, int) { log.push_back("MouseDown " + std::to_string(b)); };
        tvFonts.MouseUp = [this](int b, int, int, int) { log.push_back("MouseUp " + std::to_string(b)); };
        lvList.ItemClick = [this](int i) { log.push_back("ItemClick " + std::to_string(i)); };
        tbMain.ButtonClick = [this](const std::string& k) { log.push_back("Button " + k); };
        tbMain.ButtonMenuClick = [this](const std::string& b, const std::string& m) {
            log.push_back("Menu " + b + "/" + m);
        };
    }
};

std::string ClassOf(HWND h)
{
    char cls[64] = {};
    GetClassNameA(h, cls, sizeof cls);
    return cls;
}

POINT ItemPoint(HWND tree, HTREEITEM item)
{
    RECT r{};
    *reinterpret_cast<HTREEITEM*>(&r) = item;
    SendMessageA(tree, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&r));
    return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

}  // namespace

TEST(TreeViewWrapper, NodesAreHandlesThatDieWithTheirItems)
{
    auto f = std::make_shared<frmBars>();
    f->Load();
    TreeView& tv = f->tvFonts;
    EXPECT_EQ(ClassOf(tv.Window()), "TreeView20WndClass");
    auto root = tv.Add(Node::Ref(), tvwLast, "root", "Fonts");
    auto a = tv.Add(root, tvwChild, "a", "Arial");
    auto b = tv.Add("root", tvwChild, "b", "Bodoni");
    auto c = tv.Add(a, tvwChild, "c", "Arial Bold");
    EXPECT_THROW(tv.Add(root, tvwChild, "a", "again"), QlError);
    EXPECT_EQ(tv.Count(), 4);
    EXPECT_EQ(a->Parent(), root);
    EXPECT_EQ(a->Next(), b);
    EXPECT_EQ(b->Previous(), a);
    EXPECT_EQ(b->FirstSibling(), a);
    EXPECT_EQ(c->Root(), root);
    EXPECT_EQ(root->Children(), 2);
    EXPECT_EQ(b->Index(), 3);

    tv.Remove(a);  // takes its child along
    EXPECT_FALSE(a->Alive());
    EXPECT_FALSE(c->Alive());
    EXPECT_THROW(a->Text(), QlError);
    EXPECT_THROW(c->Parent(), QlError);
    EXPECT_EQ(tv.Count(), 2);
    EXPECT_FALSE(tv.Exists("c"));
    EXPECT_EQ(b->Index(), 2);
    // A delete behind the wrapper's back (a helper clearing the window) is followed too.
    auto d = tv.Add(root, tvwChild, "d", "Didot");
    SendMessageA(tv.Window(), TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
    EXPECT_FALSE(d->Alive());
    EXPECT_FALSE(root->Alive());
    EXPECT_EQ(tv.Count(), 0);
    tv.Add(Node::Ref(), tvwLast, "root", "Again");
    tv.Clear();
    EXPECT_EQ(tv.Count(), 0);
    f->Unload(vbFormCode);
    EXPECT_FALSE(b->Alive());
}

TEST(TreeViewWrapper, ClicksFromCodeAreSilentAndRightClickKeepsItsOrder)
{
    auto f = std::make_shared<frmBars>();
    f->Show();
    TreeView& tv = f->tvFonts;
    auto root = tv.Add(Node::Ref(), tvwLast, "root", "Fonts");
    auto a = tv.Add(root, tvwChild, "a", "Arial");
    root->Expanded(true);
    a->Selected(true);
    EXPECT_TRUE(a->Selected());
    EXPECT_EQ(tv.SelectedItem(), a);
    EXPECT_TRUE(f->log.empty()) << "a selection from code raises no NodeClick";

    POINT p = ItemPoint(tv.Window(), root->Item());
    SendMessageA(tv.Window(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(p.x, p.y));
    SendMessageA(tv.Window(), WM_RBUTTONUP, 0, MAKELPARAM(p.x, p.y));
    EXPECT_EQ(f->log, (std::vector<std::string>{"MouseDown 2", "NodeClick Fonts", "MouseUp 2"}));
    EXPECT_EQ(tv.SelectedItem(), root);

    // Check boxes come and go with the nodes present, their states kept.
    tv.Checkboxes(true);
    a->Checked(true);
    tv.Checkboxes(false);
    tv.Checkboxes(true);
    EXPECT_TRUE(a->Checked());
    EXPECT_FALSE(root->Checked());
    f->Unload(vbFormCode);
}

TEST(ListViewWrapper, KeysIndicesSortAndUserOnlyItemClick)
{
    auto f = std::make_shared<frmBars>();
    f->Show();
    ListView& lv = f->lvList;
    EXPECT_EQ(ClassOf(lv.Window()), "ListView20WndClass");
    lv.Checkboxes(true);
    lv.AddColumn("Name", 1500);
    lv.AddColumn("Hidden", 0);
    lv.AddItem("k1", "Zapf");
    lv.AddItem("k2", "Arial");
    lv.AddItem("#odd key", "Courier");
    lv.SubItem(2, 1, "sans");
    EXPECT_THROW(lv.AddItem("k1", "dup"), QlError);
    EXPECT_EQ(lv.IndexOf("#odd key"), 3);
    lv.Sort(0, lvwAscending);
    EXPECT_EQ(lv.Text(1), "Arial");
    EXPECT_EQ(lv.SubItem(1, 1), "sans");
    EXPECT_EQ(lv.Key(3), "k1");
    lv.Remove(1);
    EXPECT_EQ(lv.IndexOf("k1"), 2) << "indices follow removals";
    lv.Checked(2, true);
    EXPECT_TRUE(lv.Checked(2));
    lv.Selected(1, true);
    EXPECT_EQ(lv.SelectedIndex(), 1);
    EXPECT_TRUE(f->log.empty()) << "selections from code raise no ItemClick";
    // A user click on the second row.
    RECT r{};
    r.left = LVIR_LABEL;
    SendMessageA(lv.Window(), LVM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&r));
    SendMessageA(lv.Window(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(r.left + 4, (r.top + r.bottom) / 2));
    SendMessageA(lv.Window(), WM_LBUTTONUP, 0, MAKELPARAM(r.left + 4, (r.top + r.bottom) / 2));
    EXPECT_EQ(f->log, (std::vector<std::string>{"ItemClick 2"}));
    f->Unload(vbFormCode);
}

static int ChooseSecond(Toolbar&, const std::string&) { return 2; }

TEST(BarsWrapper, ToolbarAndStatusBarUseTheMeasuredClassesAndAlign)
{
    auto f = std::make_shared<frmBars>();
    f->tbMain.AddButton("open", "Open");
    f->tbMain.AddButton("", "", tbrSeparator);
    f->tbMain.AddButton("bold", "Bold", tbrCheck);
    f->tbMain.AddButton("view", "View", tbrDropdown);
    f->tbMain.AddButtonMenu("view", "big", "Big");
    f->tbMain.AddButtonMenu("view", "small", "Small");
    f->tbMain.AddButton("gap", "", tbrPlaceholder);
    f->tbMain.ButtonWidthOf("gap", 1500);
    f->sb.AddPanel("Ready", 3000);
    f->sb.AddPanel("", 900, sbrCaps);
    f->Show();
    EXPECT_EQ(ClassOf(f->tbMain.Window()), "Toolbar20WndClass");
    EXPECT_EQ(ClassOf(GetWindow(f->tbMain.Window(), GW_CHILD)), "ToolbarWindow32");
    EXPECT_EQ(ClassOf(f->sb.Window()), "StatusBar20WndClass");
    RECT client, bar, top;
    GetClientRect(f->Window(), &client);
    GetWindowRect(f->sb.Window(), &bar);
    MapWindowPoints(nullptr, f->Window(), reinterpret_cast<POINT*>(&bar), 2);
    EXPECT_EQ(bar.bottom, client.bottom);
    EXPECT_EQ(bar.left, 0);
    EXPECT_EQ(bar.right, client.right);
    GetWindowRect(f->tbMain.Window(), &top);
    MapWindowPoints(nullptr, f->Window(), reinterpret_cast<POINT*>(&top), 2);
    EXPECT_EQ(top.top, 0);
    EXPECT_GT(top.bottom, 0);
    EXPECT_EQ(f->sb.PanelText(1), "Ready");
    EXPECT_EQ(f->tbMain.ButtonIndex("bold"), 3);
    EXPECT_THROW(f->tbMain.ButtonIndex("Bold"), QlError) << "keys are exact";
    EXPECT_NEAR(f->tbMain.ButtonWidthOf(5), 1500, 30);

    HWND inner = f->tbMain.ToolbarWindow();
    SendMessageA(inner, TB_CHECKBUTTON, 1002, TRUE);
    SendMessageA(f->tbMain.Window(), WM_COMMAND, 1002, reinterpret_cast<LPARAM>(inner));
    EXPECT_TRUE(f->tbMain.ButtonValue("bold"));
    Toolbar::SetMenuChooser(ChooseSecond);
    NMTOOLBARA nm{};
    nm.hdr.hwndFrom = inner;
    nm.hdr.code = TBN_DROPDOWN;
    nm.iItem = 1003;
    SendMessageA(f->tbMain.Window(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&nm));
    Toolbar::SetMenuChooser(nullptr);
    EXPECT_EQ(f->log, (std::vector<std::string>{"Button bold", "Menu view/small"}));
    f->Unload(vbFormCode);
}

TEST(RichTextWrapper, TakesLongTextAndFormatsTheSelection)
{
    auto f = std::make_shared<frmBars>();
    f->Load();
    RichTextBox& r = f->rtbText;
    std::string big(100000, 'x');
    r.BeginUpdate();
    r.Append(big);
    r.Append("\rTail");
    r.EndUpdate();
    EXPECT_GT(r.Text().size(), 100000u) << "beyond the default limit";
    r.SelStart(0);
    r.SelLength(5);
    r.SelBold(true);
    r.SelFontName("DejaVu Serif");
    r.SelFontSize(14);
    r.SelColor(RGB(200, 0, 0));
    EXPECT_TRUE(r.SelBold());
    EXPECT_EQ(r.SelFontName(), "DejaVu Serif");
    EXPECT_DOUBLE_EQ(r.SelFontSize(), 14);
    EXPECT_EQ(r.SelColor(), RGB(200, 0, 0));
    EXPECT_EQ(r.SelText(), "xxxxx");
    r.TextRTF("{\\rtf1\\ansi {\\b Bold} plain}");
    EXPECT_EQ(r.Text(), "Bold plain");

    ImageList& il = f->imlIcons;
    HICON icon = LoadIconA(nullptr, IDI_APPLICATION);
    EXPECT_EQ(il.AddIcon("Full", icon), 1);
    EXPECT_EQ(il.AddIcon("Empty", icon), 2);
    EXPECT_THROW(il.AddIcon("Full", icon), QlError);
    EXPECT_EQ(il.IndexOf("Empty"), 2);
    EXPECT_EQ(il.IndexOf("empty"), 0);
    HICON copy = il.ExtractIcon(2);
    EXPECT_NE(copy, nullptr);
    DestroyIcon(copy);
    f->Unload(vbFormCode);
}
