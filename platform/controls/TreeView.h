#pragma once
// A tree view over the system's, under the class name the docking library hooks. Nodes
// are handles: a deleted node (by code, by Clear, by its parent's removal) stays a valid
// object that refuses every use with error 35605.
#include <windows.h>
#include <commctrl.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/forms/Control.h"

namespace platform::forms {

class TreeView;
class ImageList;

enum TreeRelationshipConstants { tvwFirst = 0, tvwLast = 1, tvwNext = 2, tvwPrevious = 3, tvwChild = 4 };

class Node {
public:
    using Ref = std::shared_ptr<Node>;
    bool Alive() const { return tree_ != nullptr; }
    std::string Text() const;
    void Text(const std::string& v);
    const std::string& Key() const { Check(); return key_; }
    const std::string& Tag() const { Check(); return tag_; }
    void Tag(const std::string& v) { Check(); tag_ = v; }
    // 1-based position in the tree's collection.
    int Index() const;
    Ref Parent() const;
    Ref Child() const;
    Ref Next() const;
    Ref Previous() const;
    Ref FirstSibling() const;
    Ref LastSibling() const;
    Ref Root() const;
    int Children() const;
    bool Selected() const;
    // Selects without a NodeClick.
    void Selected(bool v);
    bool Checked() const;
    void Checked(bool v);
    bool Expanded() const;
    void Expanded(bool v);
    bool Bold() const;
    void Bold(bool v);
    void Image(int index);
    void EnsureVisible();
    HTREEITEM Item() const { Check(); return item_; }

private:
    friend class TreeView;
    void Check() const;
    Ref Wrap(HTREEITEM h) const;
    TreeView* tree_ = nullptr;
    HTREEITEM item_ = nullptr;
    std::string key_, tag_;
    bool checked_ = false;
};

class TreeView : public Control {
public:
    TreeView(Form& form, std::string name, int index = -1);
    ~TreeView() override;

    // relative: a node (nullptr for the top level) and how the new one stands to it.
    Node::Ref Add(const Node::Ref& relative, int relationship, const std::string& key, const std::string& text,
                  int image = 0);
    Node::Ref Add(const std::string& relativeKey, int relationship, const std::string& key, const std::string& text,
                  int image = 0);
    int Count() const { return static_cast<int>(order_.size()); }
    // By key (exact) or by 1-based index; error 35601 when missing.
    Node::Ref Item(const std::string& key) const;
    Node::Ref Item(int index) const;
    bool Exists(const std::string& key) const { return keys_.count(key) != 0; }
    void Remove(const Node::Ref& node);
    // Removes every node with drawing suspended.
    void Clear();
    Node::Ref SelectedItem() const;
    Node::Ref FromItem(HTREEITEM h) const;

    bool Checkboxes() const { return checkboxes_; }
    // Switchable while nodes are present: the check states are kept.
    void Checkboxes(bool v);
    void ImageList(platform::forms::ImageList& images);
    // Design time: lines, root lines, buttons, label editing off, indentation in twips.
    void LineStyle(int v) { lineStyle_ = v; }
    void Indentation(int twips);
    void Sorted(bool v);

    Event<Node::Ref> NodeClick;
    Event<Node::Ref> NodeCheck;
    Event<Node::Ref> Expand;
    Event<Node::Ref> Collapse;

protected:
    HWND CreateWindowFor(HWND parent, int id) override;
    void AfterCreate() override;
    bool OnReflected(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
    bool OnOwnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

private:
    friend class Node;
    void Forget(HTREEITEM h);
    // A message straight to the control's own procedure, past the subclass procedures
    // (each of which costs a window-property lookup): for the bulk paths.
    LRESULT Direct(UINT msg, WPARAM wp, LPARAM lp) const;
    Node::Ref HitNode(LPARAM lp, UINT* flags = nullptr) const;
    std::map<HTREEITEM, Node::Ref> nodes_;
    std::map<std::string, Node::Ref> keys_;
    std::vector<Node::Ref> order_;
    platform::forms::ImageList* images_ = nullptr;
    bool checkboxes_ = false;
    int lineStyle_ = 1;
    int indent_ = -1;
    bool sorted_ = false;
    int quiet_ = 0;
    bool clearing_ = false;
    WNDPROC classProc_ = nullptr;
};

}  // namespace platform::forms
