#include "platform/ole/OleControl.h"

#include <olectl.h>

#include <algorithm>
#include <map>

#include "platform/QlError.h"
#include "platform/AnsiText.h"
#include "platform/ErrorReporter.h"
#include "platform/forms/Form.h"
#include "platform/forms/Screen.h"
#include "platform/ole/DispatchHelpers.h"
#include "platform/ole/RefCounted.h"
#include "platform/ole/SnapshotEnum.h"

namespace platform::forms {

// ---- Var ---------------------------------------------------------------------------------

Var Var::I4(long x) { Var r; r.v.vt = VT_I4; r.v.lVal = x; return r; }
Var Var::Bool(bool x) { Var r; r.v.vt = VT_BOOL; r.v.boolVal = x ? VARIANT_TRUE : VARIANT_FALSE; return r; }
Var Var::R4(float x) { Var r; r.v.vt = VT_R4; r.v.fltVal = x; return r; }

Var Var::Str(const std::string& s)
{
    Var r;
    std::u16string w = FromAnsi(s);
    r.v.vt = VT_BSTR;
    r.v.bstrVal = SysAllocStringLen(reinterpret_cast<const OLECHAR*>(w.data()), static_cast<UINT>(w.size()));
    return r;
}

Var Var::Dispatch(IDispatch* d)
{
    Var r;
    r.v.vt = VT_DISPATCH;
    r.v.pdispVal = d;
    if (d)
        d->AddRef();
    return r;
}

static bool Coerce(const VARIANT& in, VARTYPE vt, VARIANT& out)
{
    VariantInit(&out);
    return SUCCEEDED(VariantChangeType(&out, const_cast<VARIANT*>(&in), 0, vt));
}

long Var::AsLong() const
{
    VARIANT o;
    long r = Coerce(v, VT_I4, o) ? o.lVal : 0;
    VariantClear(&o);
    return r;
}

bool Var::AsBool() const
{
    VARIANT o;
    bool r = Coerce(v, VT_BOOL, o) && o.boolVal != VARIANT_FALSE;
    VariantClear(&o);
    return r;
}

double Var::AsDouble() const
{
    VARIANT o;
    double r = Coerce(v, VT_R8, o) ? o.dblVal : 0;
    VariantClear(&o);
    return r;
}

std::string Var::AsString() const
{
    VARIANT o;
    std::string r;
    if (Coerce(v, VT_BSTR, o) && o.bstrVal)
        r = ToAnsi(std::u16string_view(reinterpret_cast<const char16_t*>(o.bstrVal), SysStringLen(o.bstrVal)));
    VariantClear(&o);
    return r;
}

// ---- shared COM plumbing -------------------------------------------------------------------

namespace {

// A by-name dispatch table: names resolve to fixed ids, Invoke goes to a callback.
struct NameTable {
    std::vector<std::pair<const char*, DISPID>> names;
    HRESULT Resolve(LPOLESTR* rgszNames, UINT count, DISPID* ids) const
    {
        return ResolveNames(names, rgszNames, count, ids);
    }
};

struct UnknownItems {
    using Interface = IEnumUnknown;
    using Item = IUnknown*;
    using Out = IUnknown*;
    static const IID& Iid() { return IID_IEnumUnknown; }
    static void Hold(IUnknown* u) { u->AddRef(); }
    static void Drop(IUnknown* u) { u->Release(); }
    static void CopyOut(IUnknown* item, IUnknown*& out)
    {
        out = item;
        out->AddRef();
    }
};
using EnumUnknown = SnapshotEnum<UnknownItems>;

// The container and by-name face of one form.
class FormFace : public RefCounted<IOleContainer, IDispatch> {
public:
    explicit FormFace(Form* form) : form_(form) {}
    virtual ~FormFace() = default;
    Form* form_;

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override
    {
        if (riid == IID_IUnknown || riid == IID_IOleContainer || riid == IID_IParseDisplayName)
            *ppv = static_cast<IOleContainer*>(this);
        else if (riid == IID_IDispatch)
            *ppv = static_cast<IDispatch*>(this);
        else {
            *ppv = nullptr;
            return E_NOINTERFACE;
        }
        AddRef();
        return S_OK;
    }
    STDMETHODIMP ParseDisplayName(IBindCtx*, LPOLESTR, ULONG*, IMoniker**) override { return E_NOTIMPL; }
    STDMETHODIMP EnumObjects(DWORD, IEnumUnknown** out) override
    {
        std::vector<IUnknown*> items;
        if (form_) {
            for (Component* c : form_->Components()) {
                if (auto* o = dynamic_cast<OleControl*>(c); o && o->Object())
                    items.push_back(o->Object());
                else if (IUnknown* u = c->ContainedObject())
                    items.push_back(u);
            }
        }
        *out = new EnumUnknown(std::move(items));
        return S_OK;
    }
    STDMETHODIMP LockContainer(BOOL) override { return S_OK; }

