// Form lifetime: loading on first use, showing, unloading, the loaded-forms registry,
// modal loops, and the dispatcher's exception barrier.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include "FormsTestSupport.h"
#include "platform/QlError.h"
#include "platform/LoadedForms.h"
#include "platform/controls/CommandButton.h"
#include "platform/forms/Form.h"
#include "platform/forms/MessageLoop.h"

using namespace platform::forms;

namespace {

std::vector<std::string> g_log;

class frmLife : public Form {
public:
    frmLife() : Form("frmLife") {}
    CommandButton cmdGo{*this, "cmdGo"};
    int cancelQuery = 0;
    int lastMode = -1;
    std::string value;

protected:
    void Design() override
    {
        Caption("Life");
        ClientSize(4000, 3000);
        cmdGo.Move(120, 120, 1200, 400);
        cmdGo.Caption("&Go");
    }
    void Form_Load() override { g_log.push_back("Load"); }
    void Form_Resize() override { g_log.push_back("Resize"); }
    void Form_QueryUnload(int& cancel, int mode) override
    {
        g_log.push_back("QueryUnload");
        lastMode = mode;
        cancel = cancelQuery;
    }
    void Form_Unload(int&) override
    {
        g_log.push_back("Unload");
        value = "kept";
    }
};

FormRef<frmLife> frmLifeRef;

bool Registered(const std::string& name)
{
    for (auto* f : platform::LoadedFormsSnapshot())
        if (f->FormName() == name)
            return true;
    return false;
}

}  // namespace

TEST(FormLifetime, TouchingAControlLoadsHiddenThenShowUnloadInOrder)
{
    g_log.clear();
    ASSERT_FALSE(frmLifeRef.IsLoaded());
    HWND button = frmLifeRef.Instance().cmdGo.hWnd();
    ASSERT_NE(button, nullptr);
    frmLife& f = frmLifeRef.Instance();
    EXPECT_TRUE(f.IsLoaded());
    EXPECT_FALSE(f.Visible()) << "a form loaded by touching a control stays hidden";
    EXPECT_TRUE(Registered("frmLife"));
    EXPECT_EQ(g_log, (std::vector<std::string>{"Load"}));

    char cls[64] = {};
    GetClassNameA(f.Window(), cls, sizeof cls);
    EXPECT_STREQ(cls, "ThunderRT6FormDC");

    f.Show();
    EXPECT_TRUE(f.Visible());
    EXPECT_EQ(g_log, (std::vector<std::string>{"Load", "Resize"}));
    EXPECT_NEAR(f.ScaleWidth(), 4000, 30);

    auto held = frmLifeRef.Get();
    SendMessageA(f.Window(), WM_CLOSE, 0, 0);
    EXPECT_EQ(g_log, (std::vector<std::string>{"Load", "Resize", "QueryUnload", "Unload"}));
    EXPECT_EQ(held->lastMode, vbFormControlMenu);
    EXPECT_FALSE(held->IsLoaded());
    EXPECT_FALSE(Registered("frmLife"));
    EXPECT_FALSE(IsWindow(button)) << "the control's window is gone";
    EXPECT_EQ(held->cmdGo.Window(), nullptr);
    EXPECT_EQ(held->value, "kept") << "the object outlives its window";

    // The next use is a fresh instance; the holder keeps the old one.
    EXPECT_NE(&frmLifeRef.Instance(), held.get());
    frmLifeRef.Release();
}

TEST(FormLifetime, QueryUnloadCancelKeepsTheFormAndUnloadOfUnloadedDoesNothing)
{
    g_log.clear();
    frmLife& f = *frmLifeRef;
    f.cancelQuery = 1;
    EXPECT_FALSE(f.Unload(vbFormCode));
    EXPECT_TRUE(f.IsLoaded());
    EXPECT_EQ(f.lastMode, vbFormCode);
    f.cancelQuery = 0;
    EXPECT_TRUE(f.Unload(vbFormCode));
    EXPECT_FALSE(f.IsLoaded());
    g_log.clear();
    frmLifeRef.Unload();  // not loaded: must not load it to unload it
    EXPECT_TRUE(g_log.empty());
    frmLifeRef.Release();
}

