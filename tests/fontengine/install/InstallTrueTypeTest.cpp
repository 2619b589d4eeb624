// Installing and removing TrueType fonts in a scratch Fonts folder and key.
#include <windows.h>

#include "InstallFixture.h"
#include "fontengine/install/qlToolsEx.h"
#include "support/TestEnv.h"

using namespace installtest;

namespace {

const char* kRegular = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
const char* kBold = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf";

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

class InstallTrueType : public ScratchInstall {
protected:
    std::string Family() const { return tag_ + " Sans"; }
    RawValue Value(const std::string& name) const { return ReadRaw(HKEY_CURRENT_USER, keyPath_, name); }
    qlToolsEx tools_;
};

TEST_F(InstallTrueType, InstallsRegistersUnderFullNameAndUninstalls)
{
    RenamedDejaVu(kRegular, source_, "qzsans.ttf", tag_);
    ASSERT_FALSE(FamilyKnown(Family()));

    EXPECT_EQ(tools_.InstallTTFont(source_, "qzsans.ttf", false, false), qlToolsEx::Installed);
    EXPECT_TRUE(Exists(fonts_ + "\\qzsans.ttf"));
    RawValue v = Value(Family() + " (TrueType)");
    ASSERT_TRUE(v.present);
    EXPECT_EQ(v.type, DWORD(REG_SZ));
    EXPECT_EQ(v.bytes, std::string("qzsans.ttf\0", 11));  // bare name with its NUL
    EXPECT_EQ(CountValues(HKEY_CURRENT_USER, keyPath_), 1);
    EXPECT_TRUE(FamilyKnown(Family()));

    // The same file again is not newer; forced, it installs again.
    EXPECT_EQ(tools_.InstallTTFont(source_ + "\\", "qzsans.ttf", false, false), qlToolsEx::NotNeeded);
    EXPECT_EQ(tools_.InstallTTFont(source_, "qzsans.ttf", false, true), qlToolsEx::Installed);
    EXPECT_EQ(CountValues(HKEY_CURRENT_USER, keyPath_), 1);

    EXPECT_TRUE(tools_.UnInstallTTFont("qzsans.ttf", "", false));
    EXPECT_FALSE(Exists(fonts_ + "\\qzsans.ttf"));
    EXPECT_FALSE(Value(Family() + " (TrueType)").present);
    EXPECT_TRUE(Exists(source_ + "\\qzsans.ttf"));
}

TEST_F(InstallTrueType, BoldMemberNeverTouchesTheRegularRegistration)
{
    RenamedDejaVu(kRegular, source_, "qzsans.ttf", tag_);
    RenamedDejaVu(kBold, source_, "qzsansbd.ttf", tag_);
    ASSERT_EQ(tools_.InstallTTFont(source_, "qzsans.ttf", false, false), qlToolsEx::Installed);
    ASSERT_EQ(tools_.InstallTTFont(source_, "qzsansbd.ttf", false, false), qlToolsEx::Installed);

    EXPECT_EQ(Value(Family() + " (TrueType)").bytes, std::string("qzsans.ttf\0", 11));
    EXPECT_EQ(Value(Family() + " Bold (TrueType)").bytes, std::string("qzsansbd.ttf\0", 13));

    EXPECT_TRUE(tools_.UnInstallTTFont("qzsansbd.ttf", "", false));
    EXPECT_FALSE(Value(Family() + " Bold (TrueType)").present);
    EXPECT_EQ(Value(Family() + " (TrueType)").bytes, std::string("qzsans.ttf\0", 11));
    EXPECT_TRUE(Exists(fonts_ + "\\qzsans.ttf"));

    EXPECT_TRUE(tools_.UnInstallTTFont("qzsans.ttf", "", false));
    EXPECT_EQ(CountValues(HKEY_CURRENT_USER, keyPath_), 0);
}

TEST_F(InstallTrueType, FindsValuesByTheirFileWhateverTheirNames)
{
    // Registrations written by others: an odd name, a full path in another letter case.
    RenamedDejaVu(kRegular, source_, "qzsans.ttf", tag_);
    ASSERT_EQ(tools_.InstallTTFont(source_, "qzsans.ttf", false, false), qlToolsEx::Installed);
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, keyPath_.c_str(), 0, KEY_ALL_ACCESS, &key), ERROR_SUCCESS);
    std::string full = fonts_ + "\\QZSANS.TTF";
    RegSetValueExA(key, "Something else", 0, REG_SZ, reinterpret_cast<const BYTE*>(full.c_str()),
                   DWORD(full.size() + 1));
    RegSetValueExA(key, "Unrelated (TrueType)", 0, REG_SZ, reinterpret_cast<const BYTE*>("other.ttf"), 10);
    RegCloseKey(key);

    EXPECT_TRUE(tools_.UnInstallTTFont("qzsans.ttf", "", false));
    EXPECT_FALSE(Value("Something else").present);
    EXPECT_FALSE(Value(Family() + " (TrueType)").present);
    EXPECT_TRUE(Value("Unrelated (TrueType)").present);
}

