#pragma once
// A property bag over a map, as a container would keep it.
#include <map>

#include "core/controls/ControlProperties.h"

namespace ql::test {

class MapBag : public IControlPropertyBag {
public:
    std::optional<PropertyValue> Read(const std::string& name) override
    {
        auto it = values.find(name);
        if (it == values.end())
            return std::nullopt;
        return it->second;
    }
    // Like the platform's bag: a value equal to its default is not stored.
    void Write(const std::string& name, const PropertyValue& value, const PropertyValue& def) override
    {
        if (value == def)
            values.erase(name);
        else
            values[name] = value;
    }
    std::map<std::string, PropertyValue> values;
};

}  // namespace ql::test