    STDMETHODIMP GetTypeInfoCount(UINT* n) override { *n = 0; return S_OK; }
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override
    {
        static const NameTable table{{{"Name", 1}, {"hWnd", 2}, {"ScaleMode", 3}, {"Caption", 4}, {"Icon", 5},
                                      {"Tag", 6}, {"Visible", 7}}};
        return table.Resolve(names, count, ids);
    }
    STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS*, VARIANT* result, EXCEPINFO*, UINT*) override
    {
        if (!form_)
            return E_UNEXPECTED;
        if (!(flags & DISPATCH_PROPERTYGET))
            return DISP_E_MEMBERNOTFOUND;
        Var r;
        switch (id) {
        case 1: r = Var::Str(form_->Name()); break;
        case 2: r = Var::I4(static_cast<long>(reinterpret_cast<LONG_PTR>(form_->Window()))); break;
        case 3: r.v.vt = VT_I2; r.v.iVal = static_cast<SHORT>(form_->ScaleMode()); break;
        case 4: r = Var::Str(form_->Caption()); break;
        case 5: {
            IDispatch* pic = nullptr;
            if (HICON icon = form_->Icon()) {
                PICTDESC pd{};
                pd.cbSizeofstruct = sizeof pd;
                pd.picType = PICTYPE_ICON;
                pd.icon.hicon = icon;
                OleCreatePictureIndirect(&pd, IID_IDispatch, FALSE, reinterpret_cast<void**>(&pic));
            }
            r.v.vt = VT_DISPATCH;
            r.v.pdispVal = pic;
            break;
        }
        case 6: r = Var::Str(form_->Tag()); break;
        case 7: r = Var::Bool(form_->Visible()); break;
        default: return DISP_E_MEMBERNOTFOUND;
        }
        HandOut(r, result);
        return S_OK;
    }
};

std::map<Form*, FormFace*>& Faces()
{
    // Never destroyed: shared form instances are destroyed at exit, after this would be.
    static auto* faces = new std::map<Form*, FormFace*>;
    return *faces;
}

FormFace* FaceOf(Form& form)
{
    auto& m = Faces();
    auto it = m.find(&form);
    if (it != m.end())
        return it->second;
    auto* f = new FormFace(&form);
    m[&form] = f;
    return f;
}

}  // namespace

IOleContainer* FormContainer(Form& form)
{
    FormFace* f = FaceOf(form);
    f->AddRef();
    return f;
}

IDispatch* FormDispatch(Form& form)
{
    FormFace* f = FaceOf(form);
    f->AddRef();
    return f;
}

void ReleaseFormContainer(Form& form)
{
    auto& m = Faces();
    auto it = m.find(&form);
    if (it == m.end())
        return;
    it->second->form_ = nullptr;
    it->second->Release();
    m.erase(it);
}

// ---- the site of one control ---------------------------------------------------------------

