#include "core/zip/cUnzip.h"

#include "platform/QlError.h"
#include "core/zip/mUnzip.h"

#include <zlib.h>

#include <algorithm>

void cUnzip::SetZipFile(const std::string& path)
{
    zipFile_ = path;
    entries_.clear();
}

const cUnzip::Entry& cUnzip::At(int32_t lIndex) const
{
    if (lIndex < 1 || lIndex > FileCount())
        throw QlError(9, "cUnzip", "Subscript out of range");
    return entries_[size_t(lIndex - 1)];
}

cUnzip::Entry& cUnzip::At(int32_t lIndex)
{
    return const_cast<Entry&>(static_cast<const cUnzip*>(this)->At(lIndex));
}

void cUnzip::AddEntry(Entry entry) { entries_.push_back(std::move(entry)); }

int32_t cUnzip::Directory()
{
    // A second listing replaces the first rather than doubling it.
    entries_.clear();
    dcl_.listMode = 1;
    int32_t rc = mUnzip::VBUnzip(*this, {}, "cUnzip: Directory");
    dcl_.listMode = 0;
    return rc;
}

bool cUnzip::Unzip()
{
    if (zipFile_.empty())
        return false;
    std::vector<std::string> include;
    for (const Entry& e : entries_) {
        if (!e.selected)
            continue;
        std::string name = e.directory.empty() ? e.filename : e.directory + "/" + e.filename;
        std::replace(name.begin(), name.end(), '\\', '/');
        include.push_back(name);
    }
    // Nothing selected in a listed archive extracts nothing; everything selected (or an
    // archive never listed) extracts every member.
    if (include.empty() && !entries_.empty())
        return true;
    if (include.size() == entries_.size())
        include.clear();
    dcl_.listMode = 0;
    return mUnzip::VBUnzip(*this, include, "cUnzip: Unzip") == 0;
}

void cUnzip::GetVersion(int32_t& lMajor, int32_t& lMinor, int32_t& lRevision, double&, std::string& sExtraInfo)
{
    lMajor = 1;
    lMinor = 0;
    lRevision = 0;
    sExtraInfo = std::string("zlib ") + zlibVersion();
}

// A failing handler leaves the answers as they were before the event.
void cUnzip::RaiseCancel(const std::string& sMsg, bool& bCancel)
{
    if (!events_)
        return;
    try {
        events_->Cancel(sMsg, bCancel);
    } catch (...) {
        bCancel = false;
    }
}

void cUnzip::RaiseOverwritePrompt(const std::string& sFile, int32_t& eResponse)
{
    if (!events_)
        return;
    try {
        events_->OverwritePrompt(sFile, eResponse);
    } catch (...) {
        eResponse = cUnzipEvents::OverwriteNo;
    }
}

void cUnzip::RaisePasswordRequest(std::string& sPassword, bool& bCancel)
{
    if (!events_)
        return;
    try {
        events_->PasswordRequest(sPassword, bCancel);
    } catch (...) {
        sPassword.clear();
        bCancel = false;
    }
}

void cUnzip::RaiseProgress(int32_t lCount, const std::string& sMsg)
{
    if (!events_)
        return;
    try {
        events_->Progress(lCount, sMsg);
    } catch (...) {
    }
}
