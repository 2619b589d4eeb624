#include "platform/controls/TreeView.h"

#include <windowsx.h>

#include <algorithm>

#include "platform/QlError.h"
#include "platform/AnsiText.h"
#include "platform/controls/ImageList.h"
#include "platform/forms/Screen.h"
#include "platform/forms/WindowClasses.h"

namespace platform::forms {

static constexpr UINT WM_CHECKCHANGED = WM_APP + 0x51;

// ---- Node ----------------------------------------------------------------------------------

void Node::Check() const
{
    if (!tree_)
        throw QlError(35605, "Node", "This control has been removed");
}

Node::Ref Node::Wrap(HTREEITEM h) const { return h ? tree_->FromItem(h) : nullptr; }

std::string Node::Text() const
{
    Check();
    char buf[1024] = {};
    TVITEMA it{};
    it.mask = TVIF_TEXT;
    it.hItem = item_;
    it.pszText = buf;
    it.cchTextMax = sizeof buf;
    SendMessageA(tree_->Window(), TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&it));
    return CutAtNul(std::string(buf, sizeof buf));
}

void Node::Text(const std::string& v)
{
    Check();
    TVITEMA it{};
    it.mask = TVIF_TEXT;
    it.hItem = item_;
    it.pszText = const_cast<char*>(v.c_str());
    SendMessageA(tree_->Window(), TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&it));
}

int Node::Index() const
{
    Check();
    auto& o = tree_->order_;
    for (size_t i = 0; i < o.size(); ++i)
        if (o[i].get() == this)
            return static_cast<int>(i) + 1;
    return 0;
}

static HTREEITEM NextItem(HWND w, HTREEITEM h, UINT code)
{
    return reinterpret_cast<HTREEITEM>(SendMessageA(w, TVM_GETNEXTITEM, code, reinterpret_cast<LPARAM>(h)));
}

Node::Ref Node::Parent() const { Check(); return Wrap(NextItem(tree_->Window(), item_, TVGN_PARENT)); }
Node::Ref Node::Child() const { Check(); return Wrap(NextItem(tree_->Window(), item_, TVGN_CHILD)); }
Node::Ref Node::Next() const { Check(); return Wrap(NextItem(tree_->Window(), item_, TVGN_NEXT)); }
Node::Ref Node::Previous() const { Check(); return Wrap(NextItem(tree_->Window(), item_, TVGN_PREVIOUS)); }

Node::Ref Node::FirstSibling() const
{
    Check();
    HTREEITEM h = item_, p;
    while ((p = NextItem(tree_->Window(), h, TVGN_PREVIOUS)) != nullptr)
        h = p;
    return Wrap(h);
}

Node::Ref Node::LastSibling() const
{
    Check();
    HTREEITEM h = item_, n;
    while ((n = NextItem(tree_->Window(), h, TVGN_NEXT)) != nullptr)
        h = n;
    return Wrap(h);
}

Node::Ref Node::Root() const
{
    Check();
    HTREEITEM h = item_, p;
    while ((p = NextItem(tree_->Window(), h, TVGN_PARENT)) != nullptr)
        h = p;
    return Wrap(h)->FirstSibling();
}

int Node::Children() const
{
    Check();
    int n = 0;
    for (HTREEITEM h = NextItem(tree_->Window(), item_, TVGN_CHILD); h;
         h = NextItem(tree_->Window(), h, TVGN_NEXT))
        ++n;
    return n;
}

bool Node::Selected() const
{
    Check();
    return NextItem(tree_->Window(), nullptr, TVGN_CARET) == item_;
}

void Node::Selected(bool v)
{
    Check();
    ++tree_->quiet_;
    SendMessageA(tree_->Window(), TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(v ? item_ : nullptr));
    --tree_->quiet_;
}

bool Node::Checked() const
{
    Check();
    if (!tree_->checkboxes_ || !tree_->Window())
        return checked_;
    UINT s = static_cast<UINT>(SendMessageA(tree_->Window(), TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(item_),
                                            TVIS_STATEIMAGEMASK));
    return (s >> 12) == 2;
}

