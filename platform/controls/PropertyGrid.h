#pragma once
// The property grid window over its row model: category headers in first-seen order,
// rows labelled by caption, a description panel, and in-place editors by row type. An
// editor is closed before its value is committed, so handlers may set rows freely.
#include <memory>
#include <string>

#include "platform/controls/PropertyGridModel.h"
#include "platform/forms/Control.h"
#include "platform/forms/Subclass.h"

namespace platform::forms {

class PropertyGrid : public Control {
public:
    PropertyGrid(Form& form, std::string name, int index = -1);
    ~PropertyGrid() override;

    PropertyGridModel& Items() { return model_; }
    PropertyItem& Item(const std::string& name) { return model_.Item(name); }
    PropertyItem& Add(const std::string& name, int type, const std::string& category, const PropValue& value,
                      bool editable, const std::string& caption, const std::string& description)
    {
        PropertyItem& i = model_.Add(name, type, category, value, editable, caption, description);
        Refresh();
        return i;
    }
    void Clear();
    void Refresh();
    // The end of set-up (rows may still change afterwards).
    void EndInit() { Refresh(); }
    // Height of the description panel, twips.
    void HeaderHeight(int twips);
    void CategoryForeColor(OleColor c) { categoryFore_ = c; Refresh(); }

    // The row at a client point (nullptr on headers, the panel, or nothing).
    PropertyItem* RowAt(int x, int y);
    // Opens the editor of a row (as Enter or a double click does); false when it has none.
    bool BeginEdit(PropertyItem& item);
    // The open text editor (nullptr when none).
    HWND EditorWindow() const { return editor_; }
    // Commits or drops the open editor.
    void EndEdit(bool commit);

protected:
    HWND CreateWindowFor(HWND parent, int id) override;
    bool OnOwnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

private:
    struct Line {
        std::string category;  // a header line when item is null
        PropertyItem* item;
    };
    std::vector<Line> Lines();
    int LineHeight();
    void Paint(HDC dc);
    RECT ValueRect(PropertyItem& item);
    PropertyGridModel model_;
    int header_ = 1000;
    OleColor categoryFore_ = SysColor(COLOR_GRAYTEXT);
    int top_ = 0;
    HWND editor_ = nullptr;
    PropertyItem* editing_ = nullptr;
    Subclass editorHook_;
    bool ending_ = false;
};

}  // namespace platform::forms
