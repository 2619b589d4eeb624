#include "core/controls/ControlProperties.h"

#include <cmath>
#include <cstdlib>

#include <windows.h>

namespace ql::props {

namespace {

std::optional<double> AsNumber(const PropertyValue& v)
{
    if (auto* i = std::get_if<int32_t>(&v))
        return *i;
    if (auto* d = std::get_if<double>(&v))
        return *d;
    if (auto* b = std::get_if<bool>(&v))
        return *b ? -1.0 : 0.0;  // True is -1 as a number
    if (auto* s = std::get_if<std::string>(&v)) {
        char* end = nullptr;
        double d = std::strtod(s->c_str(), &end);
        if (!s->empty() && end && *end == '\0')
            return d;
    }
    return std::nullopt;
}

}  // namespace

double Number(IControlPropertyBag& bag, const std::string& name, double def)
{
    auto v = bag.Read(name);
    if (!v)
        return def;
    auto n = AsNumber(*v);
    return n && std::isfinite(*n) ? *n : def;
}

int32_t Long(IControlPropertyBag& bag, const std::string& name, int32_t def)
{
    double d = Number(bag, name, def);
    if (d < -2147483648.0 || d > 2147483647.0)
        return def;
    return static_cast<int32_t>(std::lrint(d));
}

bool Flag(IControlPropertyBag& bag, const std::string& name, bool def)
{
    auto v = bag.Read(name);
    if (!v)
        return def;
    if (auto* b = std::get_if<bool>(&*v))
        return *b;
    if (auto* s = std::get_if<std::string>(&*v)) {
        if (lstrcmpiA(s->c_str(), "True") == 0)
            return true;
        if (lstrcmpiA(s->c_str(), "False") == 0)
            return false;
    }
    auto n = AsNumber(*v);
    return n ? *n != 0 : def;
}

void* Handle(IControlPropertyBag& bag, const std::string& name, void* def)
{
    auto v = bag.Read(name);
    if (!v)
        return def;
    if (auto* p = std::get_if<void*>(&*v))
        return *p;
    return def;
}

}  // namespace ql::props
