#pragma once
// A window the docking frame can host: it carries the FDPane control FDPane1, created
// through the docking library with the design values of the window's row of the pane
// table, and ticks its item of the main window's menu while its pane is shown.
// Derived windows call PaneForm::Design() first in their own Design().
#include <string>

#include "platform/forms/Form.h"
#include "platform/ole/OleControl.h"
#include "shell/DockTypes.h"
#include "shell/PaneTable.h"

class PaneForm : public platform::forms::Form {
public:
    explicit PaneForm(std::string name);
    ~PaneForm() override;

    platform::forms::OleControl FDPane1{*this, "FDPane1"};

    // Typed calls on the pane; each loads the window when it is not loaded. A pane whose
    // window was never shown in this load is not visible.
    bool PaneVisible();
    // Showing a pane whose window was never shown in this load shows the window (the
    // library makes the pane window at the window's first show).
    void PaneVisible(bool visible);
    void InitDockStyle(DockStyle style);
    DockStyle CurrentDockStyle();
    void SetLayoutReference(PaneForm& reference);
    void PinState(PinType pin);
    void InitDockHW(short size);

    // The window's row of the pane table (nullptr for a window that is no pane).
    const PaneRow* Row() const { return row_; }

protected:
    void Design() override;
    // The pane was shown or hidden: tick or clear the row's menu item of the main window.
    virtual void OnShown();
    virtual void OnHidden();
    void TickMenuItem(bool checked);

private:
    void PutPane(PaneDispId id, const platform::forms::Var& value);
    const PaneRow* row_;
    bool paneMade_ = false;
    bool designed_ = false;
};
