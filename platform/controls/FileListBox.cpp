#include "platform/controls/FileListBox.h"

#include <algorithm>
#include <vector>

#include "platform/QlError.h"

namespace platform::forms {

FileListBox::FileListBox(Form& form, std::string name, int index) : ListBox(form, std::move(name), index)
{
    sorted_ = false;
}

void FileListBox::AfterCreate()
{
    if (!path_.empty())
        Refresh();
}

void FileListBox::Path(const std::string& folder)
{
    std::string f = folder;
    while (f.size() > 3 && (f.back() == '\\' || f.back() == '/'))
        f.pop_back();
    DWORD a = GetFileAttributesA(f.c_str());
    if (a == INVALID_FILE_ATTRIBUTES || !(a & FILE_ATTRIBUTE_DIRECTORY))
        throw QlError(76, Name(), "Path not found");
    bool changed = lstrcmpiA(f.c_str(), path_.c_str()) != 0;
    path_ = f;
    Refresh();
    if (changed)
        PathChange.Raise(Source("PathChange"));
}

void FileListBox::Pattern(const std::string& v)
{
    pattern_ = v.empty() ? "*.*" : v;
    if (!path_.empty())
        Refresh();
    PatternChange.Raise(Source("PatternChange"));
}

std::string FileListBox::FileName() const
{
    int i = ListIndex();
    return i >= 0 ? List(i) : std::string();
}

void FileListBox::Refresh()
{
    HWND h = hWnd();
    if (!h || path_.empty())
        return;
    std::vector<std::string> names;
    std::string base = path_;
    if (base.back() != '\\')
        base += '\\';
    size_t start = 0;
    while (start <= pattern_.size()) {
        size_t semi = pattern_.find(';', start);
        std::string one = pattern_.substr(start, semi == std::string::npos ? std::string::npos : semi - start);
        start = semi == std::string::npos ? pattern_.size() + 1 : semi + 1;
        if (one.empty())
            continue;
        WIN32_FIND_DATAA fd;
        HANDLE f = FindFirstFileA((base + one).c_str(), &fd);
        if (f == INVALID_HANDLE_VALUE)
            continue;
        do {
            if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                continue;
            if (!hidden_ && (fd.dwFileAttributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)))
                continue;
            names.emplace_back(fd.cFileName);
        } while (FindNextFileA(f, &fd));
        FindClose(f);
    }
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        return lstrcmpiA(a.c_str(), b.c_str()) < 0;
    });
    names.erase(std::unique(names.begin(), names.end(),
                            [](const std::string& a, const std::string& b) { return lstrcmpiA(a.c_str(), b.c_str()) == 0; }),
                names.end());
    SendMessageA(h, WM_SETREDRAW, FALSE, 0);
    Clear();
    for (const std::string& n : names)
        SendMessageA(h, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(n.c_str()));
    SendMessageA(h, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(h, nullptr, TRUE);
}

}  // namespace platform::forms
