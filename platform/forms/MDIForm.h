#pragma once
// The MDI main form: a frame with an MDI client. Aligned bars (status bar, toolbars,
// picture boxes) are laid out on every resize and the client takes the rest, placed here
// rather than by the system (which would give it the whole area under the bars).
#include "platform/forms/Form.h"

namespace platform::forms {

class MDIForm : public Form {
public:
    explicit MDIForm(std::string name) : Form(std::move(name)) {}
    ~MDIForm() override;
    HWND MDIClient() const { return client_; }
    // The loaded MDI main form, if any (MDI children open in it).
    static MDIForm* Current();
    // The active MDI child form.
    Form* ActiveForm() const;

protected:
    const char* WindowClass() const override;
    HWND CreateFormWindow(DWORD style, DWORD exStyle, const RECT& outer) override;
    LRESULT DefaultProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) override;
    void LayoutAligned() override;
    bool BeforeUnload(int mode) override;

private:
    HWND client_ = nullptr;
};

}  // namespace platform::forms
