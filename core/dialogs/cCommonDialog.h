#pragma once
// The one wrapper over the platform's common dialogs: open, save, folder, print (and
// page setup and colour). Set the properties, call a Show operation, read the outcome.
#include <windows.h>
#include <commdlg.h>
#include <shlobj.h>

#include <cstdint>
#include <string>
#include <vector>

class cCommonDialog {
public:
    // The platform calls, replaceable so that tests can stand in for the print dialog
    // (there is no printer under Wine).
    struct Api {
        BOOL(WINAPI* OpenFileDlg)(LPOPENFILENAMEA);
        BOOL(WINAPI* SaveFileDlg)(LPOPENFILENAMEA);
        DWORD(WINAPI* ExtendedError)();
        LPITEMIDLIST(WINAPI* BrowseForFolder)(LPBROWSEINFOA);
        BOOL(WINAPI* PathFromIDList)(LPCITEMIDLIST, LPSTR);
        BOOL(WINAPI* PrintDialog)(LPPRINTDLGA);
        BOOL(WINAPI* PageSetupDialog)(LPPAGESETUPDLGA);
        BOOL(WINAPI* ColorDialog)(LPCHOOSECOLORA);
    };
    static Api SystemApi();
    Api api = SystemApi();

    // Single choices keep the classic buffer; multiple selections get room for
    // hundreds of names.
    static constexpr int16_t kSingleBuffer = 256;
    static constexpr int16_t kMultiBuffer = 32767;

    // Owner of all dialogs; when 0 the active window owns them, so the caller stays modal.
    void SetOwnerHandle(HWND owner) { owner_ = owner; }

    const std::string& InitDir() const { return initDir_; }
    void SetInitDir(const std::string& v) { initDir_ = v; }
    const std::string& DialogTitle() const { return title_; }
    void SetDialogTitle(const std::string& v) { title_ = v; }
    const std::string& Filter() const { return filter_; }
    void SetFilter(const std::string& v);
    const std::string& path() const { return path_; }
    const std::string& DefaultExt() const { return defaultExt_; }
    void SetDefaultExt(const std::string& v) { defaultExt_ = v; }
    const std::string& Filename() const { return filename_; }
    void SetFilename(const std::string& v) { filename_ = v; }
    const std::string& FileTitle() const { return fileTitle_; }
    int16_t FilterIndex() const { return filterIndex_; }
    void SetFilterIndex(int16_t v) { filterIndex_ = v; }
    uint32_t flags() const { return flags_; }
    void Setflags(uint32_t v) { flags_ = v; }
    int16_t MaxFileSize() const { return maxFileSize_; }
    void SetMaxFileSize(int16_t chars);

    // > 0 after a choice, 0 after cancel, minus the extended error code on failure.
    int32_t ShowOpen();
    int32_t ShowSave();
    // Non-zero when a folder was chosen (then path holds it), 0 when cancelled.
    int32_t Browse();
    // Print dialog; a confirmed choice becomes the current printer with its settings.
    bool ShowPrinter(uint32_t PrintFlags);
    // Ends the current print job when the print dialog was confirmed, aborts it otherwise.
    void PrintDoc();
    int32_t ShowPageSetupDlg(HWND frmOwner);
    int32_t ShowColor(bool bFullOpen, int32_t InitColor);

    // Full paths of the files chosen by the last ShowOpen; empty when none.
    std::vector<std::string> ParseFileNames() const;

    // The filter text in the platform's form: every "|"-part NUL-terminated, one more NUL.
    static std::string ConvertFilter(const std::string& filter);
    // A DEVNAMES block for driver, device and port, sized to hold them whole.
    static std::vector<uint8_t> BuildDevNames(const std::string& driver, const std::string& device,
                                              const std::string& port);
    // The device name of a DEVNAMES block, bounded by the block's size.
    static std::string DevNamesDevice(const uint8_t* block, size_t size);

private:
    int32_t ShowFileDialog(bool open);
    HWND Owner() const;

    bool printJob_ = false;
    HWND owner_ = nullptr;
    std::string path_;
    std::string initDir_;
    std::string title_;
    std::string convertedFilter_;
    std::string filter_;
    std::string defaultExt_;
    std::string filename_;
    std::string fileTitle_;
    int16_t filterIndex_ = 0;
    uint32_t flags_ = 0;
    int16_t maxFileSize_ = 0;
};
