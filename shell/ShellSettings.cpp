#include "shell/ShellSettings.h"

#include "core/registry/modRegistry.h"

namespace ShellSettings {
namespace {
std::string& KeyOverride()
{
    static std::string k;
    return k;
}
std::string& LayoutOverride()
{
    static std::string k;
    return k;
}
}  // namespace

std::string Key() { return KeyOverride().empty() ? std::string(modRegistry::kSettingsKey) : KeyOverride(); }

std::string Get(const std::string& name, const std::string& defaultValue)
{
    return modRegistry::GetSetting(Key(), name, defaultValue);
}

void Save(const std::string& name, const std::string& value) { modRegistry::SaveSetting(Key(), name, value); }

std::string LayoutKey() { return LayoutOverride().empty() ? std::string(kLayoutKey) : LayoutOverride(); }

void SetKeyForTests(const std::string& key) { KeyOverride() = key; }
void SetLayoutKeyForTests(const std::string& key) { LayoutOverride() = key; }

}  // namespace ShellSettings