TEST_F(InstallTrueType, SourceInTheFontsFolderIsNeverLost)
{
    RenamedDejaVu(kRegular, fonts_, "qzsans.ttf", tag_);
    EXPECT_EQ(tools_.InstallTTFont(fonts_, "qzsans.ttf", false, false), qlToolsEx::NotNeeded);
    EXPECT_EQ(tools_.InstallTTFont(fonts_, "qzsans.ttf", false, true), qlToolsEx::Installed);
    EXPECT_TRUE(Exists(fonts_ + "\\qzsans.ttf"));
    EXPECT_TRUE(Value(Family() + " (TrueType)").present);
    EXPECT_TRUE(FamilyKnown(Family()));
}

TEST_F(InstallTrueType, SessionInstallLoadsWithoutRegistering)
{
    RenamedDejaVu(kRegular, source_, "qzsans.ttf", tag_);
    EXPECT_EQ(tools_.InstallTTFontTemporary(source_, "qzsans.ttf", false, false), qlToolsEx::Installed);
    EXPECT_TRUE(Exists(temp_ + "\\qzsans.ttf"));
    EXPECT_FALSE(Exists(fonts_ + "\\qzsans.ttf"));
    EXPECT_EQ(CountValues(HKEY_CURRENT_USER, keyPath_), 0);
    EXPECT_TRUE(FamilyKnown(Family()));
    // Again: the copy in the temporary folder is the one loaded; still fine.
    EXPECT_EQ(tools_.InstallTTFontTemporary(source_, "qzsans.ttf", false, false), qlToolsEx::Installed);
}

TEST_F(InstallTrueType, SessionInstallOfAFileInTheFontsFolderStaysASessionInstall)
{
    // An older copy sits in the Fonts folder; the newer source must not replace it.
    RenamedDejaVu(kBold, fonts_, "qzsans.ttf", tag_);
    std::string before = ql::test::ReadFileBytes(fonts_ + "\\qzsans.ttf");
    RenamedDejaVu(kRegular, source_, "qzsans.ttf", tag_);
    EXPECT_EQ(tools_.InstallTTFontTemporary(source_, "qzsans.ttf", false, true), qlToolsEx::NotNeeded);
    EXPECT_EQ(ql::test::ReadFileBytes(fonts_ + "\\qzsans.ttf"), before);
    EXPECT_EQ(CountValues(HKEY_CURRENT_USER, keyPath_), 0);
}

