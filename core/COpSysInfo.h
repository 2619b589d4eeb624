#pragma once
// The running Windows version, read once at creation. The font engine tells the 9x
// family from the NT family by Platform.
#include <windows.h>

#include <cstdint>
#include <string>

class COpSysInfo {
public:
    // Asks the platform (GetVersionExA with the extended record, else the basic one).
    COpSysInfo();
    // From a given record: the mapping alone, for tests.
    explicit COpSysInfo(const OSVERSIONINFOEXA& record);

    // The low 16 bits of the build number as a signed 16-bit number.
    int32_t BuildNumber() const { return static_cast<int16_t>(record_.dwBuildNumber & 0xFFFF); }
    // The service-pack text without blanks at either end.
    std::string CSDVersion() const;
    int32_t MajorVersion() const { return static_cast<int32_t>(record_.dwMajorVersion); }
    int32_t MinorVersion() const { return static_cast<int32_t>(record_.dwMinorVersion); }
    int32_t PlatformID() const { return static_cast<int32_t>(record_.dwPlatformId); }
    int32_t ProductType() const { return record_.wProductType; }
    int32_t ServicePackMajor() const { return record_.wServicePackMajor; }
    int32_t ServicePackMinor() const { return record_.wServicePackMinor; }
    int32_t SuiteMask() const { return record_.wSuiteMask; }

    bool HasAS() const { return record_.wSuiteMask & 0x02; }
    bool HasBO() const { return record_.wSuiteMask & 0x04; }
    bool HasDC() const { return record_.wSuiteMask & 0x80; }
    bool HasSBS() const { return record_.wSuiteMask & 0x01; }
    bool HasSBSr() const { return record_.wSuiteMask & 0x20; }
    bool HasTS() const { return record_.wSuiteMask & 0x10; }

    bool IsWinXP() const { return isWinXP_; }
    bool IsWin2K() const { return isWin2K_; }
    bool IsWinNT() const { return isWinNT_; }
    bool IsWin9x() const { return isWinME_ || isWin98_ || isWin95_; }
    bool IsWin95() const { return isWin95_; }
    bool IsWin98() const { return isWin98_; }
    bool IsWinME() const { return isWinME_; }

    // "Windows Me", "Windows 98", "Windows 95", "Windows XP", "Windows 2000",
    // "Windows NT" (tested in that order), or "". Later versions of the NT family give
    // the name of the one their major and minor numbers pass for (6.1 "Windows XP").
    std::string Platform() const;
    // Platform & " v" & major & "." & minor & ", Build " & BuildNumber.
    std::string Version() const;
    // "Unknown", "NT Workstation", "Domain Controller", "NT Server" or "".
    std::string ProductTypeName() const;

private:
    void Derive();

    OSVERSIONINFOEXA record_{};
    bool isWin95_ = false, isWin98_ = false, isWinME_ = false;
    bool isWinNT_ = false, isWin2K_ = false, isWinXP_ = false;
};
