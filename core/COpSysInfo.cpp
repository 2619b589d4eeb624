#include "core/COpSysInfo.h"

#include <cstring>

COpSysInfo::COpSysInfo()
{
    record_.dwOSVersionInfoSize = sizeof(OSVERSIONINFOEXA);
    if (!GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&record_))) {
        record_ = OSVERSIONINFOEXA{};
        record_.dwOSVersionInfoSize = sizeof(OSVERSIONINFOA);
        GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&record_));
    }
    Derive();
}

COpSysInfo::COpSysInfo(const OSVERSIONINFOEXA& record) : record_(record) { Derive(); }

void COpSysInfo::Derive()
{
    record_.szCSDVersion[sizeof(record_.szCSDVersion) - 1] = '\0';
    if (record_.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS) {
        isWin95_ = true;
        isWin98_ = record_.dwMinorVersion >= 10;
        isWinME_ = static_cast<int16_t>(record_.dwBuildNumber & 0xFFFF) >= 3000;
    } else if (record_.dwPlatformId == VER_PLATFORM_WIN32_NT) {
        isWinNT_ = true;
        isWin2K_ = record_.dwMajorVersion >= 5;
        isWinXP_ = record_.dwMajorVersion >= 5 && record_.dwMinorVersion >= 1;
    }
}

std::string COpSysInfo::CSDVersion() const
{
    std::string s(record_.szCSDVersion, strnlen(record_.szCSDVersion, sizeof(record_.szCSDVersion)));
    std::size_t a = s.find_first_not_of(' ');
    if (a == std::string::npos)
        return {};
    return s.substr(a, s.find_last_not_of(' ') - a + 1);
}

std::string COpSysInfo::Platform() const
{
    if (isWinME_)
        return "Windows Me";
    if (isWin98_)
        return "Windows 98";
    if (isWin95_)
        return "Windows 95";
    if (isWinXP_)
        return "Windows XP";
    if (isWin2K_)
        return "Windows 2000";
    if (isWinNT_)
        return "Windows NT";
    return {};
}

std::string COpSysInfo::Version() const
{
    return Platform() + " v" + std::to_string(MajorVersion()) + "." + std::to_string(MinorVersion()) + ", Build " +
           std::to_string(BuildNumber());
}

std::string COpSysInfo::ProductTypeName() const
{
    switch (record_.wProductType) {
    case 0: return "Unknown";
    case 1: return "NT Workstation";
    case 2: return "Domain Controller";
    case 3: return "NT Server";
    default: return {};
    }
}