TEST_F(InstallTrueType, BadInputChangesNothing)
{
    ql::test::WriteFileBytes(source_ + "\\notafont.ttf", std::string(4000, 'x'));
    std::string real = ql::test::ReadFileBytes(ql::test::WinPath(kRegular));
    ql::test::WriteFileBytes(source_ + "\\cut.ttf", real.substr(0, 200));

    EXPECT_EQ(tools_.InstallTTFont(source_, "notafont.ttf", false, false), qlToolsEx::InstallFailed);
    EXPECT_EQ(tools_.InstallTTFont(source_, "cut.ttf", false, false), qlToolsEx::InstallFailed);
    EXPECT_EQ(tools_.InstallTTFont(source_, "missing.ttf", false, false), qlToolsEx::InstallFailed);
    EXPECT_EQ(tools_.InstallTTFont(source_, "a.t", false, false), qlToolsEx::InstallFailed);
    EXPECT_EQ(tools_.InstallTTFontTemporary(source_, "notafont.ttf", false, false), qlToolsEx::InstallFailed);
    EXPECT_FALSE(Exists(fonts_ + "\\notafont.ttf"));
    EXPECT_FALSE(Exists(fonts_ + "\\cut.ttf"));
    EXPECT_EQ(CountValues(HKEY_CURRENT_USER, keyPath_), 0);
    EXPECT_FALSE(tools_.UnInstallTTFont("missing.ttf", "", false));
}

TEST_F(InstallTrueType, AFontsKeyThatCannotBeOpenedFailsTheInstall)
{
    RenamedDejaVu(kRegular, source_, "qzsans.ttf", tag_);
    overrides_.fontsKey = qlInstall::FontsKeyLocation{reinterpret_cast<HKEY>(uintptr_t(0x1234)), "Fonts"};
    EXPECT_EQ(tools_.InstallTTFont(source_, "qzsans.ttf", false, false), qlToolsEx::InstallFailed);
    EXPECT_FALSE(Exists(fonts_ + "\\qzsans.ttf"));
    EXPECT_FALSE(FamilyKnown(Family()));
}

}  // namespace

namespace {

const char* kSessionManager = "System\\CurrentControlSet\\Control\\Session Manager";

// Puts the pending renames back as they were, so the prefix's next start replaces nothing.
class PendingRenamesGuard {
public:
    PendingRenamesGuard() : saved_(ReadRaw(HKEY_LOCAL_MACHINE, kSessionManager, "PendingFileRenameOperations")) {}
    ~PendingRenamesGuard()
    {
        HKEY key = nullptr;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSessionManager, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS)
            return;
        if (saved_.present)
            RegSetValueExA(key, "PendingFileRenameOperations", 0, saved_.type,
                           reinterpret_cast<const BYTE*>(saved_.bytes.data()), DWORD(saved_.bytes.size()));
        else
            RegDeleteValueA(key, "PendingFileRenameOperations");
        RegCloseKey(key);
    }
    std::string Now() const
    {
        std::string s = ReadRaw(HKEY_LOCAL_MACHINE, kSessionManager, "PendingFileRenameOperations").bytes;
        CharLowerBuffA(s.data(), DWORD(s.size()));
        return s;
    }

private:
    RawValue saved_;
};

TEST_F(InstallTrueType, FileInUseIsReplacedAtRestartAndStaysRegistered)
{
    RenamedDejaVu(kRegular, source_, "qzsans.ttf", tag_);
    ASSERT_EQ(tools_.InstallTTFont(source_, "qzsans.ttf", false, false), qlToolsEx::Installed);
    // A newer font under the same file name, while the installed file is held open.
    std::string newer = ql::test::MakeScratchDir("inst-newer");
    RenamedDejaVu(kBold, newer, "qzsans.ttf", tag_);
    std::string target = fonts_ + "\\qzsans.ttf";
    HANDLE held = CreateFileA(target.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    {
        PendingRenamesGuard pending;
        EXPECT_EQ(tools_.InstallTTFont(newer, "qzsans.ttf", false, true), qlToolsEx::ReplacedAtRestart);
        EXPECT_NE(pending.Now().find("qzsans.ttf"), std::string::npos);
        // Registered under the name the file has after the restart, and only once.
        EXPECT_EQ(Value(Family() + " Bold (TrueType)").bytes, std::string("qzsans.ttf\0", 11));
        EXPECT_FALSE(Value(Family() + " (TrueType)").present);
        EXPECT_EQ(CountValues(HKEY_CURRENT_USER, keyPath_), 1);
        EXPECT_TRUE(Exists(target));
    }
    CloseHandle(held);
    ql::test::RemoveTree(newer);
}

}  // namespace