void Node::Checked(bool v)
{
    Check();
    // Kept here too: the state shows again when check boxes come back.
    checked_ = v;
    TVITEMA it{};
    it.mask = TVIF_STATE;
    it.hItem = item_;
    it.stateMask = TVIS_STATEIMAGEMASK;
    it.state = INDEXTOSTATEIMAGEMASK(tree_->checkboxes_ ? (v ? 2 : 1) : 0);
    SendMessageA(tree_->Window(), TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&it));
}

bool Node::Expanded() const
{
    Check();
    return (SendMessageA(tree_->Window(), TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(item_), TVIS_EXPANDED) &
            TVIS_EXPANDED) != 0;
}

void Node::Expanded(bool v)
{
    Check();
    SendMessageA(tree_->Window(), TVM_EXPAND, v ? TVE_EXPAND : TVE_COLLAPSE, reinterpret_cast<LPARAM>(item_));
}

bool Node::Bold() const
{
    Check();
    return (SendMessageA(tree_->Window(), TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(item_), TVIS_BOLD) &
            TVIS_BOLD) != 0;
}

void Node::Bold(bool v)
{
    Check();
    TVITEMA it{};
    it.mask = TVIF_STATE;
    it.hItem = item_;
    it.stateMask = TVIS_BOLD;
    it.state = v ? TVIS_BOLD : 0;
    SendMessageA(tree_->Window(), TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&it));
}

void Node::Image(int index)
{
    Check();
    TVITEMA it{};
    it.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    it.hItem = item_;
    it.iImage = it.iSelectedImage = index - 1;
    SendMessageA(tree_->Window(), TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&it));
}

void Node::EnsureVisible()
{
    Check();
    SendMessageA(tree_->Window(), TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(item_));
}

// ---- TreeView ------------------------------------------------------------------------------

TreeView::TreeView(Form& form, std::string name, int index) : Control(form, std::move(name), index)
{
    BackColor(SysColor(COLOR_WINDOW));
}

TreeView::~TreeView()
{
    for (auto& [h, n] : nodes_)
        n->tree_ = nullptr;
}

HWND TreeView::CreateWindowFor(HWND parent, int id)
{
    RegisterSuperclass(TreeViewClassName(), WC_TREEVIEWA);
    DWORD style = WS_TABSTOP | TVS_SHOWSELALWAYS | TVS_HASBUTTONS;
    if (lineStyle_ >= 0)
        style |= TVS_HASLINES;
    if (lineStyle_ == 1)
        style |= TVS_LINESATROOT;
    return MakeWindow(TreeViewClassName(), "", style, WS_EX_CLIENTEDGE, parent, id);
}

LRESULT TreeView::Direct(UINT msg, WPARAM wp, LPARAM lp) const
{
    HWND w = hWnd();
    return classProc_ ? CallWindowProcA(classProc_, w, msg, wp, lp) : SendMessageA(w, msg, wp, lp);
}

void TreeView::AfterCreate()
{
    classProc_ = reinterpret_cast<WNDPROC>(GetClassLongPtrA(hwnd_, GCLP_WNDPROC));
    if (checkboxes_)
        SetWindowLongA(hwnd_, GWL_STYLE, GetWindowLongA(hwnd_, GWL_STYLE) | TVS_CHECKBOXES);
    if (images_)
        SendMessageA(hwnd_, TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(images_->Handle()));
    if (indent_ >= 0)
        SendMessageA(hwnd_, TVM_SETINDENT, static_cast<WPARAM>(TwipsToPixelsX(indent_)), 0);
}

void TreeView::Indentation(int twips)
{
    indent_ = twips;
    if (hwnd_)
        SendMessageA(hwnd_, TVM_SETINDENT, static_cast<WPARAM>(TwipsToPixelsX(twips)), 0);
}

void TreeView::Sorted(bool v) { sorted_ = v; }

void TreeView::ImageList(platform::forms::ImageList& images)
{
    images_ = &images;
    if (hwnd_)
        SendMessageA(hwnd_, TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(images.Handle()));
}

Node::Ref TreeView::Add(const std::string& relativeKey, int relationship, const std::string& key,
                        const std::string& text, int image)
{
    return Add(relativeKey.empty() ? nullptr : Item(relativeKey), relationship, key, text, image);
}

