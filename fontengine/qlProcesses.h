#pragma once
// The uninstall queue: entries in the order queued, keyed by face name (letter case
// ignored). Lives in memory only.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "core/KeyedCollection.h"
#include "fontengine/qlProcess.h"

class qlProcesses {
public:
    using Collection = KeyedCollection<std::shared_ptr<qlProcess>>;

    // Fails with the collection's duplicate-key error for a face already queued.
    std::shared_ptr<qlProcess> Add(const std::string& faceName, const std::string& filename, std::int32_t process);
    std::shared_ptr<qlProcess> Item(std::int32_t index) const { return items_.Item(index); }
    std::shared_ptr<qlProcess> Item(std::string_view key) const { return items_.Item(key); }
    std::int32_t Count() const { return items_.Count(); }
    void Remove(std::int32_t index) { items_.Remove(index); }
    void Remove(std::string_view key) { items_.Remove(key); }
    void Clear() { items_ = Collection(); }

    Collection::ConstIterator begin() const { return items_.begin(); }
    Collection::ConstIterator end() const { return items_.end(); }

private:
    Collection items_;
};