namespace {

TEST_F(InstallTrueType, AReplacementThatCannotBeScheduledFailsAndKeepsTheRegistration)
{
    RenamedDejaVu(kRegular, source_, "qzsans.ttf", tag_);
    ASSERT_EQ(tools_.InstallTTFont(source_, "qzsans.ttf", false, false), qlToolsEx::Installed);
    std::string newer = ql::test::MakeScratchDir("inst-newer");
    RenamedDejaVu(kBold, newer, "qzsans.ttf", tag_);
    std::string target = fonts_ + "\\qzsans.ttf";
    HANDLE held = CreateFileA(target.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    overrides_.tempFolder = temp_ + "\\missing\\folder";  // nowhere to stage the new file
    {
        PendingRenamesGuard pending;
        std::string before = pending.Now();
        EXPECT_EQ(tools_.InstallTTFont(newer, "qzsans.ttf", false, true), qlToolsEx::InstallFailed);
        EXPECT_EQ(pending.Now(), before);
    }
    EXPECT_EQ(Value(Family() + " (TrueType)").bytes, std::string("qzsans.ttf\0", 11));
    EXPECT_FALSE(Value(Family() + " Bold (TrueType)").present);
    EXPECT_TRUE(FamilyKnown(Family()));
    CloseHandle(held);
    ql::test::RemoveTree(newer);
}

TEST_F(InstallTrueType, AnUninstallThatCannotDeleteTheFileChangesNothing)
{
    RenamedDejaVu(kRegular, source_, "qzsans.ttf", tag_);
    ASSERT_EQ(tools_.InstallTTFont(source_, "qzsans.ttf", false, false), qlToolsEx::Installed);
    std::string target = fonts_ + "\\qzsans.ttf";
    HANDLE held = CreateFileA(target.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(tools_.UnInstallTTFont("qzsans.ttf", "", false));
    EXPECT_EQ(Value(Family() + " (TrueType)").bytes, std::string("qzsans.ttf\0", 11));
    EXPECT_TRUE(FamilyKnown(Family()));
    CloseHandle(held);
    EXPECT_TRUE(tools_.UnInstallTTFont("qzsans.ttf", "", false));
    EXPECT_FALSE(FamilyKnown(Family()));
}

}  // namespace

namespace {

int g_fontChanges = 0;

LRESULT CALLBACK CountFontChanges(HWND w, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_FONTCHANGE)
        ++g_fontChanges;
    return DefWindowProcA(w, msg, wp, lp);
}

TEST_F(InstallTrueType, EveryChangeOfTheInstalledFontsIsBroadcast)
{
    if (!ql::test::HaveDisplay())
        GTEST_SKIP() << "needs a display for a top-level window";
    WNDCLASSA wc{};
    wc.lpfnWndProc = CountFontChanges;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "QlFontChangeCounter";
    RegisterClassA(&wc);
    HWND w = CreateWindowExA(0, wc.lpszClassName, "", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr, wc.hInstance,
                             nullptr);
    ASSERT_NE(w, nullptr);
    RenamedDejaVu(kRegular, source_, "qzsans.ttf", tag_);
    g_fontChanges = 0;
    ASSERT_EQ(tools_.InstallTTFont(source_, "qzsans.ttf", false, false), qlToolsEx::Installed);
    EXPECT_EQ(g_fontChanges, 1);
    EXPECT_EQ(tools_.InstallTTFont(source_, "qzsans.ttf", false, false), qlToolsEx::NotNeeded);
    EXPECT_EQ(tools_.InstallTTFontTemporary(source_, "qzsans.ttf", false, false), qlToolsEx::NotNeeded);
    EXPECT_EQ(g_fontChanges, 1);
    ASSERT_TRUE(tools_.UnInstallTTFont("qzsans.ttf", "", false));
    EXPECT_EQ(g_fontChanges, 2);
    DestroyWindow(w);
}

}  // namespace
