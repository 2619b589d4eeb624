#include "docking/framework/HostProps.h"

#include "docking/layout/Geometry.h"
#include "docking/platform_text.h"

HRESULT GetDispatchProperty(IDispatch* object, const char* name, WORD flags, VARIANT* result)
{
    if (!object || !name || !result)
        return E_POINTER;
    VariantClear(result);
    VariantInit(result);
    std::wstring wide = docktext::ToWide(name);
    LPOLESTR names[1] = {wide.data()};
    DISPID id = DISPID_UNKNOWN;
    HRESULT hr = object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
    if (FAILED(hr))
        return hr;
    DISPPARAMS none = {nullptr, nullptr, 0, 0};
    EXCEPINFO info = {};
    UINT argError = 0;
    hr = object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &none, result, &info, &argError);
    SysFreeString(info.bstrSource);
    SysFreeString(info.bstrDescription);
    SysFreeString(info.bstrHelpFile);
    return hr;
}

HRESULT PutDispatchProperty(IDispatch* object, const char* name, const VARIANT& value)
{
    if (!object || !name)
        return E_POINTER;
    std::wstring wide = docktext::ToWide(name);
    LPOLESTR names[1] = {wide.data()};
    DISPID id = DISPID_UNKNOWN;
    HRESULT hr = object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
    if (FAILED(hr))
        return hr;
    VARIANT arg = value;
    DISPID named = DISPID_PROPERTYPUT;
    DISPPARAMS params = {&arg, &named, 1, 1};
    return object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYPUT, &params, nullptr, nullptr, nullptr);
}

bool SafeArrayToBytes(const VARIANT& v, std::vector<uint8_t>& out)
{
    out.clear();
    if (V_VT(&v) != (VT_ARRAY | VT_UI1) || !V_ARRAY(&v))
        return false;
    SAFEARRAY* sa = V_ARRAY(&v);
    LONG lower = 0, upper = -1;
    if (SafeArrayGetDim(sa) != 1 || SafeArrayGetElemsize(sa) != 1 || FAILED(SafeArrayGetLBound(sa, 1, &lower)) ||
        FAILED(SafeArrayGetUBound(sa, 1, &upper)))
        return false;
    const LONG count = upper - lower + 1;
    if (count <= 0)
        return true;
    void* data = nullptr;
    if (FAILED(SafeArrayAccessData(sa, &data)))
        return false;
    out.assign(static_cast<uint8_t*>(data), static_cast<uint8_t*>(data) + count);
    SafeArrayUnaccessData(sa);
    return true;
}

POINT ScaleToPixels(int mode, float x, float y)
{
    HDC screen = GetDC(nullptr);
    const int dpiX = screen ? GetDeviceCaps(screen, LOGPIXELSX) : 96;
    const int dpiY = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
    if (screen)
        ReleaseDC(nullptr, screen);
    return dockgeo::ScaleToPixels(mode, x, y, dpiX, dpiY);
}

IDispatch* GetDispatchObject(IDispatch* object, const char* name)
{
    if (!object)
        return nullptr;
    VARIANT v;
    VariantInit(&v);
    IDispatch* result = nullptr;
    if (SUCCEEDED(GetDispatchProperty(object, name, DISPATCH_PROPERTYGET, &v)) && v.vt == VT_DISPATCH && v.pdispVal) {
        result = v.pdispVal;
        result->AddRef();
    }
    VariantClear(&v);
    return result;
}

IDispatch* FormOfExtender(IDispatch* extender)
{
    IDispatch* form = GetDispatchObject(extender, "Parent");
    return form ? form : GetDispatchObject(extender, "Container");
}
