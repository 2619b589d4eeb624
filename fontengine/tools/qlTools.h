#pragma once
// The font tools: carry out queued removals (registry value, font resource, backup or
// archive), repoint a font's registration at a moved file, and write proof sheets.
#include <cstdint>
#include <string>
#include <vector>

class qlMain;

class qlTools {
public:
    // Non-owning link to the model root that owns the tools.
    qlMain* Parent() const { return parent_; }
    void Parent(qlMain* parent) { parent_ = parent; }

    // Removes an installed font: its resource, its registration and, unless killFile,
    // its file (moved into the backup folder). With killFile the file stays for
    // CreateArchive. Nothing is changed when a step fails.
    bool UninstallFont(const std::string& faceName, bool killFile);
    // Packs the files of the removed code-1 entries into a new archive in the archive
    // folder, checks it, then deletes the files and takes their entries off the queue.
    bool CreateArchive();
    // Points the registration of the font's file at strNewFile; true when a value
    // existed and was rewritten.
    bool UpdateRegFile(const std::string& faceName, const std::string& strType, const std::string& strNewFile);
    // The ExportType of Export.
    enum ExportKind : int32_t { ExportRtf = 0, ExportHtml = 1 };
    // Writes a proof sheet of the installed fonts as an ExportKind.
    bool Export(const std::string& strFileName, int32_t ExportType, const std::string& strDisplayText, bool AddCaption,
                bool IsBold, bool IsItalic, bool IsUnderline, int32_t lngFontSize, const std::string& Alignment);

    // A registry value of the Fonts key.
    struct RegEntry {
        std::string name;
        std::string data;
    };

private:
    // Makes (or finds) a verified copy of the font's file in the backup folder; the
    // original is left in place. backupPath receives the copy's path.
    bool BackupFont(const std::string& faceName, std::string* backupPath = nullptr);
    // Deletes the values that register the font's file; deleted receives them so that
    // a later failure can write them back.
    bool DeleteRegKey(const std::string& faceName, const std::string& fontType,
                      std::vector<RegEntry>* deleted = nullptr);

    qlMain* parent_ = nullptr;
};
