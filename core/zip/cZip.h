#pragma once
// Writes zip archives (the uninstall archive and the encrypted font packages) through
// the zip engine; the engine's questions come back as events to the owner.
#include <cstdint>
#include <string>
#include <vector>

// The owner's answers to the engine, called synchronously from inside Zip or Delete.
class cZipEvents {
public:
    virtual ~cZipEvents() = default;
    // Setting bCancel stops the operation.
    virtual void Cancel(const std::string& sMsg, bool& bCancel) {}
    // bConfirm is False on the first request of an operation, True when the password is
    // asked again to verify it.
    virtual void PasswordRequest(std::string& sPassword, int32_t lMaxPasswordLength, bool bConfirm, bool& bCancel) {}
    virtual void CommentRequest(std::string& sComment, bool& bCancel) {}
    virtual void Progress(int32_t lCount, const std::string& sMsg) {}
};

class cZip {
public:
    cZip();

    // The object that receives the events (not owned; null for none).
    void SetEvents(cZipEvents* events) { events_ = events; }

    const std::string& ZipFile() const { return zipFile_; }
    void SetZipFile(const std::string& path) { zipFile_ = path; }
    // Relative specifications are taken from this folder.
    const std::string& BasePath() const { return basePath_; }
    void SetBasePath(const std::string& path) { basePath_ = path; }

    bool Encrypt() const { return opt_.encrypt != 0; }
    void SetEncrypt(bool on) { opt_.encrypt = on; }
    bool AddComment() const { return opt_.addComment != 0; }
    void SetAddComment(bool on) { opt_.addComment = on; }
    bool IncludeSystemAndHiddenFiles() const { return opt_.systemAndHidden != 0; }
    void SetIncludeSystemAndHiddenFiles(bool on) { opt_.systemAndHidden = on; }
    bool StoreVolumeLabel() const { return opt_.volumeLabel != 0; }
    void SetStoreVolumeLabel(bool on) { opt_.volumeLabel = on; }
    bool StoreDirectories() const { return opt_.noDirectoryEntries == 0; }
    void SetStoreDirectories(bool on) { opt_.noDirectoryEntries = on ? 0 : 1; }
    bool StoreFolderNames() const { return opt_.dropFolderNames == 0; }
    void SetStoreFolderNames(bool on) { opt_.dropFolderNames = on ? 0 : 1; }
    bool RecurseSubDirs() const { return opt_.recursion != 0; }
    void SetRecurseSubDirs(bool on) { opt_.recursion = on ? 2 : 0; }
    bool UpdateOnlyIfNewer() const { return opt_.updateNewer != 0; }
    void SetUpdateOnlyIfNewer(bool on) { opt_.updateNewer = on; }
    bool FreshenFiles() const { return opt_.freshen != 0; }
    void SetFreshenFiles(bool on) { opt_.freshen = on; }
    // 0 quiet, 1 verbose, 2 normal; other values are ignored.
    int32_t MessageLevel() const { return opt_.quiet ? 0 : opt_.verbose ? 1 : 2; }
    void SetMessageLevel(int32_t level);
    bool ConvertCRLFToLF() const { return opt_.crlfToLf != 0; }
    void SetConvertCRLFToLF(bool on) { opt_.crlfToLf = on; }
    bool ConvertLFToCRLF() const { return opt_.lfToCrlf != 0; }
    void SetConvertLFToCRLF(bool on) { opt_.lfToCrlf = on; }
    bool AllowAppend() const { return opt_.allowAppend == 1; }
    void SetAllowAppend(bool on) { opt_.allowAppend = on; }

    int32_t FileSpecCount() const { return int32_t(specs_.size()); }
    // File entry nIndex (1-based); outside 1..count raises error 9.
    const std::string& FileSpec(int32_t nIndex) const;
    void ClearFileSpecs() { specs_.clear(); }
    int32_t AddFileSpec(const std::string& sSpec);

    // True only after an operation in which every file was stored.
    bool Success() const { return result_ == 0; }

    // Adds the specified files to ZipFile (created, or updated with same-name entries
    // replaced); the archive changes only when everything succeeded.
    void Zip();
    // Removes the entries named by the specifications; the result code is kept.
    void Delete();

private:
    friend class mZipAccess;

    // The option values as the engine receives them.
    struct Options {
        int32_t encrypt = 0, systemAndHidden = 0, volumeLabel = 0, noDirectoryEntries = 0;
        int32_t quiet = 0, verbose = 0, crlfToLf = 0, lfToCrlf = 0, dropFolderNames = 0;
        int32_t allowAppend = 0, deleteEntries = 0, updateNewer = 0, freshen = 0, addComment = 0;
        int32_t recursion = 0;
    };

    void RaiseCancel(const std::string& sMsg, bool& bCancel);
    void RaisePasswordRequest(std::string& sPassword, int32_t lMax, bool bConfirm, bool& bCancel);
    void RaiseCommentRequest(std::string& sComment, bool& bCancel);
    void RaiseProgress(int32_t lCount, const std::string& sMsg);

    cZipEvents* events_ = nullptr;
    std::string zipFile_;
    std::string basePath_;
    Options opt_;
    std::vector<std::string> specs_;
    int32_t result_ = -1;   // no operation has succeeded yet
};
