#pragma once
// A folder tree: drives at the top, folders below them read only when a node is first
// expanded. FolderClick is raised for the user's choices only.
#include "platform/controls/TreeView.h"

namespace platform::forms {

class FolderTree : public TreeView {
public:
    FolderTree(Form& form, std::string name, int index = -1);
    // The selected folder's full path ("C:\\Windows"), empty when none.
    std::string SelectedFolder() const;
    // Opens the path down from its drive and selects it (no FolderClick); false when it
    // is not a folder (the selection stays).
    bool SelectedFolder(const std::string& path);
    void HiddenFolders(bool v) { hidden_ = v; }
    // Reads the drives afresh (everything collapses).
    void RefreshDrives();
    // The path a node stands for.
    static std::string PathOf(const Node::Ref& node);

    Event<const std::string&> FolderClick;

protected:
    void AfterCreate() override;
    bool OnReflected(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

private:
    void Fill(const Node::Ref& node);
    Node::Ref Child(const Node::Ref& parent, const std::string& name);
    bool hidden_ = false;
    bool filling_ = false;
};

}  // namespace platform::forms
