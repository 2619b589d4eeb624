#include "platform/forms/Menu.h"

#include <algorithm>
#include <cctype>

#include "platform/forms/Form.h"

namespace platform::forms {

static int NextCommandId()
{
    static int next = 0x8000;
    if (++next > 0xEFFF)
        next = 0x8001;
    return next;
}

Menu::Menu(Form& form, std::string name, int index) : Component(form, std::move(name), index), id_(NextCommandId()) {}

Menu::~Menu()
{
    if (parent_)
        parent_->children_.erase(std::remove(parent_->children_.begin(), parent_->children_.end(), this),
                                 parent_->children_.end());
    for (Menu* c : children_)
        c->parent_ = nullptr;
}

void Menu::Parent(Menu& parent)
{
    if (parent_ == &parent || &parent == this)
        return;
    if (parent_)
        parent_->children_.erase(std::remove(parent_->children_.begin(), parent_->children_.end(), this),
                                 parent_->children_.end());
    parent_ = &parent;
    parent.children_.push_back(this);
}

std::string Menu::ItemText() const
{
    if (shortcut_.empty())
        return caption_;
    return caption_ + "\t" + shortcut_;
}

void Menu::Caption(const std::string& v)
{
    caption_ = v;
    Apply();
}

void Menu::Shortcut(const std::string& v)
{
    shortcut_ = v;
    Apply();
    form_.MenusChanged();
}

void Menu::Checked(bool v)
{
    checked_ = v;
    Apply();
}

void Menu::Enabled(bool v)
{
    enabled_ = v;
    Apply();
}

const std::vector<Menu*>& Menu::Siblings() const
{
    static std::vector<Menu*> none;
    if (parent_)
        return parent_->children_;
    return none;
}

int Menu::Position() const
{
    int pos = 0;
    if (parent_) {
        for (Menu* m : parent_->children_) {
            if (m == this)
                return pos;
            if (m->visible_)
                ++pos;
        }
        return pos;
    }
    for (Component* c : form_.Components()) {
        auto* m = dynamic_cast<Menu*>(c);
        if (!m || m->parent_)
            continue;
        if (m == this)
            return pos;
        if (m->visible_)
            ++pos;
    }
    return pos;
}

void Menu::FillInfo(MENUITEMINFOA& mii, std::string& text) const
{
    mii = MENUITEMINFOA{};
    mii.cbSize = sizeof mii;
    if (caption_ == "-") {
        mii.fMask = MIIM_FTYPE | MIIM_ID;
        mii.fType = MFT_SEPARATOR;
        mii.wID = static_cast<UINT>(id_);
        return;
    }
    text = ItemText();
    mii.fMask = MIIM_FTYPE | MIIM_STRING | MIIM_ID | MIIM_STATE | MIIM_SUBMENU;
    mii.fType = MFT_STRING;
    mii.dwTypeData = text.data();
    mii.wID = static_cast<UINT>(id_);
    mii.fState = (checked_ ? MFS_CHECKED : 0) | (enabled_ ? MFS_ENABLED : MFS_GRAYED);
    mii.hSubMenu = popup_;
}

void Menu::Build(HMENU into)
{
    if (!children_.empty()) {
        popup_ = CreatePopupMenu();
        for (Menu* c : children_)
            c->Build(popup_);
    }
    in_ = into;
    if (visible_ && into) {
        std::string text;
        MENUITEMINFOA mii;
        FillInfo(mii, text);
        InsertMenuItemA(into, GetMenuItemCount(into), TRUE, &mii);
    }
}

void Menu::Apply()
{
    if (!in_ || !visible_)
        return;
    std::string text;
    MENUITEMINFOA mii;
    FillInfo(mii, text);
    SetMenuItemInfoA(in_, static_cast<UINT>(Position()), TRUE, &mii);
    if (!parent_ && form_.Window())
        DrawMenuBar(form_.Window());
}

void Menu::Visible(bool v)
{
    if (v == visible_)
        return;
    if (!in_) {
        visible_ = v;
        return;
    }
    if (!v) {
        RemoveMenu(in_, static_cast<UINT>(Position()), MF_BYPOSITION);
        visible_ = false;
    } else {
        visible_ = true;
        std::string text;
        MENUITEMINFOA mii;
        FillInfo(mii, text);
        InsertMenuItemA(in_, static_cast<UINT>(Position()), TRUE, &mii);
    }
    if (!parent_)
        form_.UpdateMenuBar();
}

void Menu::Destroy()
{
    // The form destroys the menu handles as a tree; only forget them here.
    popup_ = nullptr;
    in_ = nullptr;
}

static Menu::PopupChooser g_chooser = nullptr;
void Menu::SetPopupChooser(PopupChooser chooser) { g_chooser = chooser; }
Menu::PopupChooser Menu::GetPopupChooser() { return g_chooser; }

static std::string Lower(std::string s)
{
    for (char& c : s)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

bool Menu::ParseShortcut(const std::string& text, ACCEL& out)
{
    out = ACCEL{};
    out.fVirt = FVIRTKEY;
    std::string rest = text;
    for (;;) {
        std::string l = Lower(rest);
        if (l.rfind("ctrl+", 0) == 0) {
            out.fVirt |= FCONTROL;
            rest = rest.substr(5);
        } else if (l.rfind("shift+", 0) == 0) {
            out.fVirt |= FSHIFT;
            rest = rest.substr(6);
        } else if (l.rfind("alt+", 0) == 0) {
            out.fVirt |= FALT;
            rest = rest.substr(4);
        } else {
            break;
        }
    }
    std::string key = Lower(rest);
    if (key.size() == 1 && std::isalnum(static_cast<unsigned char>(key[0]))) {
        out.key = static_cast<WORD>(std::toupper(static_cast<unsigned char>(key[0])));
        return true;
    }
    if (key.size() >= 2 && key[0] == 'f' && std::isdigit(static_cast<unsigned char>(key[1]))) {
        int n = std::atoi(key.c_str() + 1);
        if (n >= 1 && n <= 24) {
            out.key = static_cast<WORD>(VK_F1 + n - 1);
            return true;
        }
        return false;
    }
    struct Named { const char* name; WORD vk; };
    static const Named names[] = {{"del", VK_DELETE}, {"delete", VK_DELETE}, {"ins", VK_INSERT},
                                  {"insert", VK_INSERT}, {"bksp", VK_BACK}, {"backspace", VK_BACK},
                                  {"enter", VK_RETURN}, {"esc", VK_ESCAPE}, {"home", VK_HOME},
                                  {"end", VK_END}, {"pgup", VK_PRIOR}, {"pgdn", VK_NEXT},
                                  {"tab", VK_TAB}, {"space", VK_SPACE}};
    for (const auto& n : names)
        if (key == n.name) {
            out.key = n.vk;
            return true;
        }
    return false;
}

}  // namespace platform::forms
