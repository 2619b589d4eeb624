#include "core/files/modFileFunctions.h"

#include <shellapi.h>
#include <shlwapi.h>

#include <cmath>
#include <vector>

#include "core/modMain.h"
#include "platform/forms/Seams.h"

namespace modFileFunctions {

namespace {

// Deeper folders than this are not searched (a guard against loops that are not
// reparse points, such as bind mounts).
constexpr int kMaxDepth = 64;

std::string CompactToRect(RECT rc, const std::string& text, uint32_t flags, HDC hdc)
{
    // DT_MODIFYSTRING may write up to four more characters (an ellipsis) and the NUL.
    std::vector<char> buf(text.size() + 5, '\0');
    text.copy(buf.data(), text.size());
    DrawTextA(hdc, buf.data(), -1, &rc, flags | DT_MODIFYSTRING | DT_CALCRECT);
    buf.back() = '\0';
    return std::string(buf.data());
}

LONG Shrink(LONG v) { return static_cast<LONG>(std::nearbyint(static_cast<double>(v) * 0.95)); }

std::vector<std::string> SplitMasks(const std::string& masks)
{
    std::vector<std::string> out;
    std::size_t start = 0;
    while (start <= masks.size()) {
        std::size_t end = masks.find(';', start);
        if (end == std::string::npos)
            end = masks.size();
        std::string m = masks.substr(start, end - start);
        std::size_t a = m.find_first_not_of(' ');
        std::size_t b = m.find_last_not_of(' ');
        if (a != std::string::npos)
            out.push_back(m.substr(a, b - a + 1));
        start = end + 1;
    }
    return out;
}

void AddUnique(FileList& list, const std::string& path)
{
    try {
        if (!list.Exists(path))
            list.Add(path, path);
    } catch (...) {
        // passed over
    }
}

void Search(const std::string& folderIn, const std::vector<std::string>& masks, bool recurse, int depth,
            FileList& out)
{
    const std::string folder = AppendIfMissing(folderIn, "\\");
    constexpr DWORD kHiddenOrSystem = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    for (const std::string& mask : masks) {
        WIN32_FIND_DATAA fd;
        HANDLE h = FindFirstFileA((folder + mask).c_str(), &fd);
        if (h == INVALID_HANDLE_VALUE)
            continue;
        do {
            if (fd.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | kHiddenOrSystem))
                continue;
            // The listing also matches short names; keep only names that match themselves.
            if (!PathMatchSpecA(fd.cFileName, mask.c_str()))
                continue;
            AddUnique(out, folder + fd.cFileName);
        } while (FindNextFileA(h, &fd));
        FindClose(h);
    }
    if (!recurse || depth >= kMaxDepth)
        return;

    std::vector<std::string> subfolders;
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((folder + "*.*").c_str(), &fd);
    if (h != INVALID_HANDLE_VALUE) {
        do {
            std::string name = fd.cFileName;
            if (name == "." || name == "..")
                continue;
            DWORD a = fd.dwFileAttributes;
            if (!(a & FILE_ATTRIBUTE_DIRECTORY) || (a & kHiddenOrSystem) || (a & FILE_ATTRIBUTE_REPARSE_POINT))
                continue;
            if (folder.size() + name.size() + 1 >= MAX_PATH)
                continue;
            subfolders.push_back(folder + name);
        } while (FindNextFileA(h, &fd));
        FindClose(h);
    }
    for (const std::string& sub : subfolders)
        Search(sub, masks, true, depth + 1, out);
}

}  // namespace

std::string CompactPathToControl(HWND control, const std::string& text, uint32_t flags, HDC hdc)
{
    RECT rc{};
    GetWindowRect(control, &rc);
    rc.left = Shrink(rc.left);
    rc.right = Shrink(rc.right);
    return CompactToRect(rc, text, flags, hdc);
}

std::string CompactPathToWidth(int32_t widthPixels, const std::string& text, uint32_t flags, HDC hdc)
{
    RECT rc{0, 0, Shrink(widthPixels), 0};
    return CompactToRect(rc, text, flags, hdc);
}

void ShowProperties(const std::string& path, HWND owner)
{
    try {
        if (!path.empty() && path.back() == '\\') {
            platform::forms::MsgBox("No file can be located for the selected font",
                                    platform::forms::vbOKOnly | platform::forms::vbCritical, "File Location Error");
            return;
        }
        SHELLEXECUTEINFOA info{};
        info.cbSize = sizeof info;
        info.fMask = SEE_MASK_INVOKEIDLIST | SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
        info.hwnd = owner;
        info.lpVerb = "properties";
        info.lpFile = path.c_str();
        info.nShow = SW_HIDE;
        BOOL ok = ShellExecuteExA(&info);
        DWORD error = ok ? 0 : GetLastError();
        if (info.hProcess)
            CloseHandle(info.hProcess);
        if (!ok)
            modMain::LogError("ShowProperties", static_cast<int32_t>(error),
                              "The property sheet of '" + path + "' could not be shown");
    } catch (const std::exception& e) {
        modMain::LogError("ShowProperties", 0, e.what());
    }
}

FileList FindFiles(const std::string& folder, const std::string& masks, bool recurse)
{
    FileList out;
    try {
        Search(folder, SplitMasks(masks), recurse, 0, out);
    } catch (...) {
        // what could not be listed is passed over
    }
    return out;
}

FileList FindFontFiles(const std::string& folder, bool recurse) { return FindFiles(folder, "*.ttf;*.fon;*.ttc", recurse); }

std::string GetFileName(const std::string& path) { return PathFindFileNameA(path.c_str()); }

std::string GetFileExtension(const std::string& path) { return PathFindExtensionA(path.c_str()); }

bool IsBareFileName(const std::string& text) { return text.find_first_of(":\\") == std::string::npos; }

bool FileExists(const std::string& path)
{
    if (path.empty())
        return false;
    DWORD a = GetFileAttributesA(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

bool FolderExists(const std::string& path)
{
    if (path.empty())
        return false;
    DWORD a = GetFileAttributesA(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

std::string AppendIfMissing(const std::string& text, const std::string& suffix)
{
    if (text.size() >= suffix.size() && text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0)
        return text;
    return text + suffix;
}

std::string GetTempFolder()
{
    char buf[MAX_PATH] = {};
    DWORD n = GetTempPathA(MAX_PATH, buf);
    if (n == 0 || n >= MAX_PATH)
        return {};
    return std::string(buf);
}

}  // namespace modFileFunctions
