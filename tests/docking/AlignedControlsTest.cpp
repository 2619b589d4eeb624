// Aligned controls of the host form found through the container's objects.
#include "docking/frame/DockFrameBase.h"

#include <gtest/gtest.h>
#include <olectl.h>

#include <string>
#include <vector>

namespace {

const CLSID kAligned = {0x9E6A5B24, 0x1FBC, 0x42D9, {0x87, 0x0D, 0x07, 0xD5, 0xC5, 0x73, 0x80, 0x75}};
const CLSID kOther = {0x11111111, 0x2222, 0x3333, {0, 0, 0, 0, 0, 0, 0, 1}};

// Extender of one control: "Align", "Height", "Width", "Visible".
struct Extender : IDispatch {
    int align;
    float height, width;
    bool visible;
    Extender(int a, float h, float w, bool v) : align(a), height(h), width(w), visible(v) {}
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override
    {
        if (riid == IID_IUnknown || riid == IID_IDispatch) { *ppv = this; return S_OK; }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }
    STDMETHODIMP GetTypeInfoCount(UINT* n) override { *n = 0; return S_OK; }
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR* names, UINT, LCID, DISPID* id) override
    {
        const std::wstring n = names[0];
        const wchar_t* known[] = {L"Align", L"Height", L"Width", L"Visible"};
        for (int i = 0; i < 4; ++i)
            if (lstrcmpiW(n.c_str(), known[i]) == 0) { *id = i + 1; return S_OK; }
        return DISP_E_UNKNOWNNAME;
    }
    STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS*, VARIANT* r, EXCEPINFO*, UINT*) override
    {
        VariantInit(r);
        switch (id) {
        case 1: V_VT(r) = VT_I2; V_I2(r) = static_cast<short>(align); break;
        case 2: V_VT(r) = VT_R4; V_R4(r) = height; break;
        case 3: V_VT(r) = VT_R4; V_R4(r) = width; break;
        default: V_VT(r) = VT_BOOL; V_BOOL(r) = visible ? VARIANT_TRUE : VARIANT_FALSE; break;
        }
        return S_OK;
    }
};

