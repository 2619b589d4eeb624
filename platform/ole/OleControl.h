#pragma once
// An in-process ActiveX control hosted on a form: created by class identifier (or from a
// given class factory), activated through IQuickActivate when it offers it (else client
// site and in-place activation), with design values put before activation, events from
// its connection point, and late-bound calls by dispatch identifier or by name.
#include <windows.h>
#include <ocidl.h>
#include <oleauto.h>

#include <string>
#include <utility>
#include <vector>

#include "platform/forms/Component.h"
#include "platform/forms/Dispatch.h"

namespace platform::forms {

class ControlSite;

// A VARIANT that cleans up after itself.
struct Var {
    VARIANT v;
    Var() { VariantInit(&v); }
    Var(const Var& o) { VariantInit(&v); VariantCopy(&v, const_cast<VARIANT*>(&o.v)); }
    Var& operator=(const Var& o) { if (this != &o) { VariantClear(&v); VariantCopy(&v, const_cast<VARIANT*>(&o.v)); } return *this; }
    ~Var() { VariantClear(&v); }
    static Var I4(long x);
    static Var Bool(bool x);
    static Var Str(const std::string& s);
    static Var R4(float x);
    static Var Dispatch(IDispatch* d);
    long AsLong() const;
    bool AsBool() const;
    double AsDouble() const;
    std::string AsString() const;
};

class OleControl : public Component {
public:
    OleControl(Form& form, std::string name, int index = -1);
    ~OleControl() override;

    // Design: what to create. A factory (registration-free creation) wins over the CLSID.
    void ClassId(const CLSID& clsid) { clsid_ = clsid; }
    void Factory(IClassFactory* factory);
    // Design: the events interface to advise on (IID_NULL for none).
    void EventsInterface(const IID& iid) { eventsIid_ = iid; }
    // Design: a property put (by name) after InitNew, before activation.
    void DesignValue(const std::string& property, const Var& value) { design_.emplace_back(property, value); }
    // Design: position in twips on the form.
    void Move(int left, int top, int width, int height);

    // The control object (nullptr before the form loads or when creation failed).
    IUnknown* Object() const { return object_; }
    IDispatch* DispatchObject() const;
    // Window of the in-place active control (nullptr when windowless or inactive).
    HWND ControlWindow() const;
    bool Visible() const { return visible_; }
    void Visible(bool v);
    bool Created() const { return object_ != nullptr; }

    // Late binding; failures throw QlError with the HRESULT as number.
    DISPID IdOfName(const std::string& name) const;
    Var Invoke(DISPID id, WORD kind, const std::vector<Var>& args = {}) const;
    Var Get(const std::string& property) const { return Invoke(IdOfName(property), DISPATCH_PROPERTYGET); }
    void Put(const std::string& property, const Var& value) const;
    Var Call(const std::string& method, const std::vector<Var>& args = {}) const
    {
        return Invoke(IdOfName(method), DISPATCH_METHOD, args);
    }

    // An event of the control: its dispatch identifier and arguments (first argument first).
    Event<DISPID, const std::vector<Var>&> ControlEvent;

protected:
    void Create() override;
    void Destroy() override;

private:
    friend class ControlSite;
    CLSID clsid_ = CLSID_NULL;
    IID eventsIid_ = IID_NULL;
    IClassFactory* factory_ = nullptr;
    std::vector<std::pair<std::string, Var>> design_;
    int left_ = 0, top_ = 0, width_ = 480, height_ = 480;
    IUnknown* object_ = nullptr;
    ControlSite* site_ = nullptr;
    IConnectionPoint* cp_ = nullptr;
    DWORD cookie_ = 0;
    bool visible_ = true;
    bool inPlace_ = false;
};

// The container face of a form: IOleContainer (EnumObjects over the form's controls) and
// IDispatch with "Name", "hWnd", "ScaleMode", "Caption", "Icon". One per form, made on
// first use and kept for the form's life; the caller gets a reference of its own.
IOleContainer* FormContainer(Form& form);
// The form's IDispatch face (AddRef'ed).
IDispatch* FormDispatch(Form& form);
// Drops the form's container face (when the form object goes).
void ReleaseFormContainer(Form& form);

}  // namespace platform::forms
