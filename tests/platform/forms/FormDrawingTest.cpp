// Drawing on a form: the persistent bitmap, text positions and the scale.
#include <windows.h>

#include <gtest/gtest.h>

#include "platform/forms/Form.h"
#include "platform/forms/Screen.h"

using namespace platform::forms;

namespace {
class frmBig : public Form {
public:
    frmBig() : Form("frmBig") {}
    int lastX = -1;

protected:
    void Design() override { ClientSize(3000, 3000); }
    void Form_MouseDown(int, int, int x, int) override { lastX = x; }
};
}  // namespace

TEST(FormDrawing, AutoRedrawKeepsTheTextAndTheScaleSetsTheUnits)
{
    auto f = std::make_shared<frmBig>();
    f->Show();
    f->BackColor(RGB(255, 255, 255));
    f->ForeColor(RGB(0, 0, 0));
    f->Font(StdFont("DejaVu Sans", 20));
    f->AutoRedraw(true);
    f->Cls();
    f->Print("WWW");
    HDC dc = f->hDC();
    EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), f->Font().Handle());
    bool ink = false;
    for (int x = 0; x < 40 && !ink; ++x)
        for (int y = 0; y < 30 && !ink; ++y)
            ink = GetPixel(dc, x, y) != RGB(255, 255, 255);
    EXPECT_TRUE(ink) << "the text is in the form's bitmap";
    EXPECT_NEAR(f->CurrentY(), f->TextHeight("W"), 1.0);
    EXPECT_EQ(f->CurrentX(), 0);

    f->ScaleMode(3);
    RECT r;
    GetClientRect(f->Window(), &r);
    EXPECT_EQ(f->ScaleWidth(), r.right);
    SendMessageA(f->Window(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    EXPECT_EQ(f->lastX, 10);
    f->ScaleMode(1);
    SendMessageA(f->Window(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    EXPECT_EQ(f->lastX, 10 * Screen::TwipsPerPixelX());
    f->Unload(vbFormCode);
}

#include "platform/controls/TextBox.h"

namespace {
class frmKeys : public Form {
public:
    frmKeys() : Form("frmCharMap") {}
    TextBox txtFind{*this, "txtFind"};
    std::vector<std::string> log;

protected:
    void Design() override { KeyPreview(true); }
    void Form_Load() override
    {
        txtFind.KeyDown = [this](int& k, int) { log.push_back("txt " + std::to_string(k)); };
    }
    void Form_KeyDown(int& key, int) override
    {
        log.push_back("form " + std::to_string(key));
        if (key == VK_F3)
            key = 0;  // taken by the form
    }
};
}  // namespace

TEST(FormKeys, KeyPreviewSeesKeysFirstAndMaySwallowThem)
{
    auto f = std::make_shared<frmKeys>();
    f->Show();
    SendMessageA(f->txtFind.Window(), WM_KEYDOWN, 'A', 0);
    SendMessageA(f->txtFind.Window(), WM_KEYDOWN, VK_F3, 0);
    EXPECT_EQ(f->log, (std::vector<std::string>{"form 65", "txt 65", "form 114"}));
    f->KeyPreview(false);
    SendMessageA(f->txtFind.Window(), WM_KEYDOWN, VK_F3, 0);
    EXPECT_EQ(f->log.back(), "txt 114");
    f->Unload(vbFormCode);
}
