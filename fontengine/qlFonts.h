#pragma once
// The ordered collection of font records, keyed by face name (letter case ignored).
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <utility>

#include "core/KeyedCollection.h"
#include "fontengine/qlFont.h"

class qlMain;
struct IProgressSink;

class qlFonts {
public:
    using Collection = KeyedCollection<std::shared_ptr<qlFont>>;

    // Non-owning link to the model root that owns this collection.
    qlMain* Parent() const { return parent_; }
    void Parent(qlMain* parent) { parent_ = parent; }

    // Rebuilds the collection from the Windows font registration.
    void GetInstalledFonts(IProgressSink* progress);
    // Reads the extended information of one record from its file.
    bool GetExtendedInfo(const std::string& faceName, bool forceRefresh);

    // A new record under its face name; an empty reference when the face is already
    // there (any letter case) or the record could not be made.
    std::shared_ptr<qlFont> Add(const std::string& faceName, std::int32_t defaultCharacterSetID,
                                const std::string& weight, const std::string& fontType, bool installed,
                                const std::string& fontFilename);
    // Fail with the collection's error when missing.
    std::shared_ptr<qlFont> Item(std::int32_t index) const { return items_->Item(index); }
    std::shared_ptr<qlFont> Item(std::string_view key) const { return items_->Item(key); }
    std::int32_t Count() const { return items_->Count(); }
    void Remove(std::int32_t index) { items_->Remove(index); }
    void Remove(std::string_view key) { items_->Remove(key); }
    bool KeyExists(std::int32_t index) const { return index >= 1 && index <= items_->Count(); }
    bool KeyExists(std::string_view key) const { return items_->Exists(key); }

    // Orders the records by display name, by character code (capitals before small
    // letters), keeping the order of equal names. False when it could not.
    bool SortByFont();

    // Whether the font mapper resolves the face name to a font of exactly that name.
    bool IsFontInstalled(const std::string& faceName) const;

    // Enumeration in collection order.
    Collection::Iterator begin() { return items_->begin(); }
    Collection::Iterator end() { return items_->end(); }
    Collection::ConstIterator begin() const { return std::as_const(*items_).begin(); }
    Collection::ConstIterator end() const { return std::as_const(*items_).end(); }

private:
    qlMain* parent_ = nullptr;
    std::shared_ptr<Collection> items_ = std::make_shared<Collection>();
};
