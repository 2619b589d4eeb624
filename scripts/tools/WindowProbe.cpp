#include "scripts/tools/WindowProbe.h"

#include <commctrl.h>

#include <cstring>

namespace qlprobe {

namespace {

constexpr UINT kAnswerMs = 1000;
constexpr size_t kTextSize = 512;

struct Search {
    DWORD processId;
    const std::string* caption;
    const char* className;
    HWND found = nullptr;
    std::vector<HWND> all;
};

bool IsOfClass(HWND window, const char* className)
{
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    return std::strcmp(name, className) == 0;
}

BOOL CALLBACK MatchCaption(HWND window, LPARAM param)
{
    auto* s = reinterpret_cast<Search*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid != s->processId || !IsWindowVisible(window))
        return TRUE;
    char text[256] = {};
    GetWindowTextA(window, text, sizeof text);
    if (!CaptionMatches(text, *s->caption))
        return TRUE;
    s->found = window;
    return FALSE;
}

BOOL CALLBACK MatchChildClass(HWND window, LPARAM param)
{
    auto* s = reinterpret_cast<Search*>(param);
    if (IsOfClass(window, s->className))
        s->all.push_back(window);
    return TRUE;
}

BOOL CALLBACK MatchTopClass(HWND window, LPARAM param)
{
    auto* s = reinterpret_cast<Search*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid != s->processId)
        return TRUE;
    if (IsOfClass(window, s->className))
        s->all.push_back(window);
    // Descendants at every depth.
    EnumChildWindows(window, MatchChildClass, param);
    return TRUE;
}

}  // namespace

bool CaptionMatches(const std::string& text, const std::string& caption)
{
    if (text == caption)
        return true;
    const std::string open = caption + " - [";
    return text.size() > open.size() && text.compare(0, open.size(), open) == 0 && text.back() == ']';
}

HWND FindShownWindow(DWORD processId, const std::string& caption)
{
    Search s{processId, &caption, nullptr, nullptr, {}};
    EnumWindows(MatchCaption, reinterpret_cast<LPARAM>(&s));
    return s.found;
}

std::vector<HWND> FindProcessWindowsOfClass(DWORD processId, const char* className)
{
    Search s{processId, nullptr, className, nullptr, {}};
    EnumWindows(MatchTopClass, reinterpret_cast<LPARAM>(&s));
    return s.all;
}

RemoteTree::RemoteTree(HWND tree, DWORD processId) : tree_(tree)
{
    process_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId);
    if (process_)
        remote_ = static_cast<char*>(
            VirtualAllocEx(process_, nullptr, sizeof(TVITEMA) + kTextSize, MEM_COMMIT, PAGE_READWRITE));
}

RemoteTree::~RemoteTree()
{
    if (remote_)
        VirtualFreeEx(process_, remote_, 0, MEM_RELEASE);
    if (process_)
        CloseHandle(process_);
}

std::optional<LRESULT> RemoteTree::Send(UINT message, WPARAM wParam, LPARAM lParam) const
{
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutA(tree_, message, wParam, lParam, SMTO_ABORTIFHUNG, kAnswerMs, &result))
        return std::nullopt;
    return static_cast<LRESULT>(result);
}

std::optional<int> RemoteTree::Count() const
{
    auto n = Send(TVM_GETCOUNT, 0, 0);
    if (!n)
        return std::nullopt;
    return static_cast<int>(*n);
}

HTREEITEM RemoteTree::Root() const
{
    return reinterpret_cast<HTREEITEM>(Send(TVM_GETNEXTITEM, TVGN_ROOT, 0).value_or(0));
}

HTREEITEM RemoteTree::FirstChild(HTREEITEM item) const
{
    return reinterpret_cast<HTREEITEM>(Send(TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(item)).value_or(0));
}

HTREEITEM RemoteTree::Next(HTREEITEM item) const
{
    return reinterpret_cast<HTREEITEM>(Send(TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(item)).value_or(0));
}

std::optional<std::string> RemoteTree::Text(HTREEITEM item) const
{
    if (!remote_ || !item)
        return std::nullopt;
    // The item and its text buffer live in the other process; the control fills them there.
    TVITEMA request{};
    request.mask = TVIF_TEXT | TVIF_HANDLE;
    request.hItem = item;
    request.pszText = remote_ + sizeof(TVITEMA);
    request.cchTextMax = static_cast<int>(kTextSize);
    const char empty = '\0';
    if (!WriteProcessMemory(process_, remote_, &request, sizeof request, nullptr) ||
        !WriteProcessMemory(process_, remote_ + sizeof(TVITEMA), &empty, 1, nullptr))
        return std::nullopt;
    auto ok = Send(TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(remote_));
    if (!ok || !*ok)
        return std::nullopt;
    char text[kTextSize] = {};
    if (!ReadProcessMemory(process_, remote_ + sizeof(TVITEMA), text, kTextSize - 1, nullptr))
        return std::nullopt;
    return std::string(text);
}

std::vector<std::string> RemoteTree::ChildTexts() const
{
    std::vector<std::string> texts;
    for (HTREEITEM item = FirstChild(Root()); item; item = Next(item))
        texts.push_back(Text(item).value_or(""));
    return texts;
}

std::optional<int> AnnouncedFontCount(const std::string& rootText)
{
    static const std::string kPrefix = "All Installed: ";
    if (rootText.rfind(kPrefix, 0) != 0 || rootText.size() == kPrefix.size())
        return std::nullopt;
    int n = 0;
    for (size_t i = kPrefix.size(); i < rootText.size(); ++i) {
        char c = rootText[i];
        if (c < '0' || c > '9')
            return std::nullopt;
        n = n * 10 + (c - '0');
    }
    return n;
}

HWND FindFontTree(DWORD processId)
{
    for (HWND window : FindProcessWindowsOfClass(processId, "TreeView20WndClass")) {
        RemoteTree tree(window, processId);
        if (AnnouncedFontCount(tree.Text(tree.Root()).value_or("")))
            return window;
    }
    return nullptr;
}

}  // namespace qlprobe
