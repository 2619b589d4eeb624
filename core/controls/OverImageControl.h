#pragma once
// The shaped icon overlay (OverImage) as a control of a form.
#include <windows.h>

#include <string>

#include "platform/forms/Control.h"

class OverImageControl : public platform::forms::Control {
public:
    OverImageControl(platform::forms::Form& form, std::string name, int index = -1)
        : Control(form, std::move(name), index) {}
    // The icon shown (not owned: it must outlive the control).
    HICON Picture() const { return picture_; }
    void Picture(HICON icon);

protected:
    HWND CreateWindowFor(HWND parent, int id) override;

private:
    HICON picture_ = nullptr;
};
