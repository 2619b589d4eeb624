// The installer's decisions: system family, folders, versions, restart renames, values by file.
#include <windows.h>

#include "fontengine/install/FileVersion.h"
#include "fontengine/install/FontsKey.h"
#include "fontengine/install/InstallEnvironment.h"
#include "fontengine/install/ReplaceAtReboot.h"
#include "support/TestEnv.h"

#include <gtest/gtest.h>

using namespace qlInstall;

namespace {

TEST(InstallHelpers, OperatingSystemCodes)
{
    struct Case {
        OsVersion v;
        int32_t code;
        bool family9x;
    } cases[] = {
        {{1, 4, 0, 950}, 1, true},          {{1, 4, 10, 0x040A08AE}, 3, true},  // build 2222 in the low word
        {{1, 4, 10, 1998}, 2, true},        {{1, 4, 90, 3000}, 0, true},        // Me: still the 9x family
        {{2, 3, 51, 1057}, 4, false},       {{2, 4, 0, 1381}, 5, false},
        {{2, 5, 1, 2600}, 6, false},        {{2, 6, 1, 7601}, 0, false},
        {{3, 1, 0, 0}, 0, false},
    };
    for (const Case& c : cases) {
        OsInfo info = OsInfoFrom(c.v);
        EXPECT_EQ(info.code, c.code) << c.v.platformId << "." << c.v.major << "." << c.v.minor;
        EXPECT_EQ(info.family9x, c.family9x) << c.v.platformId << "." << c.v.major << "." << c.v.minor;
    }
    EXPECT_EQ(FontsKeyFor(OsInfoFrom({1, 4, 90, 0})).path, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Fonts");
    EXPECT_EQ(FontsKeyFor(OsInfoFrom({2, 6, 1, 0})).path, "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Fonts");
}

TEST(InstallHelpers, FontsFolderComesFromTheShellOnCurrentSystems)
{
    std::string win = GetWinDir();
    ASSERT_FALSE(win.empty());
    std::string fonts = win + "Fonts\\";
    EXPECT_EQ(lstrcmpiA(FontsDirFor(OsInfoFrom({2, 6, 1, 7601})).c_str(), fonts.c_str()), 0);
    EXPECT_EQ(lstrcmpiA(FontsDirFor(OsInfoFrom({2, 5, 1, 2600})).c_str(), fonts.c_str()), 0);
    EXPECT_EQ(lstrcmpiA(FontsDirFor(OsInfoFrom({1, 4, 10, 1998})).c_str(), fonts.c_str()), 0);  // shell folders value
    EXPECT_EQ(FontsDirFor(OsInfoFrom({2, 3, 51, 0})), win + "SYSTEM\\");
    EXPECT_EQ(lstrcmpiA(GetFontsDir().c_str(), fonts.c_str()), 0);
}

TEST(InstallHelpers, AddBackslash)
{
    EXPECT_EQ(AddBackslash("C:\\x"), "C:\\x\\");
    EXPECT_EQ(AddBackslash("C:\\x\\"), "C:\\x\\");
    EXPECT_EQ(AddBackslash("C:/x/"), "C:/x/");
    EXPECT_EQ(AddBackslash("C:\\x  "), "C:\\x\\");
}

TEST(InstallHelpers, VersionsCompareByUnsignedParts)
{
    EXPECT_TRUE(CompareVersions({1, 10, 0, 0}, {1, 9, 5, 5}));
    EXPECT_FALSE(CompareVersions({1, 9, 5, 5}, {1, 10, 0, 0}));
    EXPECT_FALSE(CompareVersions({2, 0, 0, 1}, {2, 0, 0, 1}));
    EXPECT_TRUE(CompareVersions({1, 40000, 0, 0}, {1, 2, 0, 0}));
    EXPECT_TRUE(CompareVersions({1, 0, 0, 2}, {1, 0, 0, 1}));
}

TEST(InstallHelpers, NewerByVersionRecordElseByDate)
{
    std::string withVersion = ql::test::MakeScratchDir("ver-a");
    std::string withoutVersion = ql::test::MakeScratchDir("ver-b");
    std::string sys = GetWinDir() + "system32\\kernel32.dll";
    ASSERT_TRUE(GetFileVersion(sys).has_value());
    ASSERT_TRUE(CopyFileA(sys.c_str(), (withVersion + "\\f.dll").c_str(), FALSE));
    ASSERT_TRUE(ql::test::WriteFileBytes(withoutVersion + "\\f.dll", "no version here"));
    EXPECT_FALSE(GetFileVersion(withoutVersion + "\\f.dll").has_value());

    EXPECT_TRUE(IsNewer(withVersion, "f.dll", withoutVersion, "f.dll"));
    EXPECT_FALSE(IsNewer(withoutVersion, "f.dll", withVersion, "f.dll"));
    EXPECT_FALSE(IsNewer(withVersion, "f.dll", withVersion, "f.dll"));  // equal versions
    EXPECT_TRUE(IsNewer(withVersion, "f.dll", withVersion, "missing.dll"));

    // Neither has a record: the later modification wins; the same time is not newer.
    std::string other = ql::test::MakeScratchDir("ver-c");
    ASSERT_TRUE(CopyFileA((withoutVersion + "\\f.dll").c_str(), (other + "\\f.dll").c_str(), FALSE));
    EXPECT_FALSE(IsNewer(other, "f.dll", withoutVersion, "f.dll"));
    HANDLE h = CreateFileA((other + "\\f.dll").c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    FILETIME later{};
    GetSystemTimeAsFileTime(&later);
    ULARGE_INTEGER t{{later.dwLowDateTime, later.dwHighDateTime}};
    t.QuadPart += 10ull * 60 * 10000000;  // ten minutes on
    later = {t.LowPart, t.HighPart};
    SetFileTime(h, nullptr, nullptr, &later);
    CloseHandle(h);
    EXPECT_TRUE(IsNewer(other, "f.dll", withoutVersion, "f.dll"));
    EXPECT_FALSE(IsNewer(withoutVersion, "f.dll", other, "f.dll"));
    for (const std::string& d : {withVersion, withoutVersion, other})
        ql::test::RemoveTree(d);
}

TEST(InstallHelpers, WininitRenameEntry)
{
    std::string dir = ql::test::MakeScratchDir("wininit");
    std::string ini = dir + "\\WININIT.INI";
    std::string staged = dir + "\\staged.ttf";
    ASSERT_TRUE(ql::test::WriteFileBytes(staged, "x"));
    ASSERT_TRUE(WriteWininitRename(dir + "\\target.ttf", staged, ini));
    char value[MAX_PATH] = {};
    char shortStaged[MAX_PATH] = {};
    GetShortPathNameA(staged.c_str(), shortStaged, MAX_PATH);
    char shortDir[MAX_PATH] = {};
    GetShortPathNameA(dir.c_str(), shortDir, MAX_PATH);
    std::string target = std::string(shortDir) + "\\target.ttf";
    GetPrivateProfileStringA("Rename", target.c_str(), "", value, MAX_PATH, ini.c_str());
    EXPECT_STREQ(value, shortStaged);
    ql::test::RemoveTree(dir);
}

TEST(InstallHelpers, ValuesAreMatchedByTheFileTheyName)
{
    std::string fonts = "C:\\windows\\Fonts\\";
    std::vector<FontValue> values = {
        {"A (TrueType)", "a.ttf"},
        {"A Bold (TrueType)", "abd.ttf"},
        {"Full", "c:\\WINDOWS\\fonts\\A.TTF"},
        {"Elsewhere", "D:\\fonts\\a.ttf"},
        {"Empty", ""},
    };
    auto found = ValuesForFile(values, fonts, fonts + "a.ttf");
    ASSERT_EQ(found.size(), 2u);
    EXPECT_EQ(found[0].name, "A (TrueType)");
    EXPECT_EQ(found[1].name, "Full");
    EXPECT_EQ(ValuesForFile(values, fonts, "D:\\fonts\\A.ttf").size(), 1u);
    EXPECT_TRUE(SameFolder("C:\\windows\\fonts", "c:\\Windows\\Fonts\\"));
    EXPECT_FALSE(SameFolder("C:\\windows\\fonts", "C:\\windows"));
}

}  // namespace
