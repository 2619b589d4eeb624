#include "platform/controls/CommandButton.h"

namespace platform::forms {

void CommandButton::Caption(const std::string& v)
{
    caption_ = v;
    if (hwnd_)
        SetWindowTextA(hwnd_, v.c_str());
}

void CommandButton::Value(bool v)
{
    if (v) {
        EnsureLoaded();
        Click.Raise(Source("Click"));
    }
}

HWND CommandButton::CreateWindowFor(HWND parent, int id)
{
    return MakeWindow("BUTTON", caption_, WS_TABSTOP | (default_ ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON), 0, parent, id);
}

bool CommandButton::OnReflected(UINT msg, WPARAM wp, LPARAM, LRESULT& result)
{
    if (msg == WM_COMMAND && HIWORD(wp) == BN_CLICKED) {
        Click.Raise(Source("Click"));
        result = 0;
        return true;
    }
    return false;
}

bool CommandButton::OnDialogCommand(int id)
{
    if ((id == IDOK && default_) || (id == IDCANCEL && cancel_)) {
        if (hwnd_ && IsWindowEnabled(hwnd_) && IsWindowVisible(hwnd_))
            Click.Raise(Source("Click"));
        return true;
    }
    return false;
}

}  // namespace platform::forms