class ControlSite
    : public RefCounted<IOleClientSite, IOleInPlaceSite, IOleControlSite, IOleInPlaceFrame, IDispatch> {
public:
    explicit ControlSite(OleControl* owner) : owner_(owner) {}
    virtual ~ControlSite() = default;
    OleControl* owner_;

    // A dispatch face that lives inside the site and shares its reference count.
    class SiteDispatch : public IDispatch {
    public:
        explicit SiteDispatch(ControlSite* site) : site_(site) {}
        ControlSite* site_;
        IID iid = IID_NULL;  // one more interface id answered, when set
        STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override
        {
            if (riid == IID_IUnknown || riid == IID_IDispatch || (riid == iid && iid != IID_NULL)) {
                *ppv = static_cast<IDispatch*>(this);
                AddRef();
                return S_OK;
            }
            *ppv = nullptr;
            return E_NOINTERFACE;
        }
        STDMETHODIMP_(ULONG) AddRef() override { return site_->AddRef(); }
        STDMETHODIMP_(ULONG) Release() override { return site_->Release(); }
        STDMETHODIMP GetTypeInfoCount(UINT* n) override { *n = 0; return S_OK; }
        STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    };

    // The extender: "Name", "Tag", "Parent", "Container", "Visible", "Object".
    class Extender : public SiteDispatch {
    public:
        using SiteDispatch::SiteDispatch;
        STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override
        {
            static const NameTable table{{{"Name", 1}, {"Tag", 2}, {"Parent", 3}, {"Container", 4},
                                          {"Visible", 5}, {"Object", 6}, {"Index", 7}}};
            return table.Resolve(names, count, ids);
        }
        STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result, EXCEPINFO*,
                            UINT*) override
        {
            OleControl* o = site_->owner_;
            if (!o)
                return E_UNEXPECTED;
            if (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) {
                if (!params || params->cArgs < 1)
                    return DISP_E_BADPARAMCOUNT;
                Var v;
                VariantCopy(&v.v, &params->rgvarg[0]);
                if (id == 5) {
                    o->Visible(v.AsBool());
                    return S_OK;
                }
                if (id == 2) {
                    o->Tag(v.AsString());
                    return S_OK;
                }
                return DISP_E_MEMBERNOTFOUND;
            }
            Var r;
            switch (id) {
            case 1: r = Var::Str(o->Name()); break;
            case 2: r = Var::Str(o->Tag()); break;
            case 3:
            case 4: {
                IDispatch* d = FormDispatch(o->Parent());
                r.v.vt = VT_DISPATCH;
                r.v.pdispVal = d;
                break;
            }
            case 5: r = Var::Bool(o->Visible()); break;
            case 6: r = Var::Dispatch(o->DispatchObject()); break;
            case 7: r = Var::I4(o->Index()); break;
            default: return DISP_E_MEMBERNOTFOUND;
            }
            HandOut(r, result);
            return S_OK;
        }
    } extender_{this};

    // The events sink handed to the control.
    class Sink : public SiteDispatch {
    public:
        using SiteDispatch::SiteDispatch;
        STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
        STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*, EXCEPINFO*, UINT*) override
        {
            OleControl* o = site_->owner_;
            if (!o)
                return S_OK;
            std::vector<Var> args;
            if (params)
                for (UINT i = params->cArgs; i-- > 0;) {
                    Var v;
                    VariantCopy(&v.v, &params->rgvarg[i]);
                    args.push_back(v);
                }
            o->ControlEvent.Raise(o->Source("Event"), id, args);
            return S_OK;
        }
    } sink_{this};

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override
    {
        if (riid == IID_IUnknown || riid == IID_IOleClientSite)
            *ppv = static_cast<IOleClientSite*>(this);
        else if (riid == IID_IOleWindow || riid == IID_IOleInPlaceSite)
            *ppv = static_cast<IOleInPlaceSite*>(this);
        else if (riid == IID_IOleControlSite)
            *ppv = static_cast<IOleControlSite*>(this);
        else if (riid == IID_IOleInPlaceFrame || riid == IID_IOleInPlaceUIWindow)
            *ppv = static_cast<IOleInPlaceFrame*>(this);
        else if (riid == IID_IDispatch)
            *ppv = static_cast<IDispatch*>(this);
        else {
            *ppv = nullptr;
            return E_NOINTERFACE;
        }
        AddRef();
        return S_OK;
    }

    // IOleClientSite
    STDMETHODIMP SaveObject() override { return S_OK; }
    STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker** m) override { *m = nullptr; return E_NOTIMPL; }
    STDMETHODIMP GetContainer(IOleContainer** c) override
    {
        if (!owner_) {
            *c = nullptr;
            return E_UNEXPECTED;
        }
        *c = FormContainer(owner_->Parent());
        return S_OK;
    }
    STDMETHODIMP ShowObject() override { return S_OK; }
    STDMETHODIMP OnShowWindow(BOOL) override { return S_OK; }
    STDMETHODIMP RequestNewObjectLayout() override { return E_NOTIMPL; }

    // IOleWindow (for the in-place site and the frame alike: the form's window)
    STDMETHODIMP GetWindow(HWND* w) override
    {
        *w = owner_ ? owner_->Parent().Window() : nullptr;
        return *w ? S_OK : E_FAIL;
    }
    STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

    // IOleInPlaceSite
    STDMETHODIMP CanInPlaceActivate() override { return S_OK; }
    STDMETHODIMP OnInPlaceActivate() override
    {
        if (owner_)
            owner_->inPlace_ = true;
        return S_OK;
    }
    STDMETHODIMP OnUIActivate() override { return S_OK; }
    STDMETHODIMP GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** doc, LPRECT pos, LPRECT clip,
                                  LPOLEINPLACEFRAMEINFO info) override
    {
        *frame = static_cast<IOleInPlaceFrame*>(this);
        AddRef();
        *doc = nullptr;
        RECT r = Rect();
        *pos = r;
        *clip = r;
        if (info) {
            info->fMDIApp = FALSE;
            info->hwndFrame = owner_ ? owner_->Parent().Window() : nullptr;
            info->haccel = nullptr;
            info->cAccelEntries = 0;
        }
        return S_OK;
    }
    STDMETHODIMP Scroll(SIZE) override { return E_NOTIMPL; }
    STDMETHODIMP OnUIDeactivate(BOOL) override { return S_OK; }
    STDMETHODIMP OnInPlaceDeactivate() override
    {
        if (owner_)
            owner_->inPlace_ = false;
        return S_OK;
    }
    STDMETHODIMP DiscardUndoState() override { return S_OK; }
    STDMETHODIMP DeactivateAndUndo() override { return S_OK; }
    STDMETHODIMP OnPosRectChange(LPCRECT) override { return S_OK; }

    // IOleInPlaceUIWindow / IOleInPlaceFrame: no toolbars or menus are negotiated.
    STDMETHODIMP GetBorder(LPRECT) override { return INPLACE_E_NOTOOLSPACE; }
    STDMETHODIMP RequestBorderSpace(LPCBORDERWIDTHS) override { return INPLACE_E_NOTOOLSPACE; }
    STDMETHODIMP SetBorderSpace(LPCBORDERWIDTHS) override { return S_OK; }
    STDMETHODIMP SetActiveObject(IOleInPlaceActiveObject*, LPCOLESTR) override { return S_OK; }
    STDMETHODIMP InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS) override { return E_NOTIMPL; }
    STDMETHODIMP SetMenu(HMENU, HOLEMENU, HWND) override { return S_OK; }
    STDMETHODIMP RemoveMenus(HMENU) override { return E_NOTIMPL; }
    STDMETHODIMP SetStatusText(LPCOLESTR) override { return S_OK; }
    STDMETHODIMP EnableModeless(BOOL) override { return S_OK; }
    STDMETHODIMP TranslateAccelerator(LPMSG, WORD) override { return S_FALSE; }

    // IOleControlSite
    STDMETHODIMP OnControlInfoChanged() override { return S_OK; }
    STDMETHODIMP LockInPlaceActive(BOOL) override { return S_OK; }
    STDMETHODIMP GetExtendedControl(IDispatch** d) override
    {
        *d = &extender_;
        extender_.AddRef();
        return S_OK;
    }
    STDMETHODIMP TransformCoords(POINTL* himetric, POINTF* cont, DWORD flags) override
    {
        // Container units are twips here.
        if (flags & XFORMCOORDS_HIMETRICTOCONTAINER) {
            cont->x = static_cast<float>(himetric->x * 1440.0 / 2540.0);
            cont->y = static_cast<float>(himetric->y * 1440.0 / 2540.0);
        } else {
            himetric->x = static_cast<LONG>(cont->x * 2540.0 / 1440.0);
            himetric->y = static_cast<LONG>(cont->y * 2540.0 / 1440.0);
        }
        return S_OK;
    }
    STDMETHODIMP TranslateAccelerator(MSG*, DWORD) override { return S_FALSE; }
    STDMETHODIMP OnFocus(BOOL) override { return S_OK; }
    STDMETHODIMP ShowPropertyFrame() override { return E_NOTIMPL; }

    // IDispatch: ambient properties
    STDMETHODIMP GetTypeInfoCount(UINT* n) override { *n = 0; return S_OK; }
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override
    {
        static const NameTable table{{{"UserMode", DISPID_AMBIENT_USERMODE},
                                      {"DisplayName", DISPID_AMBIENT_DISPLAYNAME},
                                      {"LocaleID", DISPID_AMBIENT_LOCALEID}}};
        return table.Resolve(names, count, ids);
    }
    STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS*, VARIANT* result, EXCEPINFO*, UINT*) override
    {
        Var r;
        switch (id) {
        case DISPID_AMBIENT_USERMODE: r = Var::Bool(true); break;
        case DISPID_AMBIENT_UIDEAD: r = Var::Bool(false); break;
        case DISPID_AMBIENT_SHOWGRABHANDLES:
        case DISPID_AMBIENT_SHOWHATCHING: r = Var::Bool(false); break;
        case DISPID_AMBIENT_DISPLAYNAME: r = Var::Str(owner_ ? owner_->Name() : ""); break;
        case DISPID_AMBIENT_LOCALEID: r = Var::I4(static_cast<long>(GetUserDefaultLCID())); break;
        case DISPID_AMBIENT_MESSAGEREFLECT: r = Var::Bool(false); break;
        default: return DISP_E_MEMBERNOTFOUND;
        }
        HandOut(r, result);
        return S_OK;
    }

    RECT Rect() const
    {
        if (!owner_)
            return RECT{0, 0, 0, 0};
        RECT r;
        r.left = TwipsToPixelsX(owner_->left_);
        r.top = TwipsToPixelsY(owner_->top_);
        r.right = r.left + TwipsToPixelsX(owner_->width_);
        r.bottom = r.top + TwipsToPixelsY(owner_->height_);
        return r;
    }
};

