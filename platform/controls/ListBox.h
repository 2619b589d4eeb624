#pragma once
// List box and combo box. Click is raised when the selection actually changes, by the
// user or from code; setting the current index again raises nothing.
#include <cstdint>

#include "platform/forms/Control.h"

namespace platform::forms {

class ListBox : public Control {
public:
    ListBox(Form& form, std::string name, int index = -1);
    // index -1 appends; the new item's index is NewIndex().
    void AddItem(const std::string& item, int index = -1);
    void RemoveItem(int index);
    void Clear();
    int ListCount() const;
    std::string List(int index) const;
    void List(int index, const std::string& text);
    int ListIndex() const;
    // -1 .. ListCount()-1 (error 380 otherwise).
    void ListIndex(int v);
    std::string Text() const;
    intptr_t ItemData(int index) const;
    void ItemData(int index, intptr_t v);
    int NewIndex() const { return newIndex_; }
    int TopIndex() const;
    void TopIndex(int v);
    // Design time: sorted, multi-select (0 none, 1 simple, 2 extended).
    void Sorted(bool v) { sorted_ = v; }
    void MultiSelect(int v) { multi_ = v; }
    bool Selected(int index) const;
    void Selected(int index, bool v);
    int SelCount() const;

    Event<> Click;

protected:
    HWND CreateWindowFor(HWND parent, int id) override;
    bool OnReflected(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
    virtual DWORD ExtraStyle() const { return 0; }
    void CheckIndex(int index) const;

    bool sorted_ = false;
    int multi_ = 0;
    int newIndex_ = -1;
    int last_ = -1;
};

enum ComboBoxConstants { vbComboDropdown = 0, vbComboSimple = 1, vbComboDropdownList = 2 };

class ComboBox : public Control {
public:
    ComboBox(Form& form, std::string name, int index = -1);
    void Style(int v) { style_ = v; }
    int Style() const { return style_; }
    void Sorted(bool v) { sorted_ = v; }
    void AddItem(const std::string& item, int index = -1);
    void RemoveItem(int index);
    void Clear();
    int ListCount() const;
    std::string List(int index) const;
    int ListIndex() const;
    void ListIndex(int v);
    intptr_t ItemData(int index) const;
    void ItemData(int index, intptr_t v);
    int NewIndex() const { return newIndex_; }
    std::string Text() const;
    // A drop-down list selects the matching entry (no match: the selection stays); an
    // editable combo takes the text and raises Change.
    void Text(const std::string& v);

    Event<> Click;
    Event<> Change;
    Event<> DropDown;

protected:
    HWND CreateWindowFor(HWND parent, int id) override;
    bool OnReflected(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

private:
    void CheckIndex(int index) const;
    int style_ = vbComboDropdown;
    bool sorted_ = false;
    int newIndex_ = -1;
    int last_ = -1;
    int quiet_ = 0;
    std::string text_;
};

}  // namespace platform::forms
