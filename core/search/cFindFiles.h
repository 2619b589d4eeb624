#pragma once
// Searches a folder (optionally its sub-folders) for files by mask into cFiles.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "core/search/cFiles.h"

class cFindFiles {
public:
    // SearchType: which files a search collects (any other value collects nothing).
    enum SearchKind : int32_t { CollectNonMatching = 0, CollectMatching = 1 };

    cFindFiles();
    ~cFindFiles();
    cFindFiles(const cFindFiles&) = delete;
    cFindFiles& operator=(const cFindFiles&) = delete;

    // Never empty: an unset result collection is created on first read.
    std::shared_ptr<cFiles> Files();
    void SetFiles(std::shared_ptr<cFiles> files) { files_ = std::move(files); }

    const std::string& StartDirectory() const { return startDirectory_; }
    void SetStartDirectory(const std::string& folder);
    int32_t SearchType() const { return searchType_; }
    void SetSearchType(int32_t type) { searchType_ = type; }
    const std::string& FilterMask() const { return filterMask_; }
    void SetFilterMask(const std::string& mask) { filterMask_ = mask; }
    bool Recursive() const { return recursive_; }
    void SetRecursive(bool on) { recursive_ = on; }

    const std::string& SearchTime() const { return searchTime_; }
    int32_t Searched() const { return searched_; }
    int32_t Matched() const { return matched_; }

    void PerformSearch();

    std::function<void()> SearchCompleted;

    // Folders nested deeper than this are not entered (a guard against loops the
    // reparse-point test cannot see).
    static constexpr int kMaxDepth = 64;

private:
    struct Snapshot {
        bool recursive;
        int32_t searchType;
        int32_t entries;
        int32_t matches;
        std::string mask;
        std::u16string wideMask;
        std::string start;
    };
    void Walk(Snapshot& s, const std::string& folder, int depth);

    std::string startDirectory_ = "c:\\";
    std::string filterMask_ = "*.txt";
    bool recursive_ = true;
    int32_t searchType_ = CollectMatching;
    std::shared_ptr<cFiles> files_;
    std::string searchTime_;
    int32_t searched_ = 0;
    int32_t matched_ = 0;
};
