#pragma once
// The settings the shell reads and writes, and the key of the saved pane layout, with
// seams so tests work on keys of their own (test processes share one registry).
#include <string>

namespace ShellSettings {

// The settings key below HKEY_CURRENT_USER (modRegistry::kSettingsKey unless replaced).
std::string Key();
std::string Get(const std::string& name, const std::string& defaultValue);
void Save(const std::string& name, const std::string& value);

// The layout key the docking frame saves under, below HKEY_CURRENT_USER\Software.
inline constexpr const char* kLayoutKey = "Tamsel\\Quillery Pro\\3\\Layouts";
std::string LayoutKey();

// ---- Seams for tests: "" restores the program's own key.
void SetKeyForTests(const std::string& key);
void SetLayoutKeyForTests(const std::string& key);

}  // namespace ShellSettings
