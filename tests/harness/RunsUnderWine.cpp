#include <windows.h>

#include <gtest/gtest.h>

#include "support/TestEnv.h"

TEST(Harness, RunsUnderWineInTheBuildPrefix)
{
    HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    ASSERT_NE(ntdll, nullptr);
    EXPECT_NE(GetProcAddress(ntdll, "wine_get_version"), nullptr) << "expected to run under Wine";

    char prefix[MAX_PATH] = {};
    GetEnvironmentVariableA("WINEPREFIX", prefix, MAX_PATH);
    std::string p = prefix;
    EXPECT_NE(p.find("wineprefix"), std::string::npos) << "tests must use the build's own prefix, got " << p;
}

TEST(Harness, ScratchFoldersAreFreshAndRemovable)
{
    std::string dir = ql::test::MakeScratchDir("harness");
    ASSERT_TRUE(ql::test::WriteFileBytes(dir + "\\a.bin", std::string("x\0y", 3)));
    EXPECT_EQ(ql::test::ReadFileBytes(dir + "\\a.bin"), std::string("x\0y", 3));
    ql::test::RemoveTree(dir);
    EXPECT_EQ(GetFileAttributesA(dir.c_str()), INVALID_FILE_ATTRIBUTES);
}