// ---- OleControl ----------------------------------------------------------------------------

OleControl::OleControl(Form& form, std::string name, int index) : Component(form, std::move(name), index) {}

OleControl::~OleControl()
{
    Destroy();
    if (factory_)
        factory_->Release();
}

void OleControl::Factory(IClassFactory* factory)
{
    if (factory)
        factory->AddRef();
    if (factory_)
        factory_->Release();
    factory_ = factory;
}

void OleControl::Move(int left, int top, int width, int height)
{
    if (width < 0 || height < 0)
        throw QlError(380, Name(), "Invalid property value");
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    if (!object_ || !inPlace_)
        return;
    IOleInPlaceObject* ip = nullptr;
    if (SUCCEEDED(object_->QueryInterface(IID_IOleInPlaceObject, reinterpret_cast<void**>(&ip)))) {
        RECT r = site_->Rect();
        ip->SetObjectRects(&r, &r);
        ip->Release();
    }
}

IDispatch* OleControl::DispatchObject() const
{
    IDispatch* d = nullptr;
    if (object_ && SUCCEEDED(object_->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&d))))
        d->Release();  // borrowed: the control keeps it alive
    return d;
}

HWND OleControl::ControlWindow() const
{
    HWND w = nullptr;
    IOleInPlaceObject* ip = nullptr;
    if (object_ && SUCCEEDED(object_->QueryInterface(IID_IOleInPlaceObject, reinterpret_cast<void**>(&ip)))) {
        ip->GetWindow(&w);
        ip->Release();
    }
    return w;
}

