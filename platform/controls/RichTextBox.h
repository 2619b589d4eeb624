#pragma once
// A rich text box over RichEdit 2.0: its text limit is raised well past the default, and
// bulk fills run with drawing and undo off.
#include <string>

#include "platform/forms/Control.h"

namespace platform::forms {

class RichTextBox : public Control {
public:
    RichTextBox(Form& form, std::string name, int index = -1);
    std::string Text() const;
    void Text(const std::string& v);
    int SelStart() const;
    void SelStart(int v);
    int SelLength() const;
    void SelLength(int v);
    std::string SelText() const;
    void SelText(const std::string& v);
    std::string SelFontName() const;
    void SelFontName(const std::string& v);
    double SelFontSize() const;
    void SelFontSize(double points);
    bool SelBold() const;
    void SelBold(bool v);
    bool SelItalic() const;
    void SelItalic(bool v);
    bool SelUnderline() const;
    void SelUnderline(bool v);
    COLORREF SelColor() const;
    void SelColor(COLORREF c);
    void SelCharset(int charset);
    void MultiLine(bool v) { multiLine_ = v; }
    void ScrollBars(int v) { scrollBars_ = v; }
    void Locked(bool v);
    // The box's own background (RichEdit paints it itself), also at run time.
    using Control::BackColor;
    void BackColor(OleColor c);
    // Appends at the end with the selection format given.
    void Append(const std::string& text);
    // Replaces everything with RTF.
    void TextRTF(const std::string& rtf);
    // Replaces the selection with RTF (at the caret: inserts there).
    void SelRTF(const std::string& rtf);
    // Replaces the window with a fresh empty one with the design values (emptying a very
    // long text costs far more under Wine). Not while an update is running.
    void Recreate();
    // Bulk fills: drawing and undo stay off until the matching EndUpdate.
    void BeginUpdate();
    void EndUpdate();

    Event<> Change;

protected:
    HWND CreateWindowFor(HWND parent, int id) override;
    void AfterCreate() override;
    bool OnReflected(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

private:
    void SetFormat(DWORD mask, DWORD effects, const void* extra = nullptr);
    bool multiLine_ = true, locked_ = false;
    int scrollBars_ = 3;
    int updating_ = 0;
    bool redrawOff_ = false;
};

}  // namespace platform::forms
