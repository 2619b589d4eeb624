#include "core/search/cFindFiles.h"

#include <windows.h>
#include <shlwapi.h>

#include "core/search/FileFacts.h"
#include "core/util/NumberText.h"
#include "platform/AnsiText.h"

cFindFiles::cFindFiles()
{
    files_ = std::make_shared<cFiles>();
    files_->SetParent(this);
}

cFindFiles::~cFindFiles()
{
    if (files_ && files_->Parent() == this)
        files_->SetParent(nullptr);
}

std::shared_ptr<cFiles> cFindFiles::Files()
{
    if (!files_) {
        files_ = std::make_shared<cFiles>();
        files_->SetParent(this);
    }
    return files_;
}

void cFindFiles::SetStartDirectory(const std::string& folder)
{
    startDirectory_ = folder;
    if (startDirectory_.empty() || startDirectory_.back() != '\\')
        startDirectory_ += '\\';
}

void cFindFiles::PerformSearch()
{
    Snapshot s{recursive_, searchType_, 0, 0, filterMask_, platform::FromAnsi(filterMask_), startDirectory_};
    if (s.start.empty() || s.start.back() != '\\')
        s.start += '\\';
    try {
        DWORD t0 = GetTickCount();
        Walk(s, s.start, 0);
        DWORD t1 = GetTickCount();
        searched_ = s.entries;
        matched_ = s.matches;
        searchTime_ = ql::FormatNumber(static_cast<double>(t1 - t0) / 1000.0, 2, true) + "  seconds";
    } catch (...) {
        // A failed walk keeps what it found; the counters describe the last good search.
    }
    if (SearchCompleted)
        SearchCompleted();
}

void cFindFiles::Walk(Snapshot& s, const std::string& folder, int depth)
{
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((folder + "*.*").c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE)
        return;
    struct Closer {
        HANDLE h;
        ~Closer() { FindClose(h); }
    } closer{h};
    do {
        std::string name = platform::CutAtNul(std::string_view(fd.cFileName, sizeof fd.cFileName));
        if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            // Symlinks and junctions are reparse points: under Wine a link can lead
            // back up the tree, or into the whole Unix root.
            bool enter = s.recursive && !name.empty() && name[0] != '.' &&
                         !(fd.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) && depth < kMaxDepth;
            if (enter)
                Walk(s, folder + name + "\\", depth + 1);
        } else {
            BOOL match = PathMatchSpecW(reinterpret_cast<const wchar_t*>(platform::FromAnsi(name).c_str()),
                                        reinterpret_cast<const wchar_t*>(s.wideMask.c_str()));
            int32_t result = match ? CollectMatching : CollectNonMatching;
            if (result == s.searchType) {
                auto files = Files();
                // Names that differ only in letter case (a Linux folder seen through
                // Wine) share one key: the first one found stays, the search goes on.
                if (!files->Exists(cFiles::KeyOf(folder, name))) {
                    int64_t size = (static_cast<int64_t>(fd.nFileSizeHigh) << 32) | fd.nFileSizeLow;
                    uint64_t created = (static_cast<uint64_t>(fd.ftCreationTime.dwHighDateTime) << 32) |
                                       fd.ftCreationTime.dwLowDateTime;
                    files->Add(name, folder, ql::search::SizeText(size), ql::search::FileTimeToDate(created));
                    ++s.matches;
                }
            }
        }
        ++s.entries;
    } while (FindNextFileA(h, &fd));
}
