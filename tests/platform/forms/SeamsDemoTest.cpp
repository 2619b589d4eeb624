// Scripted message boxes and shell calls, the clipboard, subclassing, and the demo window.
#include <windows.h>

#include <gtest/gtest.h>

#include "FormsTestSupport.h"
#include "platform/forms/Clipboard.h"
#include "platform/forms/DemoForm.h"
#include "platform/forms/Seams.h"
#include "platform/forms/Subclass.h"

using namespace platform::forms;

TEST(Seams, ScriptedBoxesAnswerInOrderAndShellCallsAreOnlyRecorded)
{
    BeginScript({vbNo});
    EXPECT_EQ(MsgBox("Delete it?", vbYesNo | vbQuestion, "Confirm"), vbNo);
    EXPECT_EQ(MsgBox("Again?", vbYesNo), vbYes) << "past the script: the first button";
    EXPECT_TRUE(ShellOpen("open", "Z:\\nowhere\\readme.txt"));
    ASSERT_EQ(ScriptLog().size(), 3u);
    EXPECT_EQ(ScriptLog()[0].text, "Delete it?");
    EXPECT_EQ(ScriptLog()[0].detail, "Confirm");
    EXPECT_EQ(ScriptLog()[0].flags, vbYesNo | vbQuestion);
    EXPECT_EQ(ScriptLog()[1].detail, AppTitle());
    EXPECT_EQ(ScriptLog()[2].kind, "Shell");
    EndScript();
    EXPECT_FALSE(Scripted());
}

TEST(Seams, ClipboardKeepsAnsiAndUnicodeText)
{
    ASSERT_TRUE(Clipboard::SetText("caf\xE9 \xC4"));
    EXPECT_EQ(Clipboard::GetText(), "caf\xE9 \xC4");
    ASSERT_TRUE(OpenClipboard(nullptr));
    auto* w = static_cast<const wchar_t*>(GlobalLock(GetClipboardData(CF_UNICODETEXT)));
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(std::wstring(w), L"caf\u00E9 \u00C4");
    GlobalUnlock(GetClipboardData(CF_UNICODETEXT));
    CloseClipboard();
    EXPECT_TRUE(Clipboard::Clear());
    EXPECT_EQ(Clipboard::GetText(), "");
}

TEST(Seams, SubclassSeesMessagesFirstAndSurvivesAThrowingHandler)
{
    formstest::ErrorCapture errors;
    HWND w = CreateWindowExA(0, "STATIC", "x", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    Subclass sc;
    int seen = 0;
    ASSERT_TRUE(sc.Attach(w, [&](HWND, UINT m, WPARAM, LPARAM, LRESULT& r) {
        if (m == WM_APP) {
            ++seen;
            r = 42;
            return true;
        }
        if (m == WM_APP + 1)
            throw std::runtime_error("bad");
        return false;
    }, "frmX: sc"));
    EXPECT_EQ(SendMessageA(w, WM_APP, 0, 0), 42);
    SendMessageA(w, WM_APP + 1, 0, 0);
    EXPECT_EQ(seen, 1);
    ASSERT_EQ(errors.Errors().size(), 1u);
    EXPECT_EQ(errors.Errors()[0].source, "frmX: sc");
    DestroyWindow(w);
    EXPECT_EQ(sc.Window(), nullptr);
}

TEST(DemoWindow, ShowsTheInstalledFamiliesAndASample)
{
    auto f = std::make_shared<frmDemo>();
    f->Show();
    EXPECT_GT(f->tvFonts.Count(), 1);
    EXPECT_TRUE(f->tvFonts.Exists("f:DejaVu Sans"));
    EXPECT_GT(f->lvFaces.Count(), 0);
    f->ShowSample("DejaVu Sans");
    EXPECT_NE(f->rtbSample.Text().find("quick brown fox"), std::string::npos);
    EXPECT_EQ(f->sb.PanelText(1), "DejaVu Sans");
    SendMessageA(f->Window(), WM_COMMAND, static_cast<WPARAM>(f->mnuFileExit.CommandId()), 0);
    EXPECT_FALSE(f->IsLoaded());
}
