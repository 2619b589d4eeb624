#pragma once
// Looks at the windows of another process: its top-level window by caption, and the
// program's font tree (a "TreeView20WndClass", read across the process boundary).
#include <windows.h>
#include <commctrl.h>

#include <optional>
#include <string>
#include <vector>

namespace qlprobe {

// Whether a window's text is the caption, alone or followed by " - [name]" (the name of a
// maximized MDI child, which its frame shows in its own caption).
bool CaptionMatches(const std::string& text, const std::string& caption);

// The visible top-level window of the process whose caption matches caption.
HWND FindShownWindow(DWORD processId, const std::string& caption);

// The windows of the given class among the process's windows and their descendants.
std::vector<HWND> FindProcessWindowsOfClass(DWORD processId, const char* className);

// The items of a tree view of another process, read with the messages the control answers.
class RemoteTree {
public:
    RemoteTree(HWND tree, DWORD processId);
    RemoteTree(const RemoteTree&) = delete;
    RemoteTree& operator=(const RemoteTree&) = delete;
    ~RemoteTree();

    // Number of items, or nothing when the control did not answer in time (busy or gone).
    std::optional<int> Count() const;
    HTREEITEM Root() const;
    HTREEITEM FirstChild(HTREEITEM item) const;
    HTREEITEM Next(HTREEITEM item) const;
    std::optional<std::string> Text(HTREEITEM item) const;
    // Texts of the root's children, in tree order.
    std::vector<std::string> ChildTexts() const;

private:
    std::optional<LRESULT> Send(UINT message, WPARAM wParam, LPARAM lParam) const;

    HWND tree_;
    HANDLE process_ = nullptr;
    char* remote_ = nullptr;  // a TVITEMA and its text buffer, in the other process
};

// The number of fonts the program's tree root announces ("All Installed: N"), if it does.
std::optional<int> AnnouncedFontCount(const std::string& rootText);

// The program's font tree: the tree view of the process whose root announces the fonts.
HWND FindFontTree(DWORD processId);

}  // namespace qlprobe
