// The two halves of the replace-at-restart check, run by replace-at-restart.sh in a
// prefix of its own: the first schedules a replacement of a font file held open, the
// second (after the prefix's Wine server restarted) finds the new file in place.
#include <windows.h>

#include "InstallFixture.h"
#include "fontengine/install/InstallEnvironment.h"
#include "fontengine/install/qlToolsEx.h"
#include "support/TestEnv.h"

using namespace installtest;

namespace {

const char* kNT = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Fonts";
const char* kTag = "Qzrest";
const std::string kStore = "C:\\restart-src";

std::string FontsFolder() { return qlInstall::GetFontsDir(); }

TEST(Restart, Schedule)
{
    CreateDirectoryA(kStore.c_str(), nullptr);
    CreateDirectoryA((kStore + "\\old").c_str(), nullptr);
    CreateDirectoryA((kStore + "\\new").c_str(), nullptr);
    RenamedDejaVu("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf", kStore + "\\old", "qzrest.ttf", kTag);
    RenamedDejaVu("/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf", kStore + "\\new", "qzrest.ttf", kTag);

    qlToolsEx tools;
    ASSERT_EQ(tools.InstallTTFont(kStore + "\\old", "qzrest.ttf", false, false), qlToolsEx::Installed);
    std::string target = FontsFolder() + "qzrest.ttf";
    HANDLE held = CreateFileA(target.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_EQ(tools.InstallTTFont(kStore + "\\new", "qzrest.ttf", false, true), qlToolsEx::ReplacedAtRestart);
    EXPECT_TRUE(ReadRaw(HKEY_LOCAL_MACHINE, kNT, std::string(kTag) + " Sans Bold (TrueType)").present);
    CloseHandle(held);
    EXPECT_TRUE(ql::test::ReadFileBytes(target) == ql::test::ReadFileBytes(kStore + "\\old\\qzrest.ttf"));
}

TEST(Restart, Replaced)
{
    std::string target = FontsFolder() + "qzrest.ttf";
    std::string now = ql::test::ReadFileBytes(target);
    ASSERT_FALSE(now.empty());
    EXPECT_TRUE(now == ql::test::ReadFileBytes(kStore + "\\new\\qzrest.ttf"));
    RawValue v = ReadRaw(HKEY_LOCAL_MACHINE, kNT, std::string(kTag) + " Sans Bold (TrueType)");
    EXPECT_EQ(v.bytes, std::string("qzrest.ttf\0", 11));
    EXPECT_FALSE(ReadRaw(HKEY_LOCAL_MACHINE, kNT, std::string(kTag) + " Sans (TrueType)").present);
    // The replaced font is the one Wine now knows.
    EXPECT_TRUE(FamilyKnown(std::string(kTag) + " Sans"));
}

}  // namespace
