#include "platform/controls/ListView.h"

#include "platform/QlError.h"
#include "platform/AnsiText.h"
#include "platform/forms/Screen.h"
#include "platform/forms/WindowClasses.h"

namespace platform::forms {

ListView::ListView(Form& form, std::string name, int index) : Control(form, std::move(name), index)
{
    BackColor(SysColor(COLOR_WINDOW));
}

HWND ListView::CreateWindowFor(HWND parent, int id)
{
    RegisterSuperclass(ListViewClassName(), WC_LISTVIEWA);
    return MakeWindow(ListViewClassName(), "", WS_TABSTOP | LVS_REPORT | LVS_SHOWSELALWAYS | LVS_SINGLESEL,
                      WS_EX_CLIENTEDGE, parent, id);
}

void ListView::AfterCreate()
{
    DWORD ex = LVS_EX_HEADERDRAGDROP;
    if (fullRow_)
        ex |= LVS_EX_FULLROWSELECT;
    if (checkboxes_)
        ex |= LVS_EX_CHECKBOXES;
    SendMessageA(hwnd_, LVM_SETEXTENDEDLISTVIEWSTYLE, ex, ex);
}

void ListView::Checkboxes(bool v)
{
    checkboxes_ = v;
    if (hwnd_)
        SendMessageA(hwnd_, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_CHECKBOXES, v ? LVS_EX_CHECKBOXES : 0);
}

int ListView::AddColumn(const std::string& text, int widthTwips)
{
    HWND h = hWnd();
    int n = ColumnCount();
    LVCOLUMNA c{};
    c.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
    c.pszText = const_cast<char*>(text.c_str());
    c.cx = TwipsToPixelsX(widthTwips < 0 ? 0 : widthTwips);
    c.iSubItem = n;
    SendMessageA(h, LVM_INSERTCOLUMNA, static_cast<WPARAM>(n), reinterpret_cast<LPARAM>(&c));
    return n + 1;
}

int ListView::ColumnCount() const
{
    HWND header = reinterpret_cast<HWND>(SendMessageA(hWnd(), LVM_GETHEADER, 0, 0));
    return header ? static_cast<int>(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0)) : 0;
}

void ListView::ClearColumns()
{
    HWND h = hWnd();
    for (int n = ColumnCount(); n > 0; --n)
        SendMessageA(h, LVM_DELETECOLUMN, static_cast<WPARAM>(n - 1), 0);
}

void ListView::CheckIndex(int index) const
{
    if (index < 1 || index > Count())
        throw QlError(35600, Name(), "Index out of bounds");
}

int ListView::AddItem(const std::string& key, const std::string& text, int index)
{
    HWND h = hWnd();
    if (!key.empty() && IndexOf(key))
        throw QlError(35602, Name(), "Key is not unique in collection");
    if (index < 0 || index > Count() + 1)
        throw QlError(35600, Name(), "Index out of bounds");
    LVITEMA it{};
    it.mask = LVIF_TEXT | LVIF_PARAM;
    it.iItem = index == 0 ? Count() : index - 1;
    it.pszText = const_cast<char*>(text.c_str());
    it.lParam = nextId_++;
    ++quiet_;
    int at = static_cast<int>(SendMessageA(h, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&it)));
    if (checkboxes_)
        ListView_SetCheckState(h, at, FALSE);
    --quiet_;
    if (at < 0)
        throw QlError(35600, Name(), "cannot add the item");
    keys_[it.lParam] = key;
    return at + 1;
}

int ListView::Count() const { return static_cast<int>(SendMessageA(hWnd(), LVM_GETITEMCOUNT, 0, 0)); }

int ListView::IndexOfId(LPARAM id) const
{
    LVFINDINFOA fi{};
    fi.flags = LVFI_PARAM;
    fi.lParam = id;
    return static_cast<int>(SendMessageA(hWnd(), LVM_FINDITEMA, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&fi))) + 1;
}

int ListView::IndexOf(const std::string& key) const
{
    for (auto& [id, k] : keys_)
        if (k == key)
            return IndexOfId(id);
    return 0;
}

static LPARAM IdAt(HWND h, int index)
{
    LVITEMA it{};
    it.mask = LVIF_PARAM;
    it.iItem = index - 1;
    SendMessageA(h, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&it));
    return it.lParam;
}

std::string ListView::Key(int index) const
{
    CheckIndex(index);
    auto it = keys_.find(IdAt(hWnd(), index));
    return it == keys_.end() ? std::string() : it->second;
}

std::string ListView::SubItem(int index, int column) const
{
    CheckIndex(index);
    char buf[1024] = {};
    LVITEMA it{};
    it.iSubItem = column;
    it.pszText = buf;
    it.cchTextMax = sizeof buf;
    SendMessageA(hWnd(), LVM_GETITEMTEXTA, static_cast<WPARAM>(index - 1), reinterpret_cast<LPARAM>(&it));
    return CutAtNul(std::string(buf, sizeof buf));
}

