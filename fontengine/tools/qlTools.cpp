#include "fontengine/tools/qlTools.h"

#include <windows.h>

#include "platform/QlError.h"
#include "core/modMain.h"
#include "fontengine/install/FontsKey.h"
#include "fontengine/qlMain.h"
#include "fontengine/tools/FontValues.h"
#include "fontengine/tools/ToolsCommon.h"

#undef DeleteFile

namespace {

constexpr int32_t kToolsError = 999;

void LogUninstall(const std::string& description)
{
    modMain::LogError("qlTools: UninstallFont", kToolsError, description);
}

// Writes back values deleted by a step that a later step could not complete.
void Restore(const qlToolsPlaces::Registration& where, const std::vector<qlTools::RegEntry>& deleted)
{
    for (const qlTools::RegEntry& v : deleted) {
        try {
            qlFontValues::WriteValue(where, v.name, v.data);
        } catch (const QlError& e) {
            modMain::LogError("qlTools: DeleteRegKey", e.Number, e.Description);
        }
    }
}

}  // namespace

bool qlTools::UninstallFont(const std::string& faceName, bool killFile)
{
    try {
        qlMain& root = qlToolsCommon::RootOf(parent_);
        auto font = qlToolsCommon::FontOf(root, faceName);
        std::string type = font->FontType();
        if (qlFontValues::ValueNameFor(faceName, type).empty()) {
            LogUninstall("Error deleting registry key");
            return false;
        }
        qlToolsPlaces::Registration where = qlToolsPlaces::For(&root);
        std::string file = qlToolsCommon::FileOf(*font, where);

        // Each step is undone when a later one fails, so a failed removal leaves the font
        // installed, registered and in its place: the entry can simply run again.
        if (RemoveFontResourceA(file.c_str()) == 0) {
            modMain::LogError("qlTools: UninstallFont ( " + file + ")", kToolsError, std::to_string(GetLastError()));
            return false;
        }
        std::string backup;
        if (!killFile && !BackupFont(faceName, &backup)) {
            AddFontResourceA(file.c_str());
            LogUninstall("Error backing up font");
            return false;
        }
        std::vector<RegEntry> deleted;
        if (!DeleteRegKey(faceName, type, &deleted)) {
            AddFontResourceA(file.c_str());
            LogUninstall("Error deleting registry key");
            return false;
        }
        // The backup may be the file itself (a font kept in the backup folder).
        if (!killFile && !qlInstall::SamePath(backup, file) && !DeleteFileA(file.c_str())) {
            DWORD error = GetLastError();
            Restore(where, deleted);
            AddFontResourceA(file.c_str());
            modMain::LogError("qlTools: BackupFont", static_cast<int32_t>(error),
                              "Cannot delete " + file + " after copying it to " + backup);
            LogUninstall("Error backing up font");
            return false;
        }
        qlToolsCommon::BroadcastFontChange();
        return true;
    } catch (const QlError& e) {
        modMain::LogError("qlTools: UninstallFont: // " + std::to_string(GetLastError()) + " // ", e.Number,
                          e.Description);
    } catch (const std::exception& e) {
        modMain::LogError("qlTools: UninstallFont: // " + std::to_string(GetLastError()) + " // ", 5, e.what());
    }
    return false;
}

bool qlTools::DeleteRegKey(const std::string& faceName, const std::string& fontType, std::vector<RegEntry>* deleted)
{
    if (qlFontValues::ValueNameFor(faceName, fontType).empty())
        return false;
    std::vector<RegEntry> done;
    qlToolsPlaces::Registration where;
    try {
        qlMain& root = qlToolsCommon::RootOf(parent_);
        auto font = qlToolsCommon::FontOf(root, faceName);
        where = qlToolsPlaces::For(&root);
        // By the file, not by the name: a family's members share the face name.
        for (const RegEntry& v : qlFontValues::ValuesOfFile(where, qlToolsCommon::FileOf(*font, where))) {
            qlFontValues::DeleteValue(where, v.name);
            done.push_back(v);
        }
        if (deleted)
            *deleted = std::move(done);
        return true;
    } catch (const QlError& e) {
        Restore(where, done);
        modMain::LogError("qlTools: DeleteRegKey", e.Number, e.Description);
    } catch (const std::exception& e) {
        Restore(where, done);
        modMain::LogError("qlTools: DeleteRegKey", 5, e.what());
    }
    return false;
}

bool qlTools::UpdateRegFile(const std::string& faceName, const std::string& strType, const std::string& strNewFile)
{
    std::string name = qlFontValues::ValueNameFor(faceName, strType);
    if (name.empty())
        return false;
    try {
        qlMain& root = qlToolsCommon::RootOf(parent_);
        qlToolsPlaces::Registration where = qlToolsPlaces::For(&root);
        std::vector<RegEntry> values;
        if (root.Fonts()->KeyExists(faceName)) {
            // The record still names the file as it was before the move.
            auto font = qlToolsCommon::FontOf(root, faceName);
            values = qlFontValues::ValuesOfFile(where, qlToolsCommon::FileOf(*font, where));
        } else if (qlFontValues::ValueExists(where, name)) {
            values.push_back({name, {}});
        }
        if (values.empty())
            return false;
        for (const RegEntry& v : values)
            qlFontValues::WriteValue(where, v.name, strNewFile);
        return true;
    } catch (const QlError& e) {
        modMain::LogError("qlTools: UpdateRegFile", e.Number, e.Description);
    } catch (const std::exception& e) {
        modMain::LogError("qlTools: UpdateRegFile", 5, e.what());
    }
    return false;
}

bool qlTools::Export(const std::string&, int32_t, const std::string&, bool, bool, bool, bool, int32_t,
                     const std::string&)
{
    // No proof-sheet writer is built in yet: nothing is written.
    return false;
}
