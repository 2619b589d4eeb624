#pragma once
// The found files, keyed by full path (letter case ignored), in the order found.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "core/KeyedCollection.h"
#include "core/search/cFile.h"

class cFindFiles;

class cFiles {
public:
    using Ref = std::shared_ptr<cFile>;

    cFindFiles* Parent() const { return parent_; }
    void SetParent(cFindFiles* parent) { parent_ = parent; }

    // The key text is not used: a record's key is always its full path.
    Ref Add(const std::string& filename, const std::string& rootPath, const std::string& size,
            double creationTime, std::string_view keyText = {});
    Ref Item(int32_t index) const { return items_.Item(index); }
    Ref Item(std::string_view key) const { return items_.Item(key); }
    bool Exists(std::string_view key) const { return items_.Exists(key); }
    int32_t Count() const { return items_.Count(); }
    void Remove(int32_t index) { items_.Remove(index); }
    void Remove(std::string_view key) { items_.Remove(key); }

    static std::string KeyOf(const std::string& rootPath, const std::string& filename);

    auto begin() const { return items_.begin(); }
    auto end() const { return items_.end(); }

private:
    cFindFiles* parent_ = nullptr;  // not owned
    KeyedCollection<Ref> items_;
};
