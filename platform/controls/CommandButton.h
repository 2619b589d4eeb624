#pragma once
#include "platform/forms/Control.h"

namespace platform::forms {

class CommandButton : public Control {
public:
    using Control::Control;
    const std::string& Caption() const { return caption_; }
    void Caption(const std::string& v);
    bool Default() const { return default_; }
    void Default(bool v) { default_ = v; }
    bool Cancel() const { return cancel_; }
    void Cancel(bool v) { cancel_ = v; }
    // Value = True clicks the button.
    void Value(bool v);

    Event<> Click;

protected:
    HWND CreateWindowFor(HWND parent, int id) override;
    bool OnReflected(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
    bool OnDialogCommand(int id) override;
    bool IsDefaultButton() const override { return default_; }

private:
    std::string caption_;
    bool default_ = false, cancel_ = false;
};

}  // namespace platform::forms
