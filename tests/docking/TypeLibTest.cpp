#include "ComTestSupport.h"
#include "XMoorline_h.h"
#include "docking/platform_text.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace {

GUID G(const char* text)
{
    GUID g;
    std::wstring w = docktext::ToWide(text);
    CLSIDFromString(w.c_str(), &g);
    return g;
}

struct Loaded {
    ITypeLib* lib = nullptr;
    Loaded()
    {
        std::wstring path = docktext::ToWide(DllPath());
        LoadTypeLibEx(path.c_str(), REGKIND_NONE, &lib);
    }
    ~Loaded()
    {
        if (lib) lib->Release();
    }
};

// name -> {memid, invkind, vtable slot}
std::multimap<std::string, std::tuple<MEMBERID, int, int>> Members(ITypeInfo* info)
{
    std::multimap<std::string, std::tuple<MEMBERID, int, int>> out;
    TYPEATTR* attr = nullptr;
    info->GetTypeAttr(&attr);
    for (UINT i = 0; i < attr->cFuncs; ++i) {
        FUNCDESC* fd = nullptr;
        info->GetFuncDesc(i, &fd);
        BSTR name = nullptr;
        info->GetDocumentation(fd->memid, &name, nullptr, nullptr, nullptr);
        out.emplace(docktext::FromBstr(name), std::make_tuple(fd->memid, static_cast<int>(fd->invkind), fd->oVft / 4));
        SysFreeString(name);
        info->ReleaseFuncDesc(fd);
    }
    info->ReleaseTypeAttr(attr);
    return out;
}

}  // namespace

TEST(DockTypeLib, LibraryAttributesAndEveryIdentifier)
{
    Loaded t;
    ASSERT_NE(t.lib, nullptr);
    TLIBATTR* attr = nullptr;
    ASSERT_EQ(t.lib->GetLibAttr(&attr), S_OK);
    EXPECT_TRUE(IsEqualGUID(attr->guid, G("{16DDE9E3-55CB-44D3-8F72-D18FE3EC069D}")));
    EXPECT_EQ(attr->wMajorVerNum, 1);
    EXPECT_EQ(attr->wMinorVerNum, 0);
    EXPECT_EQ(attr->lcid, 0x409u);
    t.lib->ReleaseTLibAttr(attr);
    BSTR name = nullptr, doc = nullptr;
    t.lib->GetDocumentation(-1, &name, &doc, nullptr, nullptr);
    EXPECT_EQ(docktext::FromBstr(name), "XMOORLINELib");
    EXPECT_EQ(docktext::FromBstr(doc), "XMoorline 1.5.5 Type Library");
    SysFreeString(name);
    SysFreeString(doc);

    const struct { const char* guid; const char* name; TYPEKIND kind; const char* help; } types[] = {
        {"{16DDE9EF-55CB-44D3-8F72-D18FE3EC069D}", "IDockFrame", TKIND_DISPATCH, "IDockFrame Interface"},
        {"{16DDE9F1-55CB-44D3-8F72-D18FE3EC069D}", "_IDockFrameEvents", TKIND_DISPATCH, "_IDockFrameEvents Interface"},
        {"{16DDE9F0-55CB-44D3-8F72-D18FE3EC069D}", "DockFrame", TKIND_COCLASS, "DockFrame Class"},
        {"{16DDE9F3-55CB-44D3-8F72-D18FE3EC069D}", "IFDPane", TKIND_DISPATCH, "IFDPane Interface"},
        {"{16DDE9F6-55CB-44D3-8F72-D18FE3EC069D}", "_IFDPaneEvents", TKIND_DISPATCH, "_IFDPaneEvents Interface"},
        {"{16DDE9F5-55CB-44D3-8F72-D18FE3EC069D}", "FDPane", TKIND_COCLASS, "FDPane Class"},
    };
    for (const auto& ty : types) {
        SCOPED_TRACE(ty.name);
        ITypeInfo* info = nullptr;
        ASSERT_EQ(t.lib->GetTypeInfoOfGuid(G(ty.guid), &info), S_OK);
        TYPEATTR* ta = nullptr;
        info->GetTypeAttr(&ta);
        EXPECT_EQ(ta->typekind, ty.kind);
        info->ReleaseTypeAttr(ta);
        BSTR n = nullptr, h = nullptr;
        info->GetDocumentation(MEMBERID_NIL, &n, &h, nullptr, nullptr);
        EXPECT_EQ(docktext::FromBstr(n), ty.name);
        EXPECT_EQ(docktext::FromBstr(h), ty.help);
        SysFreeString(n);
        SysFreeString(h);
        info->Release();
    }
    // The header the code is built from agrees with the library.
    EXPECT_TRUE(IsEqualGUID(IID_IDockFrame, G("{16DDE9EF-55CB-44D3-8F72-D18FE3EC069D}")));
    EXPECT_TRUE(IsEqualGUID(CLSID_FDPane, G("{16DDE9F5-55CB-44D3-8F72-D18FE3EC069D}")));
    EXPECT_TRUE(IsEqualGUID(DIID__IFDPaneEvents, G("{16DDE9F6-55CB-44D3-8F72-D18FE3EC069D}")));
}

