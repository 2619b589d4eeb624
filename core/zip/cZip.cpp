#include "core/zip/cZip.h"

#include "platform/QlError.h"
#include "core/zip/mZip.h"

cZip::cZip()
{
    SetStoreDirectories(false);
    SetStoreFolderNames(false);
    SetRecurseSubDirs(false);
}

void cZip::SetMessageLevel(int32_t level)
{
    if (level < 0 || level > 2)
        return;
    opt_.quiet = level == 0;
    opt_.verbose = level == 1;
}

const std::string& cZip::FileSpec(int32_t nIndex) const
{
    if (nIndex < 1 || nIndex > FileSpecCount())
        throw QlError(9, "cZip", "Subscript out of range");
    return specs_[size_t(nIndex - 1)];
}

int32_t cZip::AddFileSpec(const std::string& sSpec)
{
    specs_.push_back(sSpec);
    return 0;
}

void cZip::Zip()
{
    // A failure, also one that raises, must never read as success: the files the
    // owner stored may be deleted next.
    result_ = -1;
    result_ = mZip::VBZip(*this, "cZip: Zip");
}

void cZip::Delete()
{
    opt_.deleteEntries = 1;
    try {
        mZip::VBZip(*this, "cZip: Delete");
    } catch (...) {
        opt_.deleteEntries = 0;
        throw;
    }
    opt_.deleteEntries = 0;
}

// A failing handler leaves the answers as they were before the event.
void cZip::RaiseCancel(const std::string& sMsg, bool& bCancel)
{
    if (!events_)
        return;
    try {
        events_->Cancel(sMsg, bCancel);
    } catch (...) {
        bCancel = false;
    }
}

void cZip::RaisePasswordRequest(std::string& sPassword, int32_t lMax, bool bConfirm, bool& bCancel)
{
    if (!events_)
        return;
    try {
        events_->PasswordRequest(sPassword, lMax, bConfirm, bCancel);
    } catch (...) {
        sPassword.clear();
        bCancel = false;
    }
}

void cZip::RaiseCommentRequest(std::string& sComment, bool& bCancel)
{
    if (!events_)
        return;
    try {
        events_->CommentRequest(sComment, bCancel);
    } catch (...) {
        sComment.clear();
        bCancel = false;
    }
}

void cZip::RaiseProgress(int32_t lCount, const std::string& sMsg)
{
    if (!events_)
        return;
    try {
        events_->Progress(lCount, sMsg);
    } catch (...) {
    }
}
