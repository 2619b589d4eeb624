#include "fontengine/tools/FontValues.h"

#include <variant>

#include "core/registry/cRegistry.h"
#include "fontengine/install/FontsKey.h"

namespace qlFontValues {

namespace {

cRegistry At(const qlToolsPlaces::Registration& where, const std::string& name)
{
    cRegistry reg;
    reg.ClassKey(where.classKey);
    reg.SectionKey(where.fontsKey);
    reg.ValueKey(name);
    return reg;
}

}  // namespace

std::string ValueNameFor(const std::string& faceName, const std::string& fontType)
{
    if (fontType == "TrueType" || fontType == "OpenType")
        return faceName + " (TrueType)";
    if (fontType == "Vector" || fontType == "Raster")
        return faceName + " (All Res)";
    return {};
}

std::vector<qlTools::RegEntry> ValuesOfFile(const qlToolsPlaces::Registration& where, const std::string& file)
{
    std::vector<qlTools::RegEntry> out;
    if (file.empty())
        return out;
    cRegistry key = At(where, "");
    std::vector<std::string> names;
    int32_t count = 0;
    key.EnumerateValues(names, count);
    for (const std::string& name : names) {
        cRegistry reg = At(where, name);
        RegValue v = reg.Value();
        const std::string* data = std::get_if<std::string>(&v);
        if (!data || data->empty())
            continue;
        if (qlInstall::SamePath(qlInstall::ResolveFontPath(*data, where.fontFolder), file))
            out.push_back({name, *data});
    }
    return out;
}

bool ValueExists(const qlToolsPlaces::Registration& where, const std::string& name)
{
    cRegistry reg = At(where, name);
    return !RegValueIsEmpty(reg.Value());
}

void DeleteValue(const qlToolsPlaces::Registration& where, const std::string& name)
{
    cRegistry reg = At(where, name);
    reg.DeleteValue();
}

void WriteValue(const qlToolsPlaces::Registration& where, const std::string& name, const std::string& data)
{
    cRegistry reg = At(where, name);
    reg.ValueType(kRegSz);
    reg.Value(RegValue(data));
}

}  // namespace qlFontValues
