#include "platform/controls/CheckBox.h"

#include "platform/QlError.h"
#include "platform/forms/Form.h"

namespace platform::forms {

void CheckBox::Caption(const std::string& v)
{
    caption_ = v;
    if (hwnd_)
        SetWindowTextA(hwnd_, v.c_str());
}

void CheckBox::Value(int v)
{
    if (v < 0 || v > 2)
        throw QlError(380, Name(), "Invalid property value");
    EnsureLoaded();
    if (v == value_)
        return;
    value_ = v;
    if (hwnd_)
        SendMessageA(hwnd_, BM_SETCHECK, static_cast<WPARAM>(v), 0);
    Click.Raise(Source("Click"));
}

HWND CheckBox::CreateWindowFor(HWND parent, int id)
{
    // Not an automatic style: the state changes here, so a click and code behave alike.
    DWORD style = WS_TABSTOP | BS_3STATE | (style_ == vbButtonGraphical ? BS_PUSHLIKE : 0);
    HWND h = MakeWindow("BUTTON", caption_, style, 0, parent, id);
    if (h)
        SendMessageA(h, BM_SETCHECK, static_cast<WPARAM>(value_), 0);
    return h;
}

bool CheckBox::OnReflected(UINT msg, WPARAM wp, LPARAM, LRESULT& result)
{
    if (msg == WM_COMMAND && HIWORD(wp) == BN_CLICKED) {
        Value(value_ == vbChecked ? vbUnchecked : vbChecked);
        result = 0;
        return true;
    }
    return false;
}

void OptionButton::Caption(const std::string& v)
{
    caption_ = v;
    if (hwnd_)
        SetWindowTextA(hwnd_, v.c_str());
}

void OptionButton::SetState(bool v)
{
    value_ = v;
    if (hwnd_)
        SendMessageA(hwnd_, BM_SETCHECK, v ? BST_CHECKED : BST_UNCHECKED, 0);
}

void OptionButton::Value(bool v)
{
    EnsureLoaded();
    if (v == value_)
        return;
    if (!v) {
        SetState(false);
        return;
    }
    for (Component* c : form_.Components()) {
        auto* o = dynamic_cast<OptionButton*>(c);
        if (o && o != this && o->Container() == Container() && o->value_)
            o->SetState(false);
    }
    SetState(true);
    Click.Raise(Source("Click"));
}

HWND OptionButton::CreateWindowFor(HWND parent, int id)
{
    DWORD style = WS_TABSTOP | BS_RADIOBUTTON | (style_ == vbButtonGraphical ? BS_PUSHLIKE : 0);
    HWND h = MakeWindow("BUTTON", caption_, style, 0, parent, id);
    if (h)
        SendMessageA(h, BM_SETCHECK, value_ ? BST_CHECKED : BST_UNCHECKED, 0);
    return h;
}

bool OptionButton::OnReflected(UINT msg, WPARAM wp, LPARAM, LRESULT& result)
{
    if (msg == WM_COMMAND && HIWORD(wp) == BN_CLICKED) {
        Value(true);
        result = 0;
        return true;
    }
    return false;
}

}  // namespace platform::forms