void OleControl::Visible(bool v)
{
    visible_ = v;
    if (HWND w = ControlWindow())
        ShowWindow(w, v ? SW_SHOWNA : SW_HIDE);
}

static void Check(HRESULT hr, const std::string& source, const char* what)
{
    if (FAILED(hr))
        throw QlError(static_cast<int32_t>(hr), source, what);
}

void OleControl::Create()
{
    if (object_)
        return;
    // The UI thread is an OLE apartment (repeated calls only count up).
    static bool oleReady = SUCCEEDED(OleInitialize(nullptr));
    (void)oleReady;
    HWND formWnd = form_.Window();
    if (!formWnd)
        return;
    IUnknown* obj = nullptr;
    HRESULT hr = factory_ ? factory_->CreateInstance(nullptr, IID_IUnknown, reinterpret_cast<void**>(&obj))
                          : CoCreateInstance(clsid_, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown,
                                             reinterpret_cast<void**>(&obj));
    Check(hr, Name(), "the control cannot be created");
    object_ = obj;
    site_ = new ControlSite(this);
    site_->sink_.iid = eventsIid_;

    IOleObject* ole = nullptr;
    object_->QueryInterface(IID_IOleObject, reinterpret_cast<void**>(&ole));
    DWORD misc = 0;
    if (ole)
        ole->GetMiscStatus(DVASPECT_CONTENT, &misc);

    IQuickActivate* qa = nullptr;
    bool quick = false;
    if (SUCCEEDED(object_->QueryInterface(IID_IQuickActivate, reinterpret_cast<void**>(&qa)))) {
        QACONTAINER qc{};
        qc.cbSize = sizeof qc;
        qc.pClientSite = static_cast<IOleClientSite*>(site_);
        qc.pUnkEventSink = eventsIid_ != IID_NULL ? static_cast<IUnknown*>(&site_->sink_) : nullptr;
        qc.dwAmbientFlags = QACONTAINER_USERMODE | QACONTAINER_MESSAGEREFLECT | QACONTAINER_AUTOCLIP;
        qc.lcid = GetUserDefaultLCID();
        qc.colorFore = GetSysColor(COLOR_WINDOWTEXT);
        qc.colorBack = GetSysColor(COLOR_BTNFACE);
        QACONTROL ctl{};
        ctl.cbSize = sizeof ctl;
        quick = SUCCEEDED(qa->QuickActivate(&qc, &ctl));
        if (quick) {
            cookie_ = ctl.dwEventCookie;
            misc = ctl.dwMiscStatus;
        }
        qa->Release();
    }
    if (!quick && ole && !(misc & OLEMISC_SETCLIENTSITEFIRST))
        ole->SetClientSite(static_cast<IOleClientSite*>(site_));

    IPersistStreamInit* psi = nullptr;
    IPersistPropertyBag* ppb = nullptr;
    if (SUCCEEDED(object_->QueryInterface(IID_IPersistStreamInit, reinterpret_cast<void**>(&psi)))) {
        psi->InitNew();
        psi->Release();
    } else if (SUCCEEDED(object_->QueryInterface(IID_IPersistPropertyBag, reinterpret_cast<void**>(&ppb)))) {
        ppb->InitNew();
        ppb->Release();
    }
    if (!quick && ole && (misc & OLEMISC_SETCLIENTSITEFIRST))
        ole->SetClientSite(static_cast<IOleClientSite*>(site_));

    for (auto& [prop, value] : design_) {
        try {
            Put(prop, value);
        } catch (const QlError& e) {
            ReportError(Source("Design"), e.Number, "property " + prop + ": " + e.Description);
        }
    }

    // Events through the connection point, unless quick activation advised already.
    if (eventsIid_ != IID_NULL && cookie_ == 0) {
        IConnectionPointContainer* cpc = nullptr;
        if (SUCCEEDED(object_->QueryInterface(IID_IConnectionPointContainer, reinterpret_cast<void**>(&cpc)))) {
            if (SUCCEEDED(cpc->FindConnectionPoint(eventsIid_, &cp_)))
                cp_->Advise(static_cast<IUnknown*>(&site_->sink_), &cookie_);
            cpc->Release();
        }
    } else if (eventsIid_ != IID_NULL) {
        IConnectionPointContainer* cpc = nullptr;
        if (SUCCEEDED(object_->QueryInterface(IID_IConnectionPointContainer, reinterpret_cast<void**>(&cpc)))) {
            cpc->FindConnectionPoint(eventsIid_, &cp_);
            cpc->Release();
        }
    }

    if (ole && !(misc & OLEMISC_INVISIBLEATRUNTIME)) {
        RECT r = site_->Rect();
        ole->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, static_cast<IOleClientSite*>(site_), 0, formWnd, &r);
        if (!visible_)
            Visible(false);
    }
    if (ole)
        ole->Release();
}

