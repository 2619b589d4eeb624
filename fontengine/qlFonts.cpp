#include "fontengine/qlFonts.h"

#include <algorithm>
#include <unordered_set>

#include "fontengine/FaceProbe.h"

std::shared_ptr<qlFont> qlFonts::Add(const std::string& faceName, std::int32_t defaultCharacterSetID,
                                     const std::string& weight, const std::string& fontType, bool installed,
                                     const std::string& fontFilename)
{
    try {
        auto font = std::make_shared<qlFont>();
        font->FaceName(faceName);
        font->Weight(weight);
        font->DefaultCharacterSetID(defaultCharacterSetID);
        font->FontType(fontType);
        font->Installed(installed);
        font->FontFilename(fontFilename);
        font->DisplayName(faceName);
        items_->Add(font, font->FaceName());
        return font;
    } catch (...) {
        return nullptr;
    }
}

bool qlFonts::SortByFont()
{
    try {
        // The records are re-keyed by display name; should two of them share one,
        // the collection is left as it was.
        std::unordered_set<std::string> keys;
        std::vector<Collection::Entry> entries;
        entries.reserve(static_cast<std::size_t>(items_->Count()));
        for (const auto& entry : items_->Entries()) {
            const std::string& name = entry.value->DisplayName();
            if (!name.empty() && !keys.insert(ql::FoldKey(name)).second)
                return false;
            entries.push_back({entry.value, name});
        }
        // std::string compares by unsigned character code: binary order.
        std::stable_sort(entries.begin(), entries.end(), [](const Collection::Entry& a, const Collection::Entry& b) {
            return a.key < b.key;
        });
        auto sorted = std::make_shared<Collection>();
        sorted->SetEntries(std::move(entries));
        items_ = std::move(sorted);
        return true;
    } catch (...) {
        return false;
    }
}

bool qlFonts::IsFontInstalled(const std::string& faceName) const
{
    return fontengine::IsFaceKnown(faceName);
}