void ListView::SubItem(int index, int column, const std::string& v)
{
    CheckIndex(index);
    LVITEMA it{};
    it.iSubItem = column;
    it.pszText = const_cast<char*>(v.c_str());
    SendMessageA(hWnd(), LVM_SETITEMTEXTA, static_cast<WPARAM>(index - 1), reinterpret_cast<LPARAM>(&it));
}

std::string ListView::Text(int index) const { return SubItem(index, 0); }
void ListView::Text(int index, const std::string& v) { SubItem(index, 0, v); }

bool ListView::Checked(int index) const
{
    CheckIndex(index);
    return ListView_GetCheckState(hWnd(), index - 1) != 0;
}

void ListView::Checked(int index, bool v)
{
    CheckIndex(index);
    ++quiet_;
    ListView_SetCheckState(hWnd(), index - 1, v);
    --quiet_;
}

bool ListView::Selected(int index) const
{
    CheckIndex(index);
    return ListView_GetItemState(hWnd(), index - 1, LVIS_SELECTED) != 0;
}

void ListView::Selected(int index, bool v)
{
    CheckIndex(index);
    ++quiet_;
    ListView_SetItemState(hWnd(), index - 1, v ? (LVIS_SELECTED | LVIS_FOCUSED) : 0, LVIS_SELECTED | LVIS_FOCUSED);
    --quiet_;
}

int ListView::SelectedIndex() const
{
    return static_cast<int>(SendMessageA(hWnd(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED)) + 1;
}

void ListView::EnsureVisible(int index)
{
    CheckIndex(index);
    SendMessageA(hWnd(), LVM_ENSUREVISIBLE, static_cast<WPARAM>(index - 1), FALSE);
}

void ListView::Remove(int index)
{
    CheckIndex(index);
    LPARAM id = IdAt(hWnd(), index);
    ++quiet_;
    SendMessageA(hWnd(), LVM_DELETEITEM, static_cast<WPARAM>(index - 1), 0);
    --quiet_;
    keys_.erase(id);
}

void ListView::Clear()
{
    ++quiet_;
    SendMessageA(hWnd(), LVM_DELETEALLITEMS, 0, 0);
    --quiet_;
    keys_.clear();
}

namespace {
struct SortState {
    std::map<LPARAM, std::string> text;
    int order;
};
}  // namespace

int CALLBACK CompareListItems(LPARAM a, LPARAM b, LPARAM state)
{
    auto* st = reinterpret_cast<SortState*>(state);
    int c = lstrcmpiA(st->text[a].c_str(), st->text[b].c_str());
    return st->order == lvwDescending ? -c : c;
}

void ListView::Sort(int column, int order)
{
    sortColumn_ = column;
    sortOrder_ = order;
    // The texts are read before sorting: positions move while the control sorts.
    SortState st;
    st.order = order;
    for (int i = 1, n = Count(); i <= n; ++i)
        st.text[IdAt(hWnd(), i)] = SubItem(i, column);
    SendMessageA(hWnd(), LVM_SORTITEMS, reinterpret_cast<WPARAM>(&st), reinterpret_cast<LPARAM>(CompareListItems));
}

void ListView::BeginUpdate() { SendMessageA(hWnd(), WM_SETREDRAW, FALSE, 0); }

void ListView::EndUpdate()
{
    SendMessageA(hWnd(), WM_SETREDRAW, TRUE, 0);
    InvalidateRect(hWnd(), nullptr, TRUE);
}

bool ListView::OnReflected(UINT msg, WPARAM, LPARAM lp, LRESULT& result)
{
    if (msg != WM_NOTIFY)
        return false;
    auto* hdr = reinterpret_cast<NMHDR*>(lp);
    if (hdr->hwndFrom != hwnd_)
        return false;
    switch (hdr->code) {
    case LVN_ITEMCHANGED: {
        auto* nm = reinterpret_cast<NMLISTVIEW*>(lp);
        if (quiet_ || nm->iItem < 0 || !(nm->uChanged & LVIF_STATE))
            return true;
        if ((nm->uNewState & LVIS_SELECTED) && !(nm->uOldState & LVIS_SELECTED))
            ItemClick.Raise(Source("ItemClick"), nm->iItem + 1);
        if ((nm->uNewState & LVIS_STATEIMAGEMASK) != (nm->uOldState & LVIS_STATEIMAGEMASK) &&
            (nm->uOldState & LVIS_STATEIMAGEMASK))
            ItemCheck.Raise(Source("ItemCheck"), nm->iItem + 1);
        return true;
    }
    case LVN_COLUMNCLICK:
        ColumnClick.Raise(Source("ColumnClick"), reinterpret_cast<NMLISTVIEW*>(lp)->iSubItem + 1);
        return true;
    default:
        (void)result;
        return false;
    }
}

}  // namespace platform::forms