void OleControl::Destroy()
{
    if (!object_)
        return;
    if (cp_) {
        if (cookie_)
            cp_->Unadvise(cookie_);
        cp_->Release();
        cp_ = nullptr;
    }
    cookie_ = 0;
    IOleInPlaceObject* ip = nullptr;
    if (SUCCEEDED(object_->QueryInterface(IID_IOleInPlaceObject, reinterpret_cast<void**>(&ip)))) {
        ip->InPlaceDeactivate();
        ip->Release();
    }
    IOleObject* ole = nullptr;
    if (SUCCEEDED(object_->QueryInterface(IID_IOleObject, reinterpret_cast<void**>(&ole)))) {
        ole->Close(OLECLOSE_NOSAVE);
        ole->SetClientSite(nullptr);
        ole->Release();
    }
    IUnknown* obj = object_;
    object_ = nullptr;
    inPlace_ = false;
    obj->Release();
    // The control may still hold the site: it only loses its way back here.
    site_->owner_ = nullptr;
    site_->Release();
    site_ = nullptr;
}

DISPID OleControl::IdOfName(const std::string& name) const
{
    IDispatch* d = DispatchObject();
    if (!d)
        throw QlError(438, Name(), "Object doesn't support this property or method");
    std::u16string w = FromAnsi(name);
    LPOLESTR n = reinterpret_cast<LPOLESTR>(w.data());
    DISPID id = DISPID_UNKNOWN;
    HRESULT hr = d->GetIDsOfNames(IID_NULL, &n, 1, LOCALE_USER_DEFAULT, &id);
    if (FAILED(hr))
        throw QlError(438, Name(), "Object doesn't support this property or method: " + name);
    return id;
}