// A control: its object, its site (window and extender) in one.
struct Control : IOleObject, IOleClientSite, IOleInPlaceSite, IOleControlSite {
    CLSID clsid;
    HWND window;
    Extender extender;
    Control(REFCLSID c, HWND w, Extender e) : clsid(c), window(w), extender(e) {}
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override
    {
        if (riid == IID_IUnknown || riid == IID_IOleObject) *ppv = static_cast<IOleObject*>(this);
        else if (riid == IID_IOleClientSite) *ppv = static_cast<IOleClientSite*>(this);
        else if (riid == IID_IOleInPlaceSite || riid == IID_IOleWindow) *ppv = static_cast<IOleInPlaceSite*>(this);
        else if (riid == IID_IOleControlSite) *ppv = static_cast<IOleControlSite*>(this);
        else { *ppv = nullptr; return E_NOINTERFACE; }
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }
    // IOleObject: what the frame asks
    STDMETHODIMP GetUserClassID(CLSID* c) override { *c = clsid; return S_OK; }
    STDMETHODIMP GetClientSite(IOleClientSite** s) override { *s = this; return S_OK; }
    STDMETHODIMP SetClientSite(IOleClientSite*) override { return S_OK; }
    STDMETHODIMP SetHostNames(LPCOLESTR, LPCOLESTR) override { return S_OK; }
    STDMETHODIMP Close(DWORD) override { return S_OK; }
    STDMETHODIMP SetMoniker(DWORD, IMoniker*) override { return E_NOTIMPL; }
    STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker**) override { return E_NOTIMPL; }
    STDMETHODIMP InitFromData(IDataObject*, BOOL, DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP GetClipboardData(DWORD, IDataObject**) override { return E_NOTIMPL; }
    STDMETHODIMP DoVerb(LONG, LPMSG, IOleClientSite*, LONG, HWND, LPCRECT) override { return E_NOTIMPL; }
    STDMETHODIMP EnumVerbs(IEnumOLEVERB**) override { return E_NOTIMPL; }
    STDMETHODIMP Update() override { return S_OK; }
    STDMETHODIMP IsUpToDate() override { return S_OK; }
    STDMETHODIMP GetUserType(DWORD, LPOLESTR*) override { return E_NOTIMPL; }
    STDMETHODIMP SetExtent(DWORD, SIZEL*) override { return E_NOTIMPL; }
    STDMETHODIMP GetExtent(DWORD, SIZEL*) override { return E_NOTIMPL; }
    STDMETHODIMP Advise(IAdviseSink*, DWORD*) override { return E_NOTIMPL; }
    STDMETHODIMP Unadvise(DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP EnumAdvise(IEnumSTATDATA**) override { return E_NOTIMPL; }
    STDMETHODIMP GetMiscStatus(DWORD, DWORD*) override { return E_NOTIMPL; }
    STDMETHODIMP SetColorScheme(LOGPALETTE*) override { return E_NOTIMPL; }
    // IOleClientSite
    STDMETHODIMP SaveObject() override { return S_OK; }
    STDMETHODIMP GetContainer(IOleContainer**) override { return E_NOINTERFACE; }
    STDMETHODIMP ShowObject() override { return S_OK; }
    STDMETHODIMP OnShowWindow(BOOL) override { return S_OK; }
    STDMETHODIMP RequestNewObjectLayout() override { return E_NOTIMPL; }
    // IOleInPlaceSite
    STDMETHODIMP GetWindow(HWND* w) override { *w = window; return S_OK; }
    STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
    STDMETHODIMP CanInPlaceActivate() override { return S_OK; }
    STDMETHODIMP OnInPlaceActivate() override { return S_OK; }
    STDMETHODIMP OnUIActivate() override { return S_OK; }
    STDMETHODIMP GetWindowContext(IOleInPlaceFrame**, IOleInPlaceUIWindow**, LPRECT, LPRECT, LPOLEINPLACEFRAMEINFO) override
    {
        return E_NOTIMPL;
    }
    STDMETHODIMP Scroll(SIZE) override { return E_NOTIMPL; }
    STDMETHODIMP OnUIDeactivate(BOOL) override { return S_OK; }
    STDMETHODIMP OnInPlaceDeactivate() override { return S_OK; }
    STDMETHODIMP DiscardUndoState() override { return S_OK; }
    STDMETHODIMP DeactivateAndUndo() override { return S_OK; }
    STDMETHODIMP OnPosRectChange(LPCRECT) override { return S_OK; }
    // IOleControlSite
    STDMETHODIMP OnControlInfoChanged() override { return S_OK; }
    STDMETHODIMP LockInPlaceActive(BOOL) override { return S_OK; }
    STDMETHODIMP GetExtendedControl(IDispatch** d) override { *d = &extender; return S_OK; }
    STDMETHODIMP TransformCoords(POINTL*, POINTF*, DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP TranslateAccelerator(MSG*, DWORD) override { return S_FALSE; }
    STDMETHODIMP OnFocus(BOOL) override { return S_OK; }
    STDMETHODIMP ShowPropertyFrame() override { return E_NOTIMPL; }
};

struct Enum : IEnumUnknown {
    std::vector<IUnknown*> items;
    size_t pos = 0;
    STDMETHODIMP QueryInterface(REFIID, void** ppv) override { *ppv = this; return S_OK; }
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }
    STDMETHODIMP Next(ULONG, IUnknown** out, ULONG* got) override
    {
        if (pos >= items.size()) { if (got) *got = 0; return S_FALSE; }
        *out = items[pos++];
        if (got) *got = 1;
        return S_OK;
    }
    STDMETHODIMP Skip(ULONG) override { return E_NOTIMPL; }
    STDMETHODIMP Reset() override { pos = 0; return S_OK; }
    STDMETHODIMP Clone(IEnumUnknown**) override { return E_NOTIMPL; }
};

// The form's site: its container enumerates the controls.
struct FormSite : IOleClientSite, IOleContainer {
    Enum e;
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override
    {
        if (riid == IID_IOleContainer || riid == IID_IParseDisplayName) *ppv = static_cast<IOleContainer*>(this);
        else *ppv = static_cast<IOleClientSite*>(this);
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }
    STDMETHODIMP SaveObject() override { return S_OK; }
    STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker**) override { return E_NOTIMPL; }
    STDMETHODIMP GetContainer(IOleContainer** c) override { *c = this; return S_OK; }
    STDMETHODIMP ShowObject() override { return S_OK; }
    STDMETHODIMP OnShowWindow(BOOL) override { return S_OK; }
    STDMETHODIMP RequestNewObjectLayout() override { return E_NOTIMPL; }
    STDMETHODIMP ParseDisplayName(IBindCtx*, LPOLESTR, ULONG*, IMoniker**) override { return E_NOTIMPL; }
    STDMETHODIMP EnumObjects(DWORD, IEnumUnknown** out) override { e.pos = 0; *out = &e; return S_OK; }
    STDMETHODIMP LockContainer(BOOL) override { return S_OK; }
};

}  // namespace

TEST(DockAlignedControls, OnlyVisibleControlsOfTheOneClassOnTheHostCount)
{
    HWND host = reinterpret_cast<HWND>(0x1234);  // compared only
    Control top(kAligned, host, Extender(1, 300, 3000, true));        // 300 twips = 20 px at 96 dpi
    Control right(kAligned, host, Extender(4, 300, 1500, true));      // 100 px
    Control hidden(kAligned, host, Extender(3, 300, 1500, false));
    Control foreign(kOther, host, Extender(2, 300, 1500, true));
    Control elsewhere(kAligned, reinterpret_cast<HWND>(0x999), Extender(2, 300, 1500, true));
    FormSite site;
    site.e.items = {static_cast<IOleObject*>(&top), static_cast<IOleObject*>(&right), static_cast<IOleObject*>(&hidden),
                    static_cast<IOleObject*>(&foreign), static_cast<IOleObject*>(&elsewhere)};
    int insets[4] = {0, 0, 0, 0};
    AddAlignedControls(&site, host, nullptr, insets);
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    if (dpi != 96) GTEST_SKIP() << "screen not at 96 dpi";
    EXPECT_EQ(insets[1], 20);
    EXPECT_EQ(insets[2], 100);
    EXPECT_EQ(insets[0], 0);
    EXPECT_EQ(insets[3], 0);
}
