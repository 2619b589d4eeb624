#pragma once
// Check box and option button: Click is raised whenever the value changes, by the user or
// from code (an option button only when it becomes selected).
#include "platform/forms/Control.h"

namespace platform::forms {

enum CheckBoxConstants { vbUnchecked = 0, vbChecked = 1, vbGrayed = 2 };
enum ButtonStyleConstants { vbButtonStandard = 0, vbButtonGraphical = 1 };

class CheckBox : public Control {
public:
    using Control::Control;
    const std::string& Caption() const { return caption_; }
    void Caption(const std::string& v);
    int Value() const { return value_; }
    // 0, 1 or 2 (error 380 otherwise).
    void Value(int v);
    // Graphical: a push-like button (design time).
    void Style(int v) { style_ = v; }

    Event<> Click;

protected:
    HWND CreateWindowFor(HWND parent, int id) override;
    bool OnReflected(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

private:
    std::string caption_;
    int value_ = vbUnchecked;
    int style_ = vbButtonStandard;
};

class OptionButton : public Control {
public:
    using Control::Control;
    const std::string& Caption() const { return caption_; }
    void Caption(const std::string& v);
    bool Value() const { return value_; }
    // True selects this one and clears the others of the same container.
    void Value(bool v);
    void Style(int v) { style_ = v; }

    Event<> Click;

protected:
    HWND CreateWindowFor(HWND parent, int id) override;
    bool OnReflected(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

private:
    void SetState(bool v);
    std::string caption_;
    bool value_ = false;
    int style_ = vbButtonStandard;
};

}  // namespace platform::forms
