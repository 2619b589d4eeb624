#pragma once
// The container's store of a control's saved properties (its property bag), as the
// two shared controls read and write it. Handles (fonts, pictures) travel as pointers.
#include <cstdint>
#include <optional>
#include <string>
#include <variant>

using PropertyValue = std::variant<int32_t, double, bool, std::string, void*>;

class IControlPropertyBag {
public:
    virtual ~IControlPropertyBag() = default;
    // The stored value, or nothing when the bag holds none under that name.
    virtual std::optional<PropertyValue> Read(const std::string& name) = 0;
    virtual void Write(const std::string& name, const PropertyValue& value, const PropertyValue& defaultValue) = 0;
};

namespace ql::props {

// A stored value converted to the kind asked for; the default when missing or unusable.
int32_t Long(IControlPropertyBag& bag, const std::string& name, int32_t def);
double Number(IControlPropertyBag& bag, const std::string& name, double def);
bool Flag(IControlPropertyBag& bag, const std::string& name, bool def);
void* Handle(IControlPropertyBag& bag, const std::string& name, void* def);

}  // namespace ql::props
