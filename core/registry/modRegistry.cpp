#include "core/registry/modRegistry.h"

#include "core/registry/cRegistry.h"

namespace modRegistry {

std::string GetSetting(const std::string& section, const std::string& name, const std::string& defaultValue)
{
    try {
        cRegistry reg;
        reg.ClassKey(kHKeyCurrentUser);
        reg.SectionKey(section);
        if (!reg.KeyExists())
            return defaultValue;
        reg.ValueKey(name);
        std::string text = RegValueText(reg.Value());
        return text.empty() ? defaultValue : text;
    } catch (...) {
        return defaultValue;
    }
}

void SaveSetting(const std::string& section, const std::string& name, const std::string& value)
{
    cRegistry reg;
    reg.ClassKey(kHKeyCurrentUser);
    reg.SectionKey(section);
    if (!reg.KeyExists())
        reg.CreateKey();
    if (reg.KeyExists()) {
        reg.ValueType(kRegSz);
        reg.ValueKey(name);
        reg.Value(value);
    }
}

}  // namespace modRegistry
