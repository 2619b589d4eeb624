#pragma once
// A window that shows the forms layer at work (menu, toolbar, status bar, tree, list and
// rich text), shown by the program until its own main window exists.
#include "platform/controls/ListView.h"
#include "platform/controls/RichTextBox.h"
#include "platform/controls/StatusBar.h"
#include "platform/controls/Toolbar.h"
#include "platform/controls/TreeView.h"
#include "platform/forms/Form.h"
#include "platform/forms/Menu.h"

namespace platform::forms {

class frmDemo : public Form {
public:
    frmDemo();
    Menu mnuFile{*this, "mnuFile"};
    Menu mnuFileRefresh{*this, "mnuFileRefresh"};
    Menu mnuFileSep{*this, "mnuFileSep"};
    Menu mnuFileExit{*this, "mnuFileExit"};
    Menu mnuView{*this, "mnuView"};
    Menu mnuViewBold{*this, "mnuViewBold"};
    Toolbar tbMain{*this, "tbMain"};
    StatusBar sb{*this, "sb"};
    TreeView tvFonts{*this, "tvFonts"};
    ListView lvFaces{*this, "lvFaces"};
    RichTextBox rtbSample{*this, "rtbSample"};

    // Fills the tree from the installed font families (called on load and by Refresh).
    void FillFonts();
    void ShowSample(const std::string& face);

protected:
    void Design() override;
    void Form_Load() override;
    void Form_Resize() override;
};

}  // namespace platform::forms
