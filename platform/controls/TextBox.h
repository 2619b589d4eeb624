#pragma once
// A text box: Change is raised whenever the text changes, by typing or from code.
#include "platform/forms/Control.h"

namespace platform::forms {

class TextBox : public Control {
public:
    TextBox(Form& form, std::string name, int index = -1);
    std::string Text() const;
    void Text(const std::string& v);
    // Design time: several lines, scroll bars (0 none, 1 horizontal, 2 vertical, 3 both).
    void MultiLine(bool v) { multiLine_ = v; }
    void ScrollBars(int v) { scrollBars_ = v; }
    // 0 left, 1 right, 2 centre (design time).
    void Alignment(int v) { align_ = v; }
    void PasswordChar(char c) { password_ = c; }
    bool Locked() const { return locked_; }
    void Locked(bool v);
    int MaxLength() const { return maxLength_; }
    void MaxLength(int v);
    int SelStart() const;
    void SelStart(int v);
    int SelLength() const;
    void SelLength(int v);
    std::string SelText() const;
    // Replaces the selection (appends when the caret is at the end).
    void SelText(const std::string& v);

    Event<> Change;

protected:
    HWND CreateWindowFor(HWND parent, int id) override;
    bool OnReflected(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
    void BeforeDestroy() override;

private:
    std::string text_;
    bool multiLine_ = false, locked_ = false;
    int scrollBars_ = 0, align_ = 0, maxLength_ = 0;
    char password_ = 0;
    int quiet_ = 0;
};

class Label : public Control {
public:
    Label(Form& form, std::string name, int index = -1);
    const std::string& Caption() const { return caption_; }
    void Caption(const std::string& v);
    // 0 left, 1 right, 2 centre.
    void Alignment(int v);
    void WordWrap(bool v) { wordWrap_ = v; }
    // 0 transparent, 1 opaque.
    void BackStyle(int v);
    void UseMnemonic(bool v) { mnemonic_ = v; }
    // 0 none, 1 fixed single.
    void BorderStyle(int v) { border_ = v; }

    Event<> Click;

protected:
    HWND CreateWindowFor(HWND parent, int id) override;
    bool OnReflected(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

private:
    DWORD StaticStyle() const;
    std::string caption_;
    int align_ = 0, backStyle_ = 1, border_ = 0;
    bool wordWrap_ = true, mnemonic_ = true;
};

}  // namespace platform::forms
