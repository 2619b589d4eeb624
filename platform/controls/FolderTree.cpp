#include "platform/controls/FolderTree.h"

#include <algorithm>
#include <vector>

namespace platform::forms {

static const char* kDummy = "\x01";

FolderTree::FolderTree(Form& form, std::string name, int index) : TreeView(form, std::move(name), index)
{
    NodeClick = [this](Node::Ref n) {
        std::string p = PathOf(n);
        if (!p.empty())
            FolderClick.Raise(Source("FolderClick"), p);
    };
}

void FolderTree::AfterCreate()
{
    TreeView::AfterCreate();
    RefreshDrives();
}

std::string FolderTree::PathOf(const Node::Ref& node)
{
    if (!node || !node->Alive())
        return {};
    const std::string& k = node->Key();
    return k.rfind("d:", 0) == 0 ? k.substr(2) : std::string();
}

void FolderTree::RefreshDrives()
{
    Clear();
    char buf[512] = {};
    DWORD n = GetLogicalDriveStringsA(sizeof buf, buf);
    for (const char* p = buf; p < buf + n && *p; p += lstrlenA(p) + 1) {
        std::string root = p;  // "C:\"
        UINT type = GetDriveTypeA(root.c_str());
        if (type == DRIVE_NO_ROOT_DIR)
            continue;
        std::string path = root.substr(0, 2);
        auto node = Add(Node::Ref(), tvwLast, "d:" + path, path);
        Add(node, tvwChild, "", kDummy);
    }
}

static std::vector<std::string> SubFolders(const std::string& path, bool hidden)
{
    std::vector<std::string> out;
    WIN32_FIND_DATAA fd;
    HANDLE f = FindFirstFileA((path + "\\*").c_str(), &fd);
    if (f == INVALID_HANDLE_VALUE)
        return out;
    do {
        std::string n = fd.cFileName;
        if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || n == "." || n == "..")
            continue;
        if (!hidden && (fd.dwFileAttributes & FILE_ATTRIBUTE_HIDDEN))
            continue;
        out.push_back(n);
    } while (FindNextFileA(f, &fd));
    FindClose(f);
    std::sort(out.begin(), out.end(), [](const std::string& a, const std::string& b) {
        return lstrcmpiA(a.c_str(), b.c_str()) < 0;
    });
    return out;
}

void FolderTree::Fill(const Node::Ref& node)
{
    Node::Ref first = node->Child();
    if (!first || first->Text() != kDummy)
        return;
    filling_ = true;
    Remove(first);
    std::string base = PathOf(node);
    for (const std::string& name : SubFolders(base, hidden_)) {
        std::string path = base + "\\" + name;
        if (Exists("d:" + path))
            continue;
        auto child = Add(node, tvwChild, "d:" + path, name);
        Add(child, tvwChild, "", kDummy);
    }
    filling_ = false;
}

Node::Ref FolderTree::Child(const Node::Ref& parent, const std::string& name)
{
    for (Node::Ref c = parent ? parent->Child() : (Count() ? Item(1)->FirstSibling() : nullptr); c; c = c->Next())
        if (lstrcmpiA(c->Text().c_str(), name.c_str()) == 0)
            return c;
    return nullptr;
}

std::string FolderTree::SelectedFolder() const { return PathOf(SelectedItem()); }

bool FolderTree::SelectedFolder(const std::string& path)
{
    EnsureLoaded();
    std::string p = path;
    while (p.size() > 2 && (p.back() == '\\' || p.back() == '/'))
        p.pop_back();
    DWORD a = GetFileAttributesA((p.size() == 2 ? p + "\\" : p).c_str());
    if (p.size() < 2 || a == INVALID_FILE_ATTRIBUTES || !(a & FILE_ATTRIBUTE_DIRECTORY))
        return false;
    Node::Ref node = Child(nullptr, p.substr(0, 2));
    size_t pos = 3;
    while (node && pos <= p.size()) {
        Fill(node);
        size_t next = p.find('\\', pos);
        std::string part = p.substr(pos, next == std::string::npos ? std::string::npos : next - pos);
        pos = next == std::string::npos ? p.size() + 1 : next + 1;
        if (part.empty())
            continue;
        node->Expanded(true);
        node = Child(node, part);
    }
    if (!node)
        return false;
    node->Selected(true);
    node->EnsureVisible();
    return true;
}

bool FolderTree::OnReflected(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result)
{
    if (msg == WM_NOTIFY) {
        auto* hdr = reinterpret_cast<NMHDR*>(lp);
        if (hdr->code == TVN_ITEMEXPANDINGA || hdr->code == TVN_ITEMEXPANDINGW) {
            auto* nm = reinterpret_cast<NMTREEVIEWA*>(lp);
            if (nm->action & TVE_EXPAND)
                if (Node::Ref n = FromItem(nm->itemNew.hItem))
                    Fill(n);
            result = FALSE;
            return true;
        }
    }
    return TreeView::OnReflected(msg, wp, lp, result);
}

}  // namespace platform::forms
