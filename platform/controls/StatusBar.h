#pragma once
// A status bar under the class name the docking library counts as a bar; aligned to the
// bottom of its form. Panels show text or the live Caps / Num lock state.
#include <string>
#include <vector>

#include "platform/forms/Control.h"

namespace platform::forms {

enum PanelStyleConstants { sbrText = 0, sbrCaps = 1, sbrNum = 2 };

class StatusBar : public Control {
public:
    StatusBar(Form& form, std::string name, int index = -1);
    // Adds a panel (width in twips; the last panel takes the rest); returns its 1-based index.
    int AddPanel(const std::string& text, int widthTwips, int style = sbrText);
    int PanelCount() const { return static_cast<int>(panels_.size()); }
    std::string PanelText(int index) const;
    void PanelText(int index, const std::string& text);
    // Simple mode: one text over the whole bar.
    void SimpleText(const std::string& text);

protected:
    HWND CreateWindowFor(HWND parent, int id) override;
    void AfterCreate() override;
    bool OnOwnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

private:
    struct Panel {
        std::string text;
        int width;
        int style;
    };
    void Apply();
    std::string Shown(const Panel& p) const;
    std::vector<Panel> panels_;
};

// A slider (track bar): Min may be negative; Scroll while dragged, Change when it settles.
class Slider : public Control {
public:
    Slider(Form& form, std::string name, int index = -1);
    int Min() const { return min_; }
    void Min(int v);
    int Max() const { return max_; }
    void Max(int v);
    int Value() const;
    void Value(int v);
    void TickFrequency(int v) { tick_ = v; }

    Event<> Scroll;
    Event<> Change;

protected:
    HWND CreateWindowFor(HWND parent, int id) override;
    bool OnReflected(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

private:
    int min_ = 0, max_ = 10, value_ = 0, tick_ = 1;
};

}  // namespace platform::forms
