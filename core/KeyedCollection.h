#pragma once
// An ordered list with positions counted from 1, each item with an optional key.
// Keys are unique and compared without regard to letter case; look-ups by key go
// through a hash index (the font collection holds thousands of items).
#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "platform/QlError.h"

namespace ql {

// Letter-case folding for keys: ASCII and the Latin-1 letters of the ANSI code page.
inline std::string FoldKey(std::string_view key)
{
    std::string out(key);
    for (char& ch : out) {
        unsigned char c = static_cast<unsigned char>(ch);
        if (c >= 'A' && c <= 'Z')
            c = static_cast<unsigned char>(c + 32);
        else if (c >= 0xC0 && c <= 0xDE && c != 0xD7)
            c = static_cast<unsigned char>(c + 32);
        ch = static_cast<char>(c);
    }
    return out;
}

}  // namespace ql

// Error numbers raised as the platform's collection raises them.
enum : int32_t {
    kErrInvalidCall = 5,          // invalid procedure call or argument
    kErrSubscriptOutOfRange = 9,  // no item at that position or key
    kErrDuplicateKey = 457,       // key already associated with an element
};

template <class T>
class KeyedCollection {
public:
    struct Entry {
        T value;
        std::string key;
    };

    int32_t Count() const { return static_cast<int32_t>(items_.size()); }

    // Adds at the end, or before/after a 1-based position (0 = not given).
    void Add(T value, std::string_view key = {}, int32_t before = 0, int32_t after = 0)
    {
        if (before && after)
            throw QlError(kErrInvalidCall, "Collection", "Invalid procedure call or argument");
        std::size_t pos = items_.size();
        if (before) {
            CheckIndex(before);
            pos = static_cast<std::size_t>(before - 1);
        } else if (after) {
            CheckIndex(after);
            pos = static_cast<std::size_t>(after);
        }
        std::string folded;
        if (!key.empty()) {
            folded = ql::FoldKey(key);
            if (index_.count(folded))
                throw QlError(kErrDuplicateKey, "Collection", "This key is already associated with an element of this collection");
        }
        items_.insert(items_.begin() + static_cast<std::ptrdiff_t>(pos), Entry{std::move(value), std::string(key)});
        if (pos + 1 == items_.size()) {
            if (!folded.empty())
                index_.emplace(std::move(folded), pos);
        } else {
            Reindex(pos);
        }
    }

    T& Item(int32_t index)
    {
        CheckIndex(index);
        return items_[static_cast<std::size_t>(index - 1)].value;
    }
    const T& Item(int32_t index) const
    {
        CheckIndex(index);
        return items_[static_cast<std::size_t>(index - 1)].value;
    }
    T& Item(std::string_view key) { return items_[PositionOf(key)].value; }
    const T& Item(std::string_view key) const { return items_[PositionOf(key)].value; }

    bool Exists(std::string_view key) const { return !key.empty() && index_.count(ql::FoldKey(key)) != 0; }

    // 1-based position of a key, 0 when missing.
    int32_t IndexOf(std::string_view key) const
    {
        auto it = index_.find(ql::FoldKey(key));
        return it == index_.end() ? 0 : static_cast<int32_t>(it->second + 1);
    }

    const std::string& KeyAt(int32_t index) const
    {
        CheckIndex(index);
        return items_[static_cast<std::size_t>(index - 1)].key;
    }

    void Remove(int32_t index)
    {
        CheckIndex(index);
        std::size_t pos = static_cast<std::size_t>(index - 1);
        if (!items_[pos].key.empty())
            index_.erase(ql::FoldKey(items_[pos].key));
        items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(pos));
        Reindex(pos);
    }
    void Remove(std::string_view key) { Remove(static_cast<int32_t>(PositionOf(key) + 1)); }

    void Clear()
    {
        items_.clear();
        index_.clear();
    }

    // Replaces the whole order at once (used by sorts); keys must stay unique.
    void SetEntries(std::vector<Entry> entries)
    {
        items_ = std::move(entries);
        index_.clear();
        Reindex(0);
    }
    const std::vector<Entry>& Entries() const { return items_; }

    // Enumeration in list order.
    struct Iterator {
        typename std::vector<Entry>::iterator it;
        T& operator*() const { return it->value; }
        Iterator& operator++() { ++it; return *this; }
        bool operator!=(const Iterator& o) const { return it != o.it; }
    };
    struct ConstIterator {
        typename std::vector<Entry>::const_iterator it;
        const T& operator*() const { return it->value; }
        ConstIterator& operator++() { ++it; return *this; }
        bool operator!=(const ConstIterator& o) const { return it != o.it; }
    };
    Iterator begin() { return {items_.begin()}; }
    Iterator end() { return {items_.end()}; }
    ConstIterator begin() const { return {items_.begin()}; }
    ConstIterator end() const { return {items_.end()}; }

private:
    void CheckIndex(int32_t index) const
    {
        if (index < 1 || index > Count())
            throw QlError(kErrSubscriptOutOfRange, "Collection", "Subscript out of range");
    }
    std::size_t PositionOf(std::string_view key) const
    {
        auto it = key.empty() ? index_.end() : index_.find(ql::FoldKey(key));
        if (it == index_.end())
            throw QlError(kErrInvalidCall, "Collection", "Invalid procedure call or argument");
        return it->second;
    }
    void Reindex(std::size_t from)
    {
        for (std::size_t i = from; i < items_.size(); ++i)
            if (!items_[i].key.empty())
                index_[ql::FoldKey(items_[i].key)] = i;
    }

    std::vector<Entry> items_;
    std::unordered_map<std::string, std::size_t> index_;
};
