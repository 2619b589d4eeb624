#pragma once
// A list of the files of one folder matching a pattern ("*.ttf;*.otf"), sorted by name.
#include "platform/controls/ListBox.h"

namespace platform::forms {

class FileListBox : public ListBox {
public:
    FileListBox(Form& form, std::string name, int index = -1);
    const std::string& Path() const { return path_; }
    // Lists the folder (a missing folder is error 76, the list unchanged).
    void Path(const std::string& folder);
    const std::string& Pattern() const { return pattern_; }
    void Pattern(const std::string& v);
    // The selected file's name (no folder), empty when none.
    std::string FileName() const;
    void ShowHidden(bool v) { hidden_ = v; }
    void Refresh();

    Event<> PathChange;
    Event<> PatternChange;

protected:
    void AfterCreate() override;

private:
    std::string path_, pattern_ = "*.*";
    bool hidden_ = false;
};

}  // namespace platform::forms
