// The property grid window: clicks, in-place editors, and commits that reach the model
// only after the editor is closed.
#include <windows.h>

#include <gtest/gtest.h>

#include "platform/controls/PropertyGrid.h"
#include "platform/forms/Form.h"
#include "platform/forms/MessageLoop.h"

using namespace platform::forms;

namespace {
class frmProps : public Form {
public:
    frmProps() : Form("frmPropertyViewer") {}
    PropertyGrid pw1{*this, "pw1"};

protected:
    void Design() override
    {
        ClientSize(5000, 5000);
        pw1.Move(0, 0, 5000, 5000);
    }
};

POINT RowPoint(PropertyGrid& g, const std::string& name)
{
    RECT r;
    GetClientRect(g.Window(), &r);
    for (int y = 1; y < r.bottom; y += 2)
        if (PropertyItem* i = g.RowAt(5, y); i && i->Name() == name)
            return POINT{5, y};
    return POINT{-1, -1};
}
}  // namespace

TEST(PropertyGridWindow, ClickSelectsEditCommitsAfterTheEditorCloses)
{
    auto f = std::make_shared<frmProps>();
    f->Show();
    PropertyGrid& g = f->pw1;
    g.Add("Custom Text", ptText, "Display", PropValue::Of("abc"), true, "Custom text", "Your own text");
    g.Add("Size", ptInteger, "Display", PropValue::Of(12), true, "", "");
    g.Add("Bold", ptBoolean, "Style", PropValue::Of(false), true, "", "");
    g.Add("Face", ptText, "", PropValue::Of("Arial"), false, "", "");
    g.Item("size").Min(8);
    g.Item("size").Max(96);
    g.EndInit();

    std::vector<std::string> events;
    bool editorOpenDuringChange = false;
    g.Items().PropertyClick = [&](PropertyItem& i) { events.push_back("click " + i.Name()); };
    g.Items().PropertyChange = [&](PropertyItem& i) {
        editorOpenDuringChange = editorOpenDuringChange || g.EditorWindow() != nullptr;
        events.push_back("change " + i.Name() + "=" + i.Value().Display());
        if (i.Name() == "Custom Text")
            g.Item("Size").Value(PropValue::Of(20));  // nested set from a handler
    };

    POINT p = RowPoint(g, "Custom Text");
    ASSERT_GE(p.y, 0);
    SendMessageA(g.Window(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
    SendMessageA(g.Window(), WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
    EXPECT_EQ(g.Items().Selected(), &g.Item("Custom Text"));

    ASSERT_TRUE(g.BeginEdit(g.Item("Custom Text")));
    ASSERT_NE(g.EditorWindow(), nullptr);
    SetWindowTextA(g.EditorWindow(), "xyz");
    SendMessageA(g.EditorWindow(), WM_KEYDOWN, VK_RETURN, 0);
    DoEvents();
    EXPECT_EQ(g.EditorWindow(), nullptr);
    EXPECT_FALSE(editorOpenDuringChange);

    // Esc drops the edit; a number outside Min..Max is refused quietly.
    g.BeginEdit(g.Item("Size"));
    SetWindowTextA(g.EditorWindow(), "50");
    SendMessageA(g.EditorWindow(), WM_KEYDOWN, VK_ESCAPE, 0);
    DoEvents();
    g.BeginEdit(g.Item("Size"));
    SetWindowTextA(g.EditorWindow(), "500");
    g.EndEdit(true);
    EXPECT_EQ(g.Item("Size").Value().number, 20);

    g.BeginEdit(g.Item("Bold"));  // a Boolean row flips at once
    EXPECT_FALSE(g.BeginEdit(g.Item("Face"))) << "read-only rows open no editor";
    EXPECT_EQ(events, (std::vector<std::string>{"click Custom Text", "change Custom Text=xyz", "change Size=20",
                                                "change Bold=True"}));
    f->Unload(vbFormCode);
}
