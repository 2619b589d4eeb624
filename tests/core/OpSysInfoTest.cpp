// COpSysInfo: the mapping from a version record, and one live reading.
#include <windows.h>

#include <cstring>

#include <gtest/gtest.h>

#include "core/COpSysInfo.h"

namespace {

COpSysInfo Make(DWORD platform, DWORD major, DWORD minor, DWORD build = 0, const char* csd = "")
{
    OSVERSIONINFOEXA r{};
    r.dwOSVersionInfoSize = sizeof r;
    r.dwPlatformId = platform;
    r.dwMajorVersion = major;
    r.dwMinorVersion = minor;
    r.dwBuildNumber = build;
    std::strncpy(r.szCSDVersion, csd, sizeof r.szCSDVersion - 1);
    return COpSysInfo(r);
}

}  // namespace

TEST(OpSysInfo, PlatformNames)
{
    EXPECT_EQ(Make(2, 4, 0).Platform(), "Windows NT");
    EXPECT_EQ(Make(2, 5, 0).Platform(), "Windows 2000");
    EXPECT_EQ(Make(2, 5, 1).Platform(), "Windows XP");
    EXPECT_EQ(Make(2, 6, 0).Platform(), "Windows 2000");
    EXPECT_EQ(Make(2, 6, 1).Platform(), "Windows XP");
    EXPECT_EQ(Make(1, 4, 0, 950).Platform(), "Windows 95");
    EXPECT_EQ(Make(1, 4, 10, 1998).Platform(), "Windows 98");
    EXPECT_EQ(Make(1, 4, 90, 0x04000000 | 3000).Platform(), "Windows Me");
    EXPECT_EQ(Make(0, 3, 11).Platform(), "");
    EXPECT_EQ(Make(3, 6, 1).Platform(), "");
}

TEST(OpSysInfo, Flags)
{
    COpSysInfo nt4 = Make(2, 4, 0);
    EXPECT_TRUE(nt4.IsWinNT());
    EXPECT_FALSE(nt4.IsWin2K());
    EXPECT_FALSE(nt4.IsWin9x());
    COpSysInfo me = Make(1, 4, 90, 3000);
    EXPECT_TRUE(me.IsWin95());
    EXPECT_TRUE(me.IsWin98());
    EXPECT_TRUE(me.IsWinME());
    EXPECT_TRUE(me.IsWin9x());
    EXPECT_FALSE(me.IsWinNT());
    // A build whose low 16 bits read negative as a signed number is not Me.
    EXPECT_FALSE(Make(1, 4, 90, 0x8000).IsWinME());
}

TEST(OpSysInfo, VersionTextBuildAndServicePack)
{
    COpSysInfo xp = Make(2, 5, 1, 2600, "  Service Pack 3 ");
    EXPECT_EQ(xp.Version(), "Windows XP v5.1, Build 2600");
    EXPECT_EQ(xp.CSDVersion(), "Service Pack 3");
    EXPECT_EQ(Make(2, 5, 1, 0x1FFFF).BuildNumber(), -1);
    EXPECT_EQ(Make(2, 5, 1, 0, "").CSDVersion(), "");
}

TEST(OpSysInfo, SuiteAndProductType)
{
    OSVERSIONINFOEXA r{};
    r.dwPlatformId = 2;
    r.dwMajorVersion = 5;
    r.wSuiteMask = 0x01 | 0x10 | 0x80;
    r.wProductType = 2;
    COpSysInfo info(r);
    EXPECT_TRUE(info.HasSBS());
    EXPECT_TRUE(info.HasTS());
    EXPECT_TRUE(info.HasDC());
    EXPECT_FALSE(info.HasAS());
    EXPECT_FALSE(info.HasBO());
    EXPECT_FALSE(info.HasSBSr());
    EXPECT_EQ(info.ProductTypeName(), "Domain Controller");
    r.wProductType = 0;
    EXPECT_EQ(COpSysInfo(r).ProductTypeName(), "Unknown");
    r.wProductType = 1;
    EXPECT_EQ(COpSysInfo(r).ProductTypeName(), "NT Workstation");
    r.wProductType = 3;
    EXPECT_EQ(COpSysInfo(r).ProductTypeName(), "NT Server");
    r.wProductType = 9;
    EXPECT_EQ(COpSysInfo(r).ProductTypeName(), "");
}

TEST(OpSysInfo, LiveIsTheNtFamily)
{
    COpSysInfo live;
    EXPECT_EQ(live.PlatformID(), 2);
    EXPECT_TRUE(live.IsWinNT());
    EXPECT_FALSE(live.IsWin9x());
    EXPECT_FALSE(live.Platform().empty());
    EXPECT_EQ(live.Version().rfind(live.Platform() + " v", 0), 0u) << live.Version();
}