Node::Ref TreeView::Add(const Node::Ref& relative, int relationship, const std::string& key, const std::string& text,
                        int image)
{
    hWnd();
    auto ParentOf = [this](HTREEITEM item) {
        return reinterpret_cast<HTREEITEM>(Direct(TVM_GETNEXTITEM, TVGN_PARENT, reinterpret_cast<LPARAM>(item)));
    };
    if (!key.empty() && keys_.count(key))
        throw QlError(35602, Name(), "Key is not unique in collection");
    if (relative)
        relative->Check();
    TVINSERTSTRUCTA ins{};
    HTREEITEM rel = relative ? relative->item_ : nullptr;
    switch (relative ? relationship : tvwLast) {
    case tvwChild:
        ins.hParent = rel;
        ins.hInsertAfter = sorted_ ? TVI_SORT : TVI_LAST;
        break;
    case tvwFirst:
        ins.hParent = ParentOf(rel);
        ins.hInsertAfter = TVI_FIRST;
        break;
    case tvwNext:
        ins.hParent = ParentOf(rel);
        ins.hInsertAfter = rel;
        break;
    case tvwPrevious: {
        ins.hParent = ParentOf(rel);
        HTREEITEM prev = reinterpret_cast<HTREEITEM>(Direct(TVM_GETNEXTITEM, TVGN_PREVIOUS, reinterpret_cast<LPARAM>(rel)));
        ins.hInsertAfter = prev ? prev : TVI_FIRST;
        break;
    }
    default:
        ins.hParent = rel ? ParentOf(rel) : TVI_ROOT;
        ins.hInsertAfter = sorted_ ? TVI_SORT : TVI_LAST;
        break;
    }
    if (!ins.hParent)
        ins.hParent = TVI_ROOT;
    ins.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    ins.item.pszText = const_cast<char*>(text.c_str());
    ins.item.iImage = ins.item.iSelectedImage = image - 1;
    HTREEITEM h = reinterpret_cast<HTREEITEM>(Direct(TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&ins)));
    if (!h)
        throw QlError(35600, Name(), "cannot add the node");
    auto node = std::make_shared<Node>();
    node->tree_ = this;
    node->item_ = h;
    node->key_ = key;
    nodes_[h] = node;
    if (!key.empty())
        keys_[key] = node;
    order_.push_back(node);
    if (checkboxes_)
        node->Checked(false);
    return node;
}

Node::Ref TreeView::Item(const std::string& key) const
{
    auto it = keys_.find(key);
    if (it == keys_.end())
        throw QlError(35601, Name(), "Element not found");
    return it->second;
}

Node::Ref TreeView::Item(int index) const
{
    if (index < 1 || index > Count())
        throw QlError(35600, Name(), "Index out of bounds");
    return order_[static_cast<size_t>(index - 1)];
}

Node::Ref TreeView::FromItem(HTREEITEM h) const
{
    auto it = nodes_.find(h);
    return it == nodes_.end() ? nullptr : it->second;
}

void TreeView::Forget(HTREEITEM h)
{
    if (clearing_)
        return;  // Clear drops every node at once
    auto it = nodes_.find(h);
    if (it == nodes_.end())
        return;
    Node::Ref n = it->second;
    nodes_.erase(it);
    if (!n->key_.empty())
        keys_.erase(n->key_);
    order_.erase(std::remove(order_.begin(), order_.end(), n), order_.end());
    n->tree_ = nullptr;
    n->item_ = nullptr;
}

void TreeView::Remove(const Node::Ref& node)
{
    if (!node)
        return;
    node->Check();
    HTREEITEM h = node->item_;
    SendMessageA(hWnd(), TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(h));
    Forget(h);  // when the control did not report it
}

