// Aligned controls of the host form that are not bar windows of their own.
#include "docking/frame/DockFrameBase.h"

#include "docking/framework/HostProps.h"

namespace {

// {9E6A5B24-1FBC-42D9-870D-07D5C5738075}
const CLSID kAlignedClass = {0x9E6A5B24, 0x1FBC, 0x42D9, {0x87, 0x0D, 0x07, 0xD5, 0xC5, 0x73, 0x80, 0x75}};

bool ReadNumber(IDispatch* object, const char* name, VARTYPE vt, VARIANT& out)
{
    VariantInit(&out);
    return SUCCEEDED(GetDispatchProperty(object, name, DISPATCH_PROPERTYGET, &out)) &&
           SUCCEEDED(VariantChangeType(&out, &out, 0, vt));
}

}  // namespace

void AddAlignedControls(IOleClientSite* site, HWND host, IDispatch* form, int insets[4])
{
    if (!site || !host)
        return;
    int scaleMode = 1;
    char cls[200] = {};
    GetClassNameA(host, cls, sizeof(cls) - 1);
    for (const char* formClass : {"ThunderRT6FormDC", "ThunderForm", "ThunderFormDC", "ThunderRT6Form"})
        if (lstrcmpA(cls, formClass) == 0 && form) {
            VARIANT v;
            if (ReadNumber(form, "ScaleMode", VT_I4, v)) scaleMode = V_I4(&v);
            VariantClear(&v);
        }
    IOleContainer* container = nullptr;
    if (FAILED(site->GetContainer(&container)) || !container)
        return;
    IEnumUnknown* e = nullptr;
    if (SUCCEEDED(container->EnumObjects(0xFFFF, &e)) && e) {
        IUnknown* item = nullptr;
        while (e->Next(1, &item, nullptr) == S_OK) {
            IOleObject* object = nullptr;
            if (SUCCEEDED(item->QueryInterface(IID_IOleObject, reinterpret_cast<void**>(&object)))) {
                CLSID id = CLSID_NULL;
                IOleClientSite* objectSite = nullptr;
                if (SUCCEEDED(object->GetUserClassID(&id)) && id == kAlignedClass &&
                    SUCCEEDED(object->GetClientSite(&objectSite)) && objectSite && objectSite != site) {
                    IOleInPlaceSite* ips = nullptr;
                    HWND window = nullptr;
                    if (SUCCEEDED(objectSite->QueryInterface(IID_IOleInPlaceSite, reinterpret_cast<void**>(&ips)))) {
                        ips->GetWindow(&window);
                        ips->Release();
                    }
                    IOleControlSite* control = nullptr;
                    IDispatch* extender = nullptr;
                    if (window == host &&
                        SUCCEEDED(objectSite->QueryInterface(IID_IOleControlSite, reinterpret_cast<void**>(&control))) &&
                        SUCCEEDED(control->GetExtendedControl(&extender)) && extender) {
                        VARIANT align, height, width, visible;
                        if (ReadNumber(extender, "Visible", VT_BOOL, visible) && V_BOOL(&visible) &&
                            ReadNumber(extender, "Align", VT_I4, align) && ReadNumber(extender, "Height", VT_R4, height) &&
                            ReadNumber(extender, "Width", VT_R4, width)) {
                            const POINT px = ScaleToPixels(scaleMode, V_R4(&width), V_R4(&height));
                            switch (V_I4(&align)) {
                            case 1: insets[1] += px.y; break;
                            case 2: insets[3] += px.y; break;
                            case 3: insets[0] += px.x; break;
                            case 4: insets[2] += px.x; break;
                            default: break;
                            }
                        }
                        extender->Release();
                    }
                    if (control) control->Release();
                }
                if (objectSite) objectSite->Release();
                object->Release();
            }
            item->Release();
        }
        e->Release();
    }
    container->Release();
}
