#pragma once
// Reads zip archives (the font packages): lists the entries into per-entry properties,
// lets the owner select entries, and extracts the selected ones into a folder.
#include <cstdint>
#include <string>
#include <vector>

// The owner's answers, called synchronously from inside Directory or Unzip.
class cUnzipEvents {
public:
    // The answers to OverwritePrompt (the unzip engine's replace codes).
    enum OverwriteResponse : int32_t {
        OverwriteNo = 100,        // leave this file (what eResponse arrives as)
        OverwriteYes = 102,       // replace this file
        OverwriteYesToAll = 103,  // replace this and every following file
        OverwriteNone = 104       // replace no file from now on
    };

    virtual ~cUnzipEvents() = default;
    virtual void Cancel(const std::string& sMsg, bool& bCancel) {}
    // eResponse is an OverwriteResponse.
    virtual void OverwritePrompt(const std::string& sFile, int32_t& eResponse) {}
    virtual void PasswordRequest(std::string& sPassword, bool& bCancel) {}
    virtual void Progress(int32_t lCount, const std::string& sMsg) {}
};

class cUnzip {
public:
    void SetEvents(cUnzipEvents* events) { events_ = events; }

    const std::string& ZipFile() const { return zipFile_; }
    // Also empties the entry list.
    void SetZipFile(const std::string& path);
    const std::string& UnzipFolder() const { return unzipFolder_; }
    void SetUnzipFolder(const std::string& folder) { unzipFolder_ = folder; }

    bool ExtractOnlyNewer() const { return dcl_.onlyNewer != 0; }
    void SetExtractOnlyNewer(bool on) { dcl_.onlyNewer = on; }
    bool SpaceToUnderScore() const { return dcl_.spaceToUnderscore != 0; }
    void SetSpaceToUnderScore(bool on) { dcl_.spaceToUnderscore = on; }
    bool PromptToOverwrite() const { return dcl_.prompt != 0; }
    void SetPromptToOverwrite(bool on) { dcl_.prompt = on; }
    int32_t MessageLevel() const { return dcl_.messageLevel; }
    void SetMessageLevel(int32_t level) { dcl_.messageLevel = level; }
    bool TestZip() const { return dcl_.test != 0; }
    void SetTestZip(bool on) { dcl_.test = on; }
    bool UseFolderNames() const { return dcl_.folderNames != 0; }
    void SetUseFolderNames(bool on) { dcl_.folderNames = on; }
    bool OverwriteExisting() const { return dcl_.overwrite != 0; }
    void SetOverwriteExisting(bool on) { dcl_.overwrite = on; }
    bool ConvertCRToCRLF() const { return dcl_.crToCrlf != 0; }
    void SetConvertCRToCRLF(bool on) { dcl_.crToCrlf = on; }
    bool CaseSensitiveFileNames() const { return dcl_.caseSensitive != 0; }
    void SetCaseSensitiveFileNames(bool on) { dcl_.caseSensitive = on; }

    int32_t FileCount() const { return int32_t(entries_.size()); }
    // Entry accessors take a 1-based index; outside 1..count they raise error 9.
    const std::string& Filename(int32_t lIndex) const { return At(lIndex).filename; }
    const std::string& FileDirectory(int32_t lIndex) const { return At(lIndex).directory; }
    int32_t FileSize(int32_t lIndex) const { return At(lIndex).size; }
    int32_t FileCompressionRatio(int32_t lIndex) const { return At(lIndex).ratio; }
    const std::string& FileCompressionMethod(int32_t lIndex) const { return At(lIndex).method; }
    // OLE date value, local time.
    double FileDate(int32_t lIndex) const { return At(lIndex).date; }
    uint32_t FileCRC(int32_t lIndex) const { return At(lIndex).crc; }
    bool FileEncrypted(int32_t lIndex) const { return At(lIndex).encrypted; }
    // The exact compressed size, without an encryption header.
    int64_t FilePackedSize(int32_t lIndex) const { return At(lIndex).packed; }
    bool FileSelected(int32_t lIndex) const { return At(lIndex).selected; }
    void SetFileSelected(int32_t lIndex, bool on) { At(lIndex).selected = on; }

    // Lists the archive afresh; 0 on success, else the engine's code.
    int32_t Directory();
    // Extracts the selected entries (all of them when the archive was not listed);
    // True only when everything selected was extracted.
    bool Unzip();
    void GetVersion(int32_t& lMajor, int32_t& lMinor, int32_t& lRevision, double& dDate, std::string& sExtraInfo);

private:
    friend class mUnzipAccess;

    struct Entry {
        std::string filename, directory;
        int32_t size = 0, ratio = 0;
        std::string method;
        double date = 0;
        uint32_t crc = 0;
        bool encrypted = false, selected = false;
        int64_t packed = 0;
    };
    struct Options {
        int32_t onlyNewer = 0, spaceToUnderscore = 0, prompt = 0, messageLevel = 0, test = 0;
        int32_t listMode = 0, folderNames = 0, overwrite = 0, crToCrlf = 0, caseSensitive = 0;
    };

    const Entry& At(int32_t lIndex) const;
    Entry& At(int32_t lIndex);
    void AddEntry(Entry entry);

    void RaiseCancel(const std::string& sMsg, bool& bCancel);
    void RaiseOverwritePrompt(const std::string& sFile, int32_t& eResponse);
    void RaisePasswordRequest(std::string& sPassword, bool& bCancel);
    void RaiseProgress(int32_t lCount, const std::string& sMsg);

    cUnzipEvents* events_ = nullptr;
    std::string zipFile_;
    std::string unzipFolder_;
    std::vector<Entry> entries_;
    Options dcl_;
};
