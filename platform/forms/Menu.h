#pragma once
// A menu item of a form: a bar title, a popup item, a separator ("-") or a leaf command.
// Items are declared in order; Parent() nests an item under another.
#include <windows.h>

#include <string>
#include <vector>

#include "platform/forms/Component.h"
#include "platform/forms/Dispatch.h"

namespace platform::forms {

class Menu : public Component {
public:
    Menu(Form& form, std::string name, int index = -1);
    ~Menu() override;

    using Component::Parent;
    // Design: nest this item under parent (before the form loads).
    void Parent(Menu& parent);
    Menu* ParentMenu() const { return parent_; }
    const std::vector<Menu*>& Items() const { return children_; }

    const std::string& Caption() const { return caption_; }
    void Caption(const std::string& v);
    // The shortcut, shown after a tab exactly as given ("Ctrl+F", "F5", "Shift+Del").
    const std::string& Shortcut() const { return shortcut_; }
    void Shortcut(const std::string& v);
    bool Checked() const { return checked_; }
    void Checked(bool v);
    bool Enabled() const { return enabled_; }
    void Enabled(bool v);
    bool Visible() const { return visible_; }
    void Visible(bool v);

    int CommandId() const { return id_; }
    HMENU Popup() const { return popup_; }
    // The item text as the menu shows it: caption, tab, shortcut.
    std::string ItemText() const;

    // Raised when a command is chosen, and for a title when its popup opens.
    Event<> Click;
    void RaiseClick() { Click.Raise(Source("Click")); }

    // Tests choose from popup menus through this (returns the chosen item's command id, 0
    // for none) instead of the modal tracking; nullptr restores the real menus.
    using PopupChooser = int (*)(Menu& popup);
    static void SetPopupChooser(PopupChooser chooser);
    static PopupChooser GetPopupChooser();

    // Parses "Ctrl+Shift+F5" style text; false when it is no key.
    static bool ParseShortcut(const std::string& text, ACCEL& out);

protected:
    void Create() override {}
    void Destroy() override;

private:
    friend class Form;
    void Build(HMENU into);
    void FillInfo(MENUITEMINFOA& mii, std::string& text) const;
    int Position() const;
    void Apply();
    const std::vector<Menu*>& Siblings() const;

    Menu* parent_ = nullptr;
    std::vector<Menu*> children_;
    std::string caption_, shortcut_;
    bool checked_ = false, enabled_ = true, visible_ = true;
    int id_;
    HMENU popup_ = nullptr;
    HMENU in_ = nullptr;
};

}  // namespace platform::forms
