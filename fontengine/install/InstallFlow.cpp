#include "fontengine/install/InstallFlow.h"

#include <windows.h>

#include <vector>

#include "platform/QlError.h"
#include "core/modMain.h"
#include "fontengine/install/FileVersion.h"
#include "fontengine/install/FontFileNames.h"
#include "fontengine/install/FontsKey.h"
#include "fontengine/install/SameContent.h"
#include "fontengine/install/ReplaceAtReboot.h"
#include "platform/forms/Seams.h"

namespace qlInstall {

namespace {

constexpr int32_t kFileNotFound = 53;
constexpr int32_t kBadFileName = 52;
constexpr int32_t kNotAFont = 321;

bool FileExists(const std::string& path)
{
    DWORD a = GetFileAttributesA(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

void Say(bool showError, const std::string& text)
{
    if (showError)
        platform::forms::MsgBox(text);
}

void SayDllError(bool showError, DWORD error) { Say(showError, "DLL-Error " + std::to_string(error)); }

void BroadcastFontChange(bool showError)
{
    if (SendMessageA(HWND_BROADCAST, WM_FONTCHANGE, 0, 0) == 0)
        SayDllError(showError, GetLastError());
}

void CheckFileName(const std::string& fileName)
{
    if (fileName.size() < 4 || fileName.find_first_of("\\/:") != std::string::npos)
        throw QlError(kBadFileName, "qlToolsEx", "Bad font file name: " + fileName);
}

bool EqualNoCase(const std::string& a, const std::string& b) { return lstrcmpiA(a.c_str(), b.c_str()) == 0; }

// Registers the file under valueName and drops older values that name the same file.
bool Register(const Places& places, const std::string& target, const std::string& fileName,
              const std::string& valueName)
{
    FontsKey key(GetFontsKey());
    if (!key.Write(valueName, fileName))
        return false;
    for (const FontValue& v : ValuesForFile(key.Values(), places.fonts, target))
        if (!EqualNoCase(v.name, valueName))
            key.Delete(v.name);
    return true;
}

bool IsNewerFor(FontKind kind, const std::string& sourceFolder, const std::string& fileName,
                const std::string& fontsFolder)
{
    if (kind == FontKind::TrueType)
        return IsNewer(sourceFolder, fileName, fontsFolder, fileName);
    std::string target = fontsFolder + fileName;
    return !FileExists(target) || IsLaterFile(sourceFolder + fileName, target);
}

qlToolsEx::Result ScheduleReplacement(const Places& places, const std::string& source, const std::string& target,
                                      const std::string& fileName, const std::string& valueName, bool showError)
{
    if (!ReplaceAtReboot(source, target, places.os))
        throw QlError(static_cast<int32_t>(GetLastError()), "qlToolsEx",
                      "Cannot schedule the replacement of " + target);
    // The file is there after the restart, so its registration must be too; when the
    // value cannot be written, the old one (it names the same file) stays.
    bool registered = false;
    try {
        registered = Register(places, target, fileName, valueName);
    } catch (const QlError&) {
    }
    if (!registered)
        modMain::LogError("qlToolsEx: ReplaceAtReboot", 0, "Cannot write the Fonts key value " + valueName);
    if (showError)
        platform::forms::MsgBox("The font you try to install is currently in use.\r\n"
                                "Your computer must be rebooted in order to install it...",
                                platform::forms::vbOKOnly | platform::forms::vbExclamation, "Font installation");
    return qlToolsEx::ReplacedAtRestart;
}

}  // namespace

std::string ValueNameFor(FontKind kind, const std::string& path)
{
    if (kind == FontKind::TrueType)
        return TrueTypeValueName(ReadTrueTypeNames(path));
    return ReadFonResName(path);
}

Places FindPlaces(bool showError)
{
    Places p;
    p.os = GetOSCode();
    p.fonts = GetFontsDir();
    if (p.fonts.empty()) {
        p.fonts = GetWinDir() + "FONTS\\";
        Say(showError, "Couldn't find the Fonts dir in the registry, " + p.fonts + " will be used instead ...");
    }
    p.temp = GetTempDir();
    if (p.temp.empty())
        p.temp = GetWinDir();
    return p;
}

qlToolsEx::Result InstallPermanent(FontKind kind, const std::string& sourceFolder, const std::string& fileName,
                                   bool showError, bool force)
{
    Places places = FindPlaces(showError);
    CheckFileName(fileName);
    std::string folder = AddBackslash(sourceFolder);
    std::string source = folder + fileName;
    std::string target = places.fonts + fileName;
    if (!FileExists(source))
        throw QlError(kFileNotFound, "qlToolsEx", "File not found: " + source);
    if (!force && !IsNewerFor(kind, folder, fileName, places.fonts))
        return qlToolsEx::NotNeeded;
    std::string valueName = ValueNameFor(kind, source);
    if (valueName.empty())
        throw QlError(kNotAFont, "qlToolsEx", "Not a font file of this kind: " + source);

    // A source in the Fonts folder is the installed copy itself: never copy or clear it.
    bool inPlace = SameFolder(folder, places.fonts);
    bool created = !FileExists(target);
    if (!inPlace && !CopyFileA(source.c_str(), target.c_str(), FALSE)) {
        RemoveExistingFont(places.fonts, fileName);
        if (!CopyFileA(source.c_str(), target.c_str(), FALSE))
            return ScheduleReplacement(places, source, target, fileName, valueName, showError);
    }
    if (AddFontResourceA(target.c_str()) == 0) {
        DWORD error = GetLastError();
        if (created && !inPlace)
            DeleteFileA(target.c_str());
        SayDllError(showError, error);
        return qlToolsEx::InstallFailed;
    }
    bool registered = false;
    try {
        registered = Register(places, target, fileName, valueName);
    } catch (...) {
    }
    if (!registered) {
        RemoveFontResourceA(target.c_str());
        if (created && !inPlace)
            DeleteFileA(target.c_str());
        throw QlError(0, "qlToolsEx", "Cannot write the Fonts key value " + valueName);
    }
    BroadcastFontChange(showError);
    return qlToolsEx::Installed;
}

qlToolsEx::Result InstallForSession(FontKind kind, const std::string& sourceFolder, const std::string& fileName,
                                    bool showError)
{
    Places places = FindPlaces(showError);
    CheckFileName(fileName);
    // Already in the Fonts folder: loaded with the installed fonts; a session install
    // never turns into a permanent one.
    if (FileExists(places.fonts + fileName))
        return qlToolsEx::NotNeeded;
    std::string source = AddBackslash(sourceFolder) + fileName;
    if (!FileExists(source))
        throw QlError(kFileNotFound, "qlToolsEx", "File not found: " + source);
    std::string copy = places.temp + fileName;
    if (!SamePath(source, copy) && !CopyFileA(source.c_str(), copy.c_str(), FALSE) && !SameContent(source, copy))
        throw QlError(static_cast<int32_t>(GetLastError()), "qlToolsEx", "Cannot copy " + source + " to " + copy);
    if (ValueNameFor(kind, copy).empty())
        throw QlError(kNotAFont, "qlToolsEx", "Not a font file of this kind: " + source);
    if (AddFontResourceA(copy.c_str()) == 0) {
        SayDllError(showError, GetLastError());
        return qlToolsEx::InstallFailed;
    }
    return qlToolsEx::Installed;
}

bool Uninstall(FontKind kind, const std::string& fileName, const std::string& folder, bool showError)
{
    Places places = FindPlaces(showError);
    CheckFileName(fileName);
    std::string dir = folder.empty() ? places.fonts : AddBackslash(folder);
    std::string path = dir + fileName;
    if (!FileExists(path)) {
        Say(showError, "Error " + std::to_string(ERROR_FILE_NOT_FOUND));
        return false;
    }
    std::string face = kind == FontKind::TrueType ? ReadTrueTypeNames(path).family : ReadFonResName(path);
    if (face.empty())
        face = fileName;

    // Every step that fails puts back what the steps before it changed.
    std::vector<FontValue> deleted;
    auto restore = [&](FontsKey& key) {
        for (const FontValue& v : deleted)
            key.Write(v.name, v.data);
    };
    try {
        FontsKey key(GetFontsKey());
        for (const FontValue& v : ValuesForFile(key.Values(), places.fonts, path)) {
            LONG rc = key.Delete(v.name);
            if (rc == ERROR_SUCCESS) {
                deleted.push_back(v);
            } else if (rc != ERROR_FILE_NOT_FOUND) {
                restore(key);
                Say(showError, "Error deleting the key : " + face);
                return false;
            }
        }
        if (RemoveFontResourceA(path.c_str()) == 0) {
            restore(key);
            Say(showError, "Error removing font resource : " + face);
            return false;
        }
        if (!DeleteFileA(path.c_str())) {
            restore(key);
            AddFontResourceA(path.c_str());
            Say(showError, "Error deleting font file : " + path);
            return false;
        }
    } catch (const QlError& e) {
        modMain::LogError(e.Source, e.Number, e.Description);
        Say(showError, "Error deleting the key : " + face);
        return false;
    }
    BroadcastFontChange(showError);
    return true;
}

void RemoveExistingFont(const std::string& fontsFolder, const std::string& fileName)
{
    try {
        if (fileName.size() < 4)
            return;
        std::string ext = fileName.substr(fileName.size() - 4);
        CharUpperBuffA(ext.data(), static_cast<DWORD>(ext.size()));
        bool removed = false;
        if (ext == ".TTF" || ext == ".OTF")
            removed = Uninstall(FontKind::TrueType, fileName, "", false);
        else if (ext == ".FON")
            removed = Uninstall(FontKind::Bitmap, fileName, "", false);
        if (removed)
            DeleteFileA((AddBackslash(fontsFolder) + fileName).c_str());
    } catch (...) {
    }
}

}  // namespace qlInstall
