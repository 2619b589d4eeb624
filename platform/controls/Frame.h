#pragma once
// A frame: a captioned group that contains other controls.
#include "platform/forms/Control.h"

namespace platform::forms {

class Frame : public Control {
public:
    using Control::Control;
    const std::string& Caption() const { return caption_; }
    void Caption(const std::string& v);
    // 0 none, 1 the etched group line (design time).
    void BorderStyle(int v) { border_ = v; }

    Event<> Click;

protected:
    HWND CreateWindowFor(HWND parent, int id) override;
    bool OnOwnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
    bool IsContainer() const override { return true; }
    void AfterMouseUp(int button) override
    {
        if (button == vbLeftButton)
            Click.Raise(Source("Click"));
    }

private:
    std::string caption_;
    int border_ = 1;
};

// Horizontal and vertical scroll bars. Min may be greater than Max (the bar then runs
// backwards); Change is raised on every value change, Scroll while the thumb is dragged.
class ScrollBar : public Control {
public:
    ScrollBar(Form& form, std::string name, bool vertical, int index = -1);
    int Min() const { return min_; }
    void Min(int v);
    int Max() const { return max_; }
    void Max(int v);
    int Value() const { return value_; }
    // Between Min and Max (error 380 otherwise).
    void Value(int v);
    int SmallChange() const { return small_; }
    void SmallChange(int v) { small_ = v < 1 ? 1 : v; }
    int LargeChange() const { return large_; }
    void LargeChange(int v);

    Event<> Change;
    Event<> Scroll;

protected:
    HWND CreateWindowFor(HWND parent, int id) override;
    bool OnReflected(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

private:
    void Sync();
    int Span() const { return max_ > min_ ? max_ - min_ : min_ - max_; }
    int Dir() const { return max_ >= min_ ? 1 : -1; }
    void SetFromPosition(int pos, bool tracking);
    bool vertical_;
    int min_ = 0, max_ = 32767, value_ = 0, small_ = 1, large_ = 1;
};

class HScrollBar : public ScrollBar {
public:
    HScrollBar(Form& form, std::string name, int index = -1) : ScrollBar(form, std::move(name), false, index) {}
};

class VScrollBar : public ScrollBar {
public:
    VScrollBar(Form& form, std::string name, int index = -1) : ScrollBar(form, std::move(name), true, index) {}
};

}  // namespace platform::forms