static LRESULT CALLBACK SwallowSetText(HWND h, UINT m, WPARAM w, LPARAM l, UINT_PTR, DWORD_PTR)
{
    if (m == WM_SETTEXT)
        return TRUE;
    return DefSubclassProc(h, m, w, l);
}

TEST(FormLifetime, CaptionIsKeptInTheObjectWhenTheWindowSwallowsText)
{
    frmLife& f = *frmLifeRef;
    SetWindowSubclass(f.Window(), SwallowSetText, 1, 0);
    f.Caption("Renamed");
    EXPECT_EQ(f.Caption(), "Renamed");
    char text[64] = {};
    GetWindowTextA(f.Window(), text, sizeof text);
    EXPECT_STREQ(text, "Life");
    RemoveWindowSubclass(f.Window(), SwallowSetText, 1);
    f.Unload(vbFormCode);
    frmLifeRef.Release();
}

TEST(FormLifetime, AThrowingHandlerIsReportedAndTheLoopGoesOn)
{
    formstest::ErrorCapture errors;
    frmLife& f = *frmLifeRef;
    int after = 0;
    f.cmdGo.Click = [] { throw QlError(5, "x", "Invalid procedure call"); };
    SendMessageA(f.cmdGo.Window(), BM_CLICK, 0, 0);
    ASSERT_EQ(errors.Errors().size(), 1u);
    EXPECT_EQ(errors.Errors()[0].source, "frmLife: cmdGo_Click");
    EXPECT_EQ(errors.Errors()[0].number, 5);
    EXPECT_EQ(errors.Errors()[0].description, "Invalid procedure call");
    f.cmdGo.Click = [&] { ++after; };
    SendMessageA(f.cmdGo.Window(), BM_CLICK, 0, 0);
    EXPECT_EQ(after, 1);
    f.cmdGo.Click = [] { throw std::runtime_error("boom"); };
    SendMessageA(f.cmdGo.Window(), BM_CLICK, 0, 0);
    EXPECT_EQ(errors.Errors().size(), 2u);
    f.Unload(vbFormCode);
    frmLifeRef.Release();
}

TEST(FormLifetime, AFormClosedWhilePumpingIsNotTouchedAfterwards)
{
    formstest::ErrorCapture errors;
    auto f = frmLifeRef.Get();
    f->Show();
    bool loadedAfter = true;
    f->cmdGo.Click = [&] {
        PostMessageA(f->Window(), WM_CLOSE, 0, 0);
        DoEvents();
        loadedAfter = f->IsLoaded();
    };
    SendMessageA(f->cmdGo.Window(), BM_CLICK, 0, 0);
    EXPECT_FALSE(loadedAfter);
    EXPECT_FALSE(f->IsLoaded());
    EXPECT_TRUE(errors.Errors().empty());
    frmLifeRef.Release();
}

namespace {
class frmOwner : public Form {
public:
    frmOwner() : Form("frmOwner") {}
};
}  // namespace

TEST(FormLifetime, ModalShowDisablesOthersAndReturnsWhenTheFormUnloads)
{
    auto owner = std::make_shared<frmOwner>();
    owner->Show();
    auto dialog = std::make_shared<frmLife>();
    dialog->Load();
    bool ownerEnabledDuring = true;
    dialog->cmdGo.Click = [&] {
        ownerEnabledDuring = IsWindowEnabled(owner->Window()) != 0;
        dialog->Unload(vbFormCode);
    };
    PostMessageA(dialog->cmdGo.Window(), BM_CLICK, 0, 0);
    dialog->Show(vbModal, owner.get());
    EXPECT_FALSE(dialog->IsLoaded());
    EXPECT_FALSE(ownerEnabledDuring);
    EXPECT_TRUE(IsWindowEnabled(owner->Window()));
    // Showing modally what is already shown is an error, as it was.
    dialog->Show();
    EXPECT_THROW(dialog->Show(vbModal), QlError);
    dialog->Unload(vbFormCode);
    owner->Unload(vbFormCode);
}
