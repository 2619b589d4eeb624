#pragma once
// INI file access through the platform's profile functions (ANSI).
#include <string>

class cINI {
public:
    // Section names, each followed by a NUL.
    std::string GetIniSections(const std::string& INIfile) const;
    // The key=value lines of one section, each followed by a NUL.
    std::string GetIniSection(const std::string& INIfile, const std::string& section) const;
    // One key's value; "" when missing.
    std::string GetIniSetting(const std::string& INIfile, const std::string& section, const std::string& variable) const;
    void SetIniSetting(const std::string& INIfile, const std::string& section, const std::string& variable,
                       const std::string& value) const;
};
