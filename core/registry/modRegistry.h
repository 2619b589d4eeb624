#pragma once
// The settings store: every setting is one string value under one key of the current
// user. Settings are read where they are used, with the default given at each reading
// place; see core/registry/Settings.h for the names.
#include <string>

namespace modRegistry {

// The settings key below HKEY_CURRENT_USER; every reading and writing place passes it.
inline constexpr const char* kSettingsKey = "SOFTWARE\\Tamsel\\Quillery Pro\\4";

// The value's text (a REG_DWORD as its decimal text, REG_EXPAND_SZ expanded); the
// default for a missing key or value, an empty value, a binary value or any error.
// Never fails and logs nothing.
std::string GetSetting(const std::string& section, const std::string& name, const std::string& defaultValue);

// Creates the key when missing and writes the text as REG_SZ, always: text with "%"
// in it is stored as it is. cRegistry's errors (26001, 0x800469A9) reach the caller.
void SaveSetting(const std::string& section, const std::string& name, const std::string& value);

}  // namespace modRegistry
