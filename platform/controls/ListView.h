#pragma once
// A list view in report mode. Items are found by string key or 1-based index (indices
// follow removals); ItemClick is raised for the user's selections only.
#include <windows.h>
#include <commctrl.h>

#include <map>
#include <string>
#include <vector>

#include "platform/forms/Control.h"

namespace platform::forms {

enum ListSortOrderConstants { lvwAscending = 0, lvwDescending = 1 };

class ListView : public Control {
public:
    ListView(Form& form, std::string name, int index = -1);
    // Column headers (width in twips, zero allowed); returns the 1-based column index.
    int AddColumn(const std::string& text, int widthTwips);
    void ClearColumns();
    int ColumnCount() const;
    // index 0 appends, else inserts at the 1-based index. Returns the new item's index.
    int AddItem(const std::string& key, const std::string& text, int index = 0);
    int Count() const;
    // 1-based index of a key, 0 when missing.
    int IndexOf(const std::string& key) const;
    std::string Key(int index) const;
    std::string Text(int index) const;
    void Text(int index, const std::string& v);
    // Sub-items: column 1 is the first after the item text.
    std::string SubItem(int index, int column) const;
    void SubItem(int index, int column, const std::string& v);
    bool Checked(int index) const;
    void Checked(int index, bool v);
    bool Selected(int index) const;
    // Selects from code: no ItemClick.
    void Selected(int index, bool v);
    int SelectedIndex() const;
    void EnsureVisible(int index);
    void Remove(int index);
    void Clear();
    // Design: check boxes; full row select.
    void Checkboxes(bool v);
    void FullRowSelect(bool v) { fullRow_ = v; }
    // Sorts once by a column (0 = item text) as text, case-insensitive.
    void Sort(int column, int order);
    void BeginUpdate();
    void EndUpdate();

    Event<int> ItemClick;    // index
    Event<int> ItemCheck;    // index
    Event<int> ColumnClick;  // 1-based column

protected:
    HWND CreateWindowFor(HWND parent, int id) override;
    void AfterCreate() override;
    bool OnReflected(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

private:
    void CheckIndex(int index) const;
    int IndexOfId(LPARAM id) const;
    std::map<LPARAM, std::string> keys_;
    LPARAM nextId_ = 1;
    bool checkboxes_ = false, fullRow_ = true;
    int quiet_ = 0;
    int sortColumn_ = 0, sortOrder_ = 0;
    friend int CALLBACK CompareListItems(LPARAM, LPARAM, LPARAM);
};

}  // namespace platform::forms
