#pragma once
// The rows of the property grid, apart from its window: typed values, case-insensitive
// names, and PropertyChange raised synchronously after every real change (from code or a
// committed user edit), never for an equal value, re-entrantly.
#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "platform/forms/Dispatch.h"

namespace platform::forms {

enum PropertyTypeConstants { ptInteger = 1, ptList = 2, ptBoolean = 3, ptText = 6, ptColor = 13 };

// A value as the rows keep it: empty, a number, a Boolean or a text.
struct PropValue {
    enum Kind { Empty, Number, Boolean, Text } kind = Empty;
    int64_t number = 0;
    bool boolean = false;
    std::string text;

    static PropValue Of(int64_t v) { PropValue p; p.kind = Number; p.number = v; return p; }
    static PropValue Of(int v) { return Of(static_cast<int64_t>(v)); }
    static PropValue Of(bool v) { PropValue p; p.kind = Boolean; p.boolean = v; return p; }
    static PropValue Of(const std::string& v) { PropValue p; p.kind = Text; p.text = v; return p; }
    static PropValue Of(const char* v) { return Of(std::string(v)); }
    bool operator==(const PropValue& o) const;
    bool operator!=(const PropValue& o) const { return !(*this == o); }
    // As the grid shows it.
    std::string Display() const;
};

class PropertyGridModel;

class PropertyItem {
public:
    const std::string& Name() const { return name_; }
    int Type() const { return type_; }
    const std::string& Category() const { return category_; }
    const std::string& Caption() const { return caption_; }
    // The row's label: its caption, or its name when the caption is empty.
    const std::string& Label() const { return caption_.empty() ? name_ : caption_; }
    const std::string& Description() const { return description_; }
    void Description(const std::string& v);
    bool Editable() const { return editable_; }
    void Editable(bool v) { editable_ = v; }
    const PropValue& Value() const { return value_; }
    // Normalised to the row's type; PropertyChange follows when it differs.
    void Value(const PropValue& v);
    int64_t Min() const { return min_; }
    int64_t Max() const { return max_; }
    void Min(int64_t v) { min_ = v; }
    void Max(int64_t v) { max_ = v; }
    // List rows: entries (text shown, text2 stored).
    void AddListItem(const std::string& text, const std::string& text2 = std::string());
    const std::vector<std::pair<std::string, std::string>>& ListItems() const { return list_; }
    // A list value outside 1..count is kept as it is and shows as its number.
    std::string DisplayText() const;

private:
    friend class PropertyGridModel;
    PropValue Normalise(const PropValue& v) const;
    PropertyGridModel* grid_ = nullptr;
    std::string name_, category_, caption_, description_;
    int type_ = ptText;
    bool editable_ = true;
    PropValue value_;
    int64_t min_ = INT64_MIN, max_ = INT64_MAX;
    std::vector<std::pair<std::string, std::string>> list_;
};

class PropertyGridModel {
public:
    explicit PropertyGridModel(std::string source = "PropertyGrid") : source_(std::move(source)) {}
    // Adds a row (no PropertyChange). A name already used (any case) is an error.
    PropertyItem& Add(const std::string& name, int type, const std::string& category, const PropValue& value,
                      bool editable, const std::string& caption, const std::string& description);
    // By name, any case; error 35601 when missing.
    PropertyItem& Item(const std::string& name);
    bool Exists(const std::string& name) const;
    int Count() const { return static_cast<int>(items_.size()); }
    PropertyItem& At(int index);  // 0-based, in adding order
    // Categories in the order they first appear ("" = rows without a header).
    std::vector<std::string> Categories() const;
    void Clear();

    // A committed user edit of a row's text (or a list position, or "True"/"False"):
    // an integer outside Min..Max or not a number is refused (false, no event).
    bool CommitUserText(PropertyItem& item, const std::string& text);
    // A row the user clicked.
    void RaiseClick(PropertyItem& item) { PropertyClick.Raise(source_ + "_PropertyClick", item); }

    // Which row the description panel shows; its description changes are announced.
    PropertyItem* Selected() const { return selected_; }
    void Select(PropertyItem* item) { selected_ = item; }

    Event<PropertyItem&> PropertyChange;
    Event<PropertyItem&> PropertyClick;
    // The selected row's description changed (the window repaints its panel).
    Event<PropertyItem&> DescriptionChanged;

private:
    friend class PropertyItem;
    void Changed(PropertyItem& item) { PropertyChange.Raise(source_ + "_PropertyChange", item); }
    std::string source_;
    std::deque<std::unique_ptr<PropertyItem>> items_;
    PropertyItem* selected_ = nullptr;
};

}  // namespace platform::forms