void TreeView::Clear()
{
    HWND w = hWnd();
    SendMessageA(w, WM_SETREDRAW, FALSE, 0);
    ++quiet_;
    clearing_ = true;
    SendMessageA(w, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
    clearing_ = false;
    --quiet_;
    for (auto& [h, n] : nodes_) {
        n->tree_ = nullptr;
        n->item_ = nullptr;
    }
    nodes_.clear();
    keys_.clear();
    order_.clear();
    SendMessageA(w, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(w, nullptr, TRUE);
}

Node::Ref TreeView::SelectedItem() const
{
    HTREEITEM h = NextItem(hWnd(), nullptr, TVGN_CARET);
    return h ? FromItem(h) : nullptr;
}

void TreeView::Checkboxes(bool v)
{
    if (v == checkboxes_)
        return;
    std::vector<std::pair<Node::Ref, bool>> states;
    for (auto& [h, n] : nodes_)
        states.emplace_back(n, n->Checked());
    checkboxes_ = v;
    if (!hwnd_)
        return;
    LONG style = GetWindowLongA(hwnd_, GWL_STYLE);
    // Toggling the style on a filled tree leaves stale state images: set them afresh.
    SetWindowLongA(hwnd_, GWL_STYLE, v ? (style | TVS_CHECKBOXES) : (style & ~TVS_CHECKBOXES));
    for (auto& [n, checked] : states)
        n->Checked(checked);
    InvalidateRect(hwnd_, nullptr, TRUE);
}

Node::Ref TreeView::HitNode(LPARAM lp, UINT* flags) const
{
    TVHITTESTINFO hit{};
    hit.pt.x = GET_X_LPARAM(lp);
    hit.pt.y = GET_Y_LPARAM(lp);
    SendMessageA(hwnd_, TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
    if (flags)
        *flags = hit.flags;
    return (hit.flags & TVHT_ONITEM) && hit.hItem ? FromItem(hit.hItem) : nullptr;
}

bool TreeView::OnOwnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result)
{
    switch (msg) {
    case WM_RBUTTONDOWN: {
        // The control's own right-button handling runs a modal drag check that eats the
        // release: press, NodeClick and release are raised here in that order instead.
        int x, y;
        MouseToUnits(GET_X_LPARAM(lp), GET_Y_LPARAM(lp), x, y);
        MouseDown.Raise(Source("MouseDown"), vbRightButton, ShiftState(), x, y);
        if (!hwnd_)
            return true;
        if (Node::Ref n = HitNode(lp)) {
            n->Selected(true);
            NodeClick.Raise(Source("NodeClick"), n);
        }
        if (hwnd_)
            ::SetFocus(hwnd_);
        result = 0;
        return true;
    }
    case WM_CHECKCHANGED: {
        if (Node::Ref n = FromItem(reinterpret_cast<HTREEITEM>(lp)))
            NodeCheck.Raise(Source("NodeCheck"), n);
        result = 0;
        return true;
    }
    default:
        return false;
    }
    (void)wp;
}

bool TreeView::OnReflected(UINT msg, WPARAM, LPARAM lp, LRESULT& result)
{
    if (msg != WM_NOTIFY)
        return false;
    auto* hdr = reinterpret_cast<NMHDR*>(lp);
    switch (hdr->code) {
    case TVN_DELETEITEMA:
    case TVN_DELETEITEMW:
        Forget(reinterpret_cast<NMTREEVIEWA*>(lp)->itemOld.hItem);
        return true;
    case TVN_SELCHANGEDA:
    case TVN_SELCHANGEDW: {
        auto* nm = reinterpret_cast<NMTREEVIEWA*>(lp);
        if (!quiet_ && nm->action == TVC_BYKEYBOARD)
            if (Node::Ref n = FromItem(nm->itemNew.hItem))
                NodeClick.Raise(Source("NodeClick"), n);
        return true;
    }
    case NM_CLICK: {
        DWORD pos = GetMessagePos();
        POINT pt{GET_X_LPARAM(pos), GET_Y_LPARAM(pos)};
        ScreenToClient(hwnd_, &pt);
        UINT flags = 0;
        Node::Ref n = HitNode(MAKELPARAM(pt.x, pt.y), &flags);
        if (n && (flags & TVHT_ONITEMSTATEICON) && checkboxes_) {
            // The state flips after this notification.
            PostMessageA(hwnd_, WM_CHECKCHANGED, 0, reinterpret_cast<LPARAM>(n->item_));
        } else if (n) {
            n->Selected(true);
            NodeClick.Raise(Source("NodeClick"), n);
        }
        result = 0;
        return true;
    }
    case TVN_ITEMEXPANDEDA:
    case TVN_ITEMEXPANDEDW: {
        auto* nm = reinterpret_cast<NMTREEVIEWA*>(lp);
        if (Node::Ref n = FromItem(nm->itemNew.hItem)) {
            if (nm->action & TVE_EXPAND)
                Expand.Raise(Source("Expand"), n);
            else
                Collapse.Raise(Source("Collapse"), n);
        }
        return true;
    }
    default:
        return false;
    }
}

}  // namespace platform::forms