Var OleControl::Invoke(DISPID id, WORD kind, const std::vector<Var>& args) const
{
    IDispatch* d = DispatchObject();
    if (!d)
        throw QlError(438, Name(), "Object doesn't support this property or method");
    std::vector<VARIANT> rev(args.size());
    for (size_t i = 0; i < args.size(); ++i)
        rev[args.size() - 1 - i] = args[i].v;  // last argument first
    DISPPARAMS dp{};
    dp.cArgs = static_cast<UINT>(rev.size());
    dp.rgvarg = rev.empty() ? nullptr : rev.data();
    DISPID named = DISPID_PROPERTYPUT;
    if (kind & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) {
        dp.cNamedArgs = 1;
        dp.rgdispidNamedArgs = &named;
    }
    Var result;
    EXCEPINFO ex{};
    UINT bad = 0;
    HRESULT hr = d->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, kind, &dp, &result.v, &ex, &bad);
    if (ex.bstrSource)
        SysFreeString(ex.bstrSource);
    if (ex.bstrDescription)
        SysFreeString(ex.bstrDescription);
    if (ex.bstrHelpFile)
        SysFreeString(ex.bstrHelpFile);
    if (FAILED(hr))
        throw QlError(static_cast<int32_t>(hr), Name(), "the control refused the call");
    return result;
}

void OleControl::Put(const std::string& property, const Var& value) const
{
    Invoke(IdOfName(property), DISPATCH_PROPERTYPUT, {value});
}

}  // namespace platform::forms
