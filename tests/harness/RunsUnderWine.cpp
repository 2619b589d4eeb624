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

namespace {

int CALLBACK CountFace(const LOGFONTA*, const TEXTMETRICA*, DWORD, LPARAM count)
{
    ++*reinterpret_cast<int*>(count);
    return 1;
}

int CountFaces(HDC dc, const char* face)
{
    LOGFONTA lf{};
    lf.lfCharSet = DEFAULT_CHARSET;
    lstrcpynA(lf.lfFaceName, face, LF_FACESIZE);
    int n = 0;
    EnumFontFamiliesExA(dc, &lf, CountFace, reinterpret_cast<LPARAM>(&n), 0);
    return n;
}

}  // namespace

// Frame controls (caption buttons, scroll arrows) draw Marlett glyphs; without Wine's own
// fonts in the fixed set they come out as letters.
TEST(Harness, FixedFontSetHoldsWinesOwnFonts)
{
    HDC dc = GetDC(nullptr);
    ASSERT_NE(dc, nullptr);
    EXPECT_GT(CountFaces(dc, "Marlett"), 0);
    EXPECT_GT(CountFaces(dc, "Tahoma"), 0);
    EXPECT_GT(CountFaces(dc, "DejaVu Sans"), 0);
    EXPECT_GT(CountFaces(dc, "Liberation Serif"), 0);
    // Nothing beyond the fixed set: Noto is installed on the machine but not in the set.
    EXPECT_EQ(CountFaces(dc, "Noto Sans"), 0);
    ReleaseDC(nullptr, dc);
}
