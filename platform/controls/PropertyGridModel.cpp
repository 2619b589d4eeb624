#include "platform/controls/PropertyGridModel.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>

#include "platform/QlError.h"

namespace platform::forms {

static bool SameNoCase(const std::string& a, const std::string& b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

bool PropValue::operator==(const PropValue& o) const
{
    if (kind != o.kind)
        return false;
    switch (kind) {
    case Number: return number == o.number;
    case Boolean: return boolean == o.boolean;
    case Text: return text == o.text;
    default: return true;
    }
}

std::string PropValue::Display() const
{
    switch (kind) {
    case Number: return std::to_string(number);
    case Boolean: return boolean ? "True" : "False";
    case Text: return text;
    default: return {};
    }
}

static bool ParseInt(const std::string& s, int64_t& out)
{
    size_t b = s.find_first_not_of(" \t");
    size_t e = s.find_last_not_of(" \t");
    if (b == std::string::npos)
        return false;
    std::string t = s.substr(b, e - b + 1);
    char* end = nullptr;
    long long v = std::strtoll(t.c_str(), &end, 10);
    if (!end || *end != '\0')
        return false;
    out = v;
    return true;
}

PropValue PropertyItem::Normalise(const PropValue& v) const
{
    if (v.kind == PropValue::Empty)
        return v;
    switch (type_) {
    case ptInteger:
    case ptList:
    case ptColor: {
        if (v.kind == PropValue::Number)
            return type_ == ptColor ? PropValue::Of(static_cast<int64_t>(static_cast<uint32_t>(v.number))) : v;
        if (v.kind == PropValue::Boolean)
            return PropValue::Of(static_cast<int64_t>(v.boolean ? -1 : 0));
        int64_t n;
        if (ParseInt(v.text, n))
            return PropValue::Of(n);
        // Not a number: kept as given (a list row may hold anything before it is filled).
        return v;
    }
    case ptBoolean:
        if (v.kind == PropValue::Boolean)
            return v;
        if (v.kind == PropValue::Number)
            return PropValue::Of(v.number != 0);
        if (SameNoCase(v.text, "true"))
            return PropValue::Of(true);
        if (SameNoCase(v.text, "false"))
            return PropValue::Of(false);
        return v;
    default:
        return PropValue::Of(v.Display());
    }
}

void PropertyItem::Value(const PropValue& v)
{
    PropValue n = Normalise(v);
    if (n == value_)
        return;
    value_ = n;
    if (grid_)
        grid_->Changed(*this);
}

void PropertyItem::Description(const std::string& v)
{
    description_ = v;
    if (grid_ && grid_->selected_ == this)
        grid_->DescriptionChanged.Raise("PropertyGrid_Description", *this);
}

void PropertyItem::AddListItem(const std::string& text, const std::string& text2) { list_.emplace_back(text, text2); }

std::string PropertyItem::DisplayText() const
{
    if (type_ == ptList && value_.kind == PropValue::Number) {
        if (value_.number >= 1 && value_.number <= static_cast<int64_t>(list_.size()))
            return list_[static_cast<size_t>(value_.number - 1)].first;
        return std::to_string(value_.number);
    }
    return value_.Display();
}

PropertyItem& PropertyGridModel::Add(const std::string& name, int type, const std::string& category,
                                     const PropValue& value, bool editable, const std::string& caption,
                                     const std::string& description)
{
    if (Exists(name))
        throw QlError(35602, source_, "Key is not unique in collection: " + name);
    auto item = std::make_unique<PropertyItem>();
    item->name_ = name;
    item->type_ = type;
    item->category_ = category;
    item->editable_ = editable;
    item->caption_ = caption;
    item->description_ = description;
    item->value_ = item->Normalise(value);
    item->grid_ = this;
    items_.push_back(std::move(item));
    return *items_.back();
}

bool PropertyGridModel::Exists(const std::string& name) const
{
    return std::any_of(items_.begin(), items_.end(), [&](const auto& i) { return SameNoCase(i->name_, name); });
}

PropertyItem& PropertyGridModel::Item(const std::string& name)
{
    for (auto& i : items_)
        if (SameNoCase(i->name_, name))
            return *i;
    throw QlError(35601, source_, "Element not found: " + name);
}

PropertyItem& PropertyGridModel::At(int index)
{
    if (index < 0 || index >= Count())
        throw QlError(35600, source_, "Index out of bounds");
    return *items_[static_cast<size_t>(index)];
}

std::vector<std::string> PropertyGridModel::Categories() const
{
    std::vector<std::string> out;
    for (auto& i : items_)
        if (std::find(out.begin(), out.end(), i->category_) == out.end())
            out.push_back(i->category_);
    return out;
}

void PropertyGridModel::Clear()
{
    selected_ = nullptr;
    for (auto& i : items_)
        i->grid_ = nullptr;
    items_.clear();
}

bool PropertyGridModel::CommitUserText(PropertyItem& item, const std::string& text)
{
    if (!item.editable_)
        return false;
    if (item.type_ == ptInteger || item.type_ == ptList || item.type_ == ptColor) {
        int64_t n;
        if (!ParseInt(text, n))
            return false;
        if (item.type_ == ptInteger && (n < item.min_ || n > item.max_))
            return false;
        if (item.type_ == ptList && (n < 1 || n > static_cast<int64_t>(item.list_.size())))
            return false;
        item.Value(PropValue::Of(n));
        return true;
    }
    if (item.type_ == ptBoolean) {
        if (!SameNoCase(text, "true") && !SameNoCase(text, "false"))
            return false;
        item.Value(PropValue::Of(SameNoCase(text, "true")));
        return true;
    }
    item.Value(PropValue::Of(text));
    return true;
}

}  // namespace platform::forms