TEST(DockTypeLib, DualInterfacesKeepTheirSlotsAndIds)
{
    Loaded t;
    ASSERT_NE(t.lib, nullptr);
    ITypeInfo* disp = nullptr;
    ASSERT_EQ(t.lib->GetTypeInfoOfGuid(IID_IDockFrame, &disp), S_OK);
    HREFTYPE ref = 0;
    ITypeInfo* vt = nullptr;
    ASSERT_EQ(disp->GetRefTypeOfImplType(-1, &ref), S_OK);
    ASSERT_EQ(disp->GetRefTypeInfo(ref, &vt), S_OK);
    TYPEATTR* ta = nullptr;
    vt->GetTypeAttr(&ta);
    EXPECT_EQ(ta->cbSizeVft, 21u * 4);
    EXPECT_TRUE(ta->wTypeFlags & TYPEFLAG_FDUAL);
    EXPECT_TRUE(ta->wTypeFlags & TYPEFLAG_FOLEAUTOMATION);
    vt->ReleaseTypeAttr(ta);
    auto m = Members(vt);
    auto slot = [&](const char* name, int kind) {
        for (auto [it, end] = m.equal_range(name); it != end; ++it)
            if (std::get<1>(it->second) == kind) return std::make_pair(std::get<0>(it->second), std::get<2>(it->second));
        return std::make_pair(-1L, -1);
    };
    EXPECT_EQ(slot("SaveStates", INVOKE_FUNC), std::make_pair(1L, 7));
    EXPECT_EQ(slot("DragAreaStyle", INVOKE_PROPERTYGET), std::make_pair(4L, 10));
    EXPECT_EQ(slot("DragAreaStyle", INVOKE_PROPERTYPUT), std::make_pair(4L, 11));
    EXPECT_EQ(slot("DesignSetDirty", INVOKE_FUNC), std::make_pair(5L, 12));
    EXPECT_EQ(slot("SetRegRootKey", INVOKE_FUNC), std::make_pair(11L, 18));
    EXPECT_EQ(slot("EnableBoundaryCheck", INVOKE_FUNC), std::make_pair(13L, 20));
    vt->Release();
    disp->Release();

    ASSERT_EQ(t.lib->GetTypeInfoOfGuid(IID_IFDPane, &disp), S_OK);
    ASSERT_EQ(disp->GetRefTypeOfImplType(-1, &ref), S_OK);
    ASSERT_EQ(disp->GetRefTypeInfo(ref, &vt), S_OK);
    vt->GetTypeAttr(&ta);
    EXPECT_EQ(ta->cbSizeVft, 41u * 4);
    vt->ReleaseTypeAttr(ta);
    m = Members(vt);
    EXPECT_EQ(slot("FDType", INVOKE_PROPERTYGET), std::make_pair(1L, 7));
    EXPECT_EQ(slot("CurrentDockStyle", INVOKE_PROPERTYGET), std::make_pair(4L, 13));
    EXPECT_EQ(slot("ReDock", INVOKE_FUNC), std::make_pair(6L, 14));
    EXPECT_EQ(slot("SetLayoutReference", INVOKE_FUNC), std::make_pair(15L, 27));
    EXPECT_EQ(slot("PinState", INVOKE_PROPERTYPUT), std::make_pair(17L, 29));
    EXPECT_EQ(slot("GetCustInfo", INVOKE_FUNC), std::make_pair(16L, 30));
    EXPECT_EQ(slot("InitFloatHeight", INVOKE_PROPERTYPUT), std::make_pair(22L, 40));
    EXPECT_EQ(m.count("Remove"), 1u);
    vt->Release();
    disp->Release();

    ASSERT_EQ(t.lib->GetTypeInfoOfGuid(DIID__IFDPaneEvents, &disp), S_OK);
    m = Members(disp);
    EXPECT_EQ(std::get<0>(m.find("OnDockStyleChanged")->second), 1);
    EXPECT_EQ(std::get<0>(m.find("OnHidden")->second), 2);
    EXPECT_EQ(std::get<0>(m.find("OnShown")->second), 3);
    disp->Release();
}

