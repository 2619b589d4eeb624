#pragma once
// An image: shows an icon or a bitmap (not owned), stretched or at its own size; Click.
#include "platform/forms/Control.h"

namespace platform::forms {

class Image : public Control {
public:
    using Control::Control;
    void Picture(HANDLE picture, bool isIcon);
    HANDLE Picture() const { return picture_; }
    void Stretch(bool v);

    Event<> Click;

protected:
    HWND CreateWindowFor(HWND parent, int id) override;
    bool OnOwnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
    void AfterMouseUp(int button) override
    {
        if (button == vbLeftButton)
            Click.Raise(Source("Click"));
    }

private:
    HANDLE picture_ = nullptr;
    bool icon_ = false, stretch_ = false;
};

}  // namespace platform::forms
