// The docking library's classes come from the DLL beside the program when no class is
// registered, and a clear message says so when neither way works.
#include "shell/DockLibrary.h"
#include "shell/DockTypes.h"
#include "shell/frmFonts.h"
#include "shell/frmMain.h"
#include "support/TestEnv.h"
#include "ShellTestSupport.h"

using namespace platform::forms;

class DockLibraryTest : public ShellTest {
protected:
    void TearDown() override
    {
        ShellTest::TearDown();
        DockLibrary::ResetForTests();
    }
};

TEST_F(DockLibraryTest, UnregisteredLibraryIsTakenFromBesideTheProgram)
{
    DockLibrary::ResetForTests(false);
    IClassFactory* f = DockLibrary::ClassFactory(dock::kClsidFDPane);
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(DockLibrary::CurrentSource(), DockLibrary::Source::BesideProgram);
    IDispatch* pane = nullptr;
    EXPECT_HRESULT_SUCCEEDED(f->CreateInstance(nullptr, IID_IDispatch, reinterpret_cast<void**>(&pane)));
    if (pane)
        pane->Release();
    f->Release();

    // The whole main window works that way.
    Forms::frmMain->Show();
    Pump();
    EXPECT_TRUE(Forms::frmFonts->PaneVisible());
    EXPECT_EQ(Forms::frmFonts->CurrentDockStyle(), DockStyle::DockToLeft);
}

TEST_F(DockLibraryTest, NoLibraryAnywhereIsToldOnce)
{
    DockLibrary::ResetForTests(false, ql::test::MakeScratchDir("nodock"));
    BeginScript();
    EXPECT_EQ(DockLibrary::ClassFactory(dock::kClsidDockFrame), nullptr);
    EXPECT_EQ(DockLibrary::ClassFactory(dock::kClsidFDPane), nullptr);
    ASSERT_EQ(ScriptLog().size(), 1u);
    EXPECT_NE(ScriptLog()[0].text.find("XMoorline.dll"), std::string::npos);
    EXPECT_EQ(ScriptLog()[0].flags & vbCritical, vbCritical);
    EndScript();
}
