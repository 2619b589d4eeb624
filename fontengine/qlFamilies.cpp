#include "fontengine/qlFamilies.h"

std::shared_ptr<qlFamily> qlFamilies::Add(const std::string& family)
{
    auto item = std::make_shared<qlFamily>();
    item->Family(family);
    items_.Add(item, family);
    return item;
}

std::string qlFamilies::ToString(std::string_view delimiter) const
{
    std::string separator = " " + std::string(delimiter) + " ";
    std::string text;
    for (const auto& item : items_)
        text += item->Family() + separator;
    if (text.empty())
        return "Unknown";
    text.resize(text.size() - separator.size());
    return text;
}