TEST(DockTypeLib, EnumerationValues)
{
    Loaded t;
    ASSERT_NE(t.lib, nullptr);
    std::map<std::string, LONG> values;
    for (UINT i = 0; i < t.lib->GetTypeInfoCount(); ++i) {
        ITypeInfo* info = nullptr;
        t.lib->GetTypeInfo(i, &info);
        TYPEATTR* ta = nullptr;
        info->GetTypeAttr(&ta);
        if (ta->typekind == TKIND_ENUM)
            for (UINT v = 0; v < ta->cVars; ++v) {
                VARDESC* vd = nullptr;
                info->GetVarDesc(v, &vd);
                BSTR name = nullptr;
                info->GetDocumentation(vd->memid, &name, nullptr, nullptr, nullptr);
                VARIANT x;
                VariantInit(&x);
                VariantChangeType(&x, vd->lpvarValue, 0, VT_I4);
                values[docktext::FromBstr(name)] = V_I4(&x);
                SysFreeString(name);
                info->ReleaseVarDesc(vd);
            }
        info->ReleaseTypeAttr(ta);
        info->Release();
    }
    EXPECT_EQ(values["StandardVBForm"], 2);
    EXPECT_EQ(values["DockToNone"], 4);
    EXPECT_EQ(values["UnPinned"], 2);
    EXPECT_EQ(values["NoTextDisplay"], 1);
    EXPECT_EQ(static_cast<ULONG>(values["KeyCurrentConfig"]), 0x80000005u);
    EXPECT_EQ(static_cast<ULONG>(values["KeyCurentUser"]), 0x80000001u);
}

TEST(DockTypeLib, TypeInfosInTheirPublishedOrderWithConstantHelpStrings)
{
    Loaded t;
    ASSERT_NE(t.lib, nullptr);
    const char* const order[] = {"_IDockFrameEvents", "IFDPane",   "FloatDockType", "DockStyle",
                                 "PinType",           "DockFrame", "IDockFrame",    "DragHandle",
                                 "RegRootKey",        "_IFDPaneEvents", "FDPane"};
    ASSERT_EQ(t.lib->GetTypeInfoCount(), 11u);
    for (UINT i = 0; i < 11; ++i) {
        BSTR name = nullptr;
        t.lib->GetDocumentation(static_cast<INT>(i), &name, nullptr, nullptr, nullptr);
        EXPECT_EQ(docktext::FromBstr(name), order[i]) << "type info " << i;
        SysFreeString(name);
    }
    BSTR help = nullptr;
    t.lib->GetDocumentation(-1, nullptr, &help, nullptr, nullptr);
    EXPECT_EQ(docktext::FromBstr(help), "XMoorline 1.5.5 Type Library");
    SysFreeString(help);

    const std::map<std::string, std::string> expected = {
        {"FloatDockForm", "Float and Dockable Window"}, {"FloatDockToolBar", "Float and Dockable Toolbar"},
        {"StandardVBForm", "VB MDIForm"},               {"DockToLeft", "Dock Left"},
        {"DockToTop", "Dock Top"},                      {"DockToRight", "Dock Right"},
        {"DockToBottom", "Dock Bottom"},                {"DockToNone", "Floating"},
        {"PinDisabled", "Pin Unavailable"},             {"Pinned", "Pin in regular state"},
        {"UnPinned", "Pinable "},                       {"TextDisplay", "Text"},
        {"NoTextDisplay", "No Text"},                   {"KeyCurentUser", "KKEY_CURRENT_USER"},
        {"KeyLocalMachine", "HKEY_LOCAL_MACHINE"},      {"KeyUsers", "KEEY_USERS"},
        {"KeyCurrentConfig", "HKEY_CURRENT_CONFIG"}};
    std::map<std::string, std::string> found;
    for (const char* e : {"FloatDockType", "DockStyle", "PinType", "DragHandle", "RegRootKey"}) {
        ITypeInfo* info = nullptr;
        std::wstring wide = docktext::ToWide(e);
        MEMBERID id = 0;
        USHORT count = 1;
        ASSERT_EQ(t.lib->FindName(wide.data(), 0, &info, &id, &count), S_OK) << e;
        ASSERT_EQ(count, 1);
        TYPEATTR* ta = nullptr;
        info->GetTypeAttr(&ta);
        for (UINT v = 0; v < ta->cVars; ++v) {
            VARDESC* vd = nullptr;
            info->GetVarDesc(v, &vd);
            BSTR name = nullptr, doc = nullptr;
            info->GetDocumentation(vd->memid, &name, &doc, nullptr, nullptr);
            found[docktext::FromBstr(name)] = docktext::FromBstr(doc);
            SysFreeString(name);
            SysFreeString(doc);
            info->ReleaseVarDesc(vd);
        }
        info->ReleaseTypeAttr(ta);
        info->Release();
    }
    EXPECT_EQ(found, expected);
}
