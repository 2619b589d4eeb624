#pragma once
// The generic family words of one font, keyed by the word (letter case ignored).
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "core/KeyedCollection.h"
#include "fontengine/qlFamily.h"

class qlFamilies {
public:
    using Collection = KeyedCollection<std::shared_ptr<qlFamily>>;

    // Fails with the collection's duplicate-key error for a word already there.
    std::shared_ptr<qlFamily> Add(const std::string& family);
    std::shared_ptr<qlFamily> Item(std::int32_t index) const { return items_.Item(index); }
    std::shared_ptr<qlFamily> Item(std::string_view key) const { return items_.Item(key); }
    std::int32_t Count() const { return items_.Count(); }
    void Remove(std::int32_t index) { items_.Remove(index); }
    void Remove(std::string_view key) { items_.Remove(key); }

    // The words joined by blank, delimiter, blank; "Unknown" when there are none.
    std::string ToString(std::string_view delimiter) const;

    // Enumeration in order.
    Collection::ConstIterator begin() const { return items_.begin(); }
    Collection::ConstIterator end() const { return items_.end(); }

private:
    Collection items_;
};
