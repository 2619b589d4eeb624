#pragma once
// Where the installer works: the operating-system family, the Fonts folder, the
// temporary and Windows folders and the Fonts key. Nothing is cached: every
// operation asks afresh, so a changed setting is seen at the next install.
#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

namespace qlInstall {

// The version fields that decide the operating-system code.
struct OsVersion {
    uint32_t platformId = 0;
    uint32_t major = 0;
    uint32_t minor = 0;
    uint32_t build = 0;
};

struct OsInfo {
    int32_t code = 0;       // 0 unknown/newer, 1-3 the 9x family, 4-6 NT 3.x to 2000/XP
    bool family9x = false;  // decided by the platform, so Windows Me counts as 9x
};

OsInfo OsInfoFrom(const OsVersion& v);
OsInfo GetOSCode();

// Adds a trailing backslash unless the path already ends in one (or in "/").
std::string AddBackslash(std::string path);

std::string GetTempDir();
std::string GetWinDir();
// The "Fonts" value of the user's shell folders (the 9x source of the Fonts folder).
std::string GetShellFontsFolder();
// The Windows Fonts folder for the given system, with a trailing backslash; empty when unknown.
std::string FontsDirFor(const OsInfo& os);
std::string GetFontsDir();

// The key that lists installed fonts.
struct FontsKeyLocation {
    HKEY root = HKEY_LOCAL_MACHINE;
    std::string path;
};
FontsKeyLocation FontsKeyFor(const OsInfo& os);
FontsKeyLocation GetFontsKey();

// Lets a caller point the installer at other places (a scratch Fonts folder and key);
// empty fields keep the system's own answer.
struct Overrides {
    std::optional<OsInfo> os;
    std::string fontsFolder;
    std::string tempFolder;
    std::optional<FontsKeyLocation> fontsKey;
};
void SetOverrides(const Overrides* overrides);  // nullptr restores the system's answers

}  // namespace qlInstall
