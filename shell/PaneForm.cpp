#include "shell/PaneForm.h"

#include "platform/forms/Menu.h"
#include "platform/ScopedWin.h"
#include "shell/DockLibrary.h"
#include "shell/frmMain.h"

using platform::forms::Var;

PaneForm::PaneForm(std::string name) : Form(std::move(name)), row_(PaneTable::Find(Name()))
{
    FDPane1.ControlEvent = [this](DISPID id, const std::vector<Var>&) {
        if (id == static_cast<DISPID>(PaneEventId::OnShown)) {
            paneMade_ = true;
            OnShown();
        } else if (id == static_cast<DISPID>(PaneEventId::OnHidden)) {
            OnHidden();
        }
    };
}

PaneForm::~PaneForm() = default;

void PaneForm::Design()
{
    paneMade_ = false;
    platform::ComPtr<IClassFactory> factory(DockLibrary::ClassFactory(dock::kClsidFDPane));
    if (factory)
        FDPane1.Factory(factory.Get());
    else
        FDPane1.ClassId(dock::kClsidFDPane);
    FDPane1.EventsInterface(dock::kDiidPaneEvents);
    if (!row_ || designed_)
        return;
    designed_ = true;
    // Design values are put after InitNew, before activation; put them once per object.
    const PaneRow& r = *row_;
    FDPane1.DesignValue("FDType", Var::I4(static_cast<long>(r.type)));
    FDPane1.DesignValue("InitDockStyle", Var::I4(static_cast<long>(r.side)));
    FDPane1.DesignValue("CanDockLeft", Var::Bool(r.canLeft));
    FDPane1.DesignValue("CanDockTop", Var::Bool(r.canTop));
    FDPane1.DesignValue("CanDockRight", Var::Bool(r.canRight));
    FDPane1.DesignValue("CanDockBottom", Var::Bool(r.canBottom));
    FDPane1.DesignValue("PinState", Var::I4(static_cast<long>(r.pin)));
    FDPane1.DesignValue("InitDockHW", Var::I4(r.dockHW));
    FDPane1.DesignValue("InitFloatLeft", Var::I4(r.floatLeft));
    FDPane1.DesignValue("InitFloatTop", Var::I4(r.floatTop));
    FDPane1.DesignValue("InitFloatWidth", Var::I4(r.floatWidth));
    FDPane1.DesignValue("InitFloatHeight", Var::I4(r.floatHeight));
    FDPane1.DesignValue("PaneVisible", Var::Bool(true));
}

void PaneForm::PutPane(PaneDispId id, const Var& value)
{
    EnsureLoaded();
    FDPane1.Invoke(static_cast<DISPID>(id), DISPATCH_PROPERTYPUT, {value});
}

bool PaneForm::PaneVisible()
{
    EnsureLoaded();
    // The design value says "visible" before the pane exists; the user sees nothing yet.
    if (!paneMade_)
        return false;
    return FDPane1.Invoke(static_cast<DISPID>(PaneDispId::PaneVisible), DISPATCH_PROPERTYGET).AsBool();
}

void PaneForm::PaneVisible(bool visible)
{
    EnsureLoaded();
    if (visible && !paneMade_)
        Show();
    PutPane(PaneDispId::PaneVisible, Var::Bool(visible));
}

void PaneForm::InitDockStyle(DockStyle style) { PutPane(PaneDispId::InitDockStyle, Var::I4(static_cast<long>(style))); }

DockStyle PaneForm::CurrentDockStyle()
{
    EnsureLoaded();
    return static_cast<DockStyle>(
        FDPane1.Invoke(static_cast<DISPID>(PaneDispId::CurrentDockStyle), DISPATCH_PROPERTYGET).AsLong());
}

void PaneForm::SetLayoutReference(PaneForm& reference)
{
    EnsureLoaded();
    reference.EnsureLoaded();
    FDPane1.Invoke(static_cast<DISPID>(PaneDispId::SetLayoutReference), DISPATCH_METHOD,
                   {Var::Dispatch(reference.FDPane1.DispatchObject())});
}

void PaneForm::PinState(PinType pin) { PutPane(PaneDispId::PinState, Var::I4(static_cast<long>(pin))); }

void PaneForm::InitDockHW(short size) { PutPane(PaneDispId::InitDockHW, Var::I4(size)); }

void PaneForm::OnShown() { TickMenuItem(true); }

void PaneForm::OnHidden() { TickMenuItem(false); }

void PaneForm::TickMenuItem(bool checked)
{
    if (!row_ || !*row_->menu || !Forms::frmMain.IsLoaded())
        return;
    if (platform::forms::Menu* m = Forms::frmMain->FindMenu(row_->menu, row_->menuIndex))
        m->Checked(checked);
}
