#pragma once
// A toolbar: an outer window under the class name the docking library measures, with the
// system's toolbar inside. Buttons are found by exact key.
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "platform/forms/Control.h"

namespace platform::forms {

class ImageList;

enum ButtonStyleToolbar { tbrDefault = 0, tbrCheck = 1, tbrButtonGroup = 2, tbrSeparator = 3, tbrPlaceholder = 4,
                          tbrDropdown = 5 };

class Toolbar : public Control {
public:
    Toolbar(Form& form, std::string name, int index = -1);
    // image: 1-based index in the image list (0 none). Returns the 1-based button index.
    int AddButton(const std::string& key, const std::string& caption, int style = tbrDefault, int image = 0);
    // A drop-down button's menu entry ("-" for a separator).
    void AddButtonMenu(const std::string& buttonKey, const std::string& key, const std::string& text);
    int ButtonCount() const { return static_cast<int>(buttons_.size()); }
    // 1-based index of a key (exact), error 35601 when missing.
    int ButtonIndex(const std::string& key) const;
    const std::string& ButtonKey(int index) const;
    int ButtonStyle(int index) const;
    bool ButtonEnabled(const std::string& key) const;
    void ButtonEnabled(const std::string& key, bool v);
    // Check buttons: pressed state.
    bool ButtonValue(const std::string& key) const;
    void ButtonValue(const std::string& key, bool v);
    void ButtonToolTip(const std::string& key, const std::string& text);
    // Placeholders: width in twips.
    int ButtonWidthOf(int index) const;
    void ButtonWidthOf(const std::string& key, int twips);
    void ImageList(platform::forms::ImageList& images);
    // The system toolbar inside.
    HWND ToolbarWindow() const { return bar_; }
    int ButtonHeight() const;
    int ButtonWidth() const;

    Event<const std::string&> ButtonClick;                      // key
    Event<const std::string&, const std::string&> ButtonMenuClick;  // button key, menu key

    // Tests choose drop-down entries through this instead of the modal menu (0 = none,
    // else the 1-based entry).
    using MenuChooser = int (*)(Toolbar& bar, const std::string& buttonKey);
    static void SetMenuChooser(MenuChooser chooser);

    ~Toolbar() override;
    // The by-name face the docking library reads on toolbar panes: "hWnd", "Buttons"
    // ("_NewEnum" of buttons with "Width" and "Style"), "ButtonHeight", "ButtonWidth",
    // "Style", puts of "Appearance" and "Wrappable"; it answers the toolbar interface ids.
    IUnknown* ContainedObject() override;
    bool Wrappable() const { return wrappable_; }
    void Wrappable(bool v);

protected:
    HWND CreateWindowFor(HWND parent, int id) override;
    void AfterCreate() override;
    bool OnOwnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

private:
    struct ButtonMenu {
        std::string key, text;
    };
    struct Button {
        std::string key, caption, tip;
        int style, image;
        int command;
        bool enabled = true, value = false;
        int width = 0;
        std::vector<ButtonMenu> menu;
    };
    Button& Find(const std::string& key);
    const Button& Find(const std::string& key) const;
    void Insert(const Button& b);
    void Fit();
    std::vector<Button> buttons_;
    HWND bar_ = nullptr;
    platform::forms::ImageList* images_ = nullptr;
    class NameDispatch* face_ = nullptr;
    bool wrappable_ = false;
    int appearance_ = 1;
};

}  // namespace platform::forms
