// Build step: rewrites the type library widl made, through the system's type library writer,
// with its type infos in the published order and help strings on the enumeration constants
// (widl refuses both). Usage: xm_tlbrewrite <in.tlb> <out.tlb>; exit code 0 on success.
#include <windows.h>
#include <oleauto.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

const wchar_t* const kOrder[] = {L"_IDockFrameEvents", L"IFDPane",   L"FloatDockType", L"DockStyle",
                                 L"PinType",           L"DockFrame", L"IDockFrame",    L"DragHandle",
                                 L"RegRootKey",        L"_IFDPaneEvents", L"FDPane"};

const std::map<std::wstring, const wchar_t*>& ConstantHelp()
{
  static const std::map<std::wstring, const wchar_t*> help = {
      {L"FloatDockForm", L"Float and Dockable Window"}, {L"FloatDockToolBar", L"Float and Dockable Toolbar"},
      {L"StandardVBForm", L"VB MDIForm"},               {L"DockToLeft", L"Dock Left"},
      {L"DockToTop", L"Dock Top"},                      {L"DockToRight", L"Dock Right"},
      {L"DockToBottom", L"Dock Bottom"},                {L"DockToNone", L"Floating"},
      {L"PinDisabled", L"Pin Unavailable"},             {L"Pinned", L"Pin in regular state"},
      {L"UnPinned", L"Pinable "},                       {L"TextDisplay", L"Text"},
      {L"NoTextDisplay", L"No Text"},                   {L"KeyCurentUser", L"KKEY_CURRENT_USER"},
      {L"KeyLocalMachine", L"HKEY_LOCAL_MACHINE"},      {L"KeyUsers", L"KEEY_USERS"},
      {L"KeyCurrentConfig", L"HKEY_CURRENT_CONFIG"}};
  return help;
}

#define CHECK(expr)                                                                        \
  do {                                                                                     \
    const HRESULT hr_ = (expr);                                                            \
    if (FAILED(hr_)) {                                                                     \
      std::fprintf(stderr, "xm_tlbrewrite: %s failed: 0x%08lx\n", #expr, (unsigned long)hr_); \
      return false;                                                                        \
    }                                                                                      \
  } while (0)

struct Entry {
  ITypeInfo* source = nullptr;  // the interface part for dual interfaces
  ICreateTypeInfo* target = nullptr;
  ITypeInfo* targetInfo = nullptr;
};

class Rewriter {
public:
  explicit Rewriter(ITypeLib* source) : source_(source) {}
  ~Rewriter()
  {
    for (auto& e : entries_) {
      if (e.second.source) e.second.source->Release();
      if (e.second.targetInfo) e.second.targetInfo->Release();
      if (e.second.target) e.second.target->Release();
    }
  }

  bool Run(const wchar_t* outPath)
  {
    TLIBATTR* attr = nullptr;
    CHECK(source_->GetLibAttr(&attr));
    const TLIBATTR lib = *attr;
    source_->ReleaseTLibAttr(attr);
    BSTR name = nullptr, doc = nullptr;
    CHECK(source_->GetDocumentation(-1, &name, &doc, nullptr, nullptr));
    CHECK(CreateTypeLib2(SYS_WIN32, outPath, &target_));
    CHECK(target_->SetGuid(lib.guid));
    CHECK(target_->SetVersion(lib.wMajorVerNum, lib.wMinorVerNum));
    CHECK(target_->SetLcid(lib.lcid));
    CHECK(target_->SetLibFlags(lib.wLibFlags));
    CHECK(target_->SetName(name));
    if (doc) CHECK(target_->SetDocString(doc));
    SysFreeString(name);
    SysFreeString(doc);
    for (const wchar_t* n : kOrder)
      if (!Create(n)) return false;
    for (const wchar_t* n : kOrder)
      if (!Fill(n)) return false;
    for (const wchar_t* n : kOrder) CHECK(entries_[n].target->LayOut());
    CHECK(target_->SaveAllChanges());
    target_->Release();
    return true;
  }

private:
  ITypeInfo* FindSource(const std::wstring& name)
  {
    const UINT count = source_->GetTypeInfoCount();
    for (UINT i = 0; i < count; ++i) {
      BSTR n = nullptr;
      if (FAILED(source_->GetDocumentation(static_cast<INT>(i), &n, nullptr, nullptr, nullptr))) continue;
      const bool same = n && name == n;
      SysFreeString(n);
      ITypeInfo* info = nullptr;
      if (same && SUCCEEDED(source_->GetTypeInfo(i, &info))) return info;
    }
    return nullptr;
  }

  bool Create(const std::wstring& name)
  {
    ITypeInfo* info = FindSource(name);
    if (!info) {
      std::fprintf(stderr, "xm_tlbrewrite: %ls missing\n", name.c_str());
      return false;
    }
    TYPEATTR* attr = nullptr;
    CHECK(info->GetTypeAttr(&attr));
    TYPEKIND kind = attr->typekind;
    WORD flags = attr->wTypeFlags;
    const GUID guid = attr->guid;
    const WORD major = attr->wMajorVerNum, minor = attr->wMinorVerNum;
    info->ReleaseTypeAttr(attr);
    if (kind == TKIND_DISPATCH && (flags & TYPEFLAG_FDUAL)) {
      // A dual interface is written as its vtable interface; the dispatch view follows from it.
      HREFTYPE ref = 0;
      ITypeInfo* vtable = nullptr;
      CHECK(info->GetRefTypeOfImplType(-1, &ref));
      CHECK(info->GetRefTypeInfo(ref, &vtable));
      info->Release();
      info = vtable;
      kind = TKIND_INTERFACE;
      // The vtable part carries the flags of the interface (dual, automation-compatible).
      TYPEATTR* vattr = nullptr;
      CHECK(info->GetTypeAttr(&vattr));
      flags = vattr->wTypeFlags;
      info->ReleaseTypeAttr(vattr);
    }
    Entry& e = entries_[name];
    e.source = info;
    CHECK(target_->CreateTypeInfo(const_cast<LPOLESTR>(name.c_str()), kind, &e.target));
    CHECK(e.target->QueryInterface(IID_ITypeInfo, reinterpret_cast<void**>(&e.targetInfo)));
    CHECK(e.target->SetGuid(guid));
    CHECK(e.target->SetTypeFlags(flags));
    CHECK(e.target->SetVersion(major, minor));
    BSTR doc = nullptr;
    if (SUCCEEDED(info->GetDocumentation(MEMBERID_NIL, nullptr, &doc, nullptr, nullptr)) && doc)
      CHECK(e.target->SetDocString(doc));
    SysFreeString(doc);
    return true;
  }

  // The target's reference to what src's reference names: a type of this library or of another.
  bool MapRef(ITypeInfo* src, HREFTYPE ref, Entry& e, HREFTYPE& out)
  {
    ITypeInfo* referenced = nullptr;
    CHECK(src->GetRefTypeInfo(ref, &referenced));
    BSTR name = nullptr;
    referenced->GetDocumentation(MEMBERID_NIL, &name, nullptr, nullptr, nullptr);
    ITypeInfo* use = referenced;
    auto found = name ? entries_.find(name) : entries_.end();
    SysFreeString(name);
    ITypeLib* owner = nullptr;
    UINT index = 0;
    bool ours = false;
    if (SUCCEEDED(referenced->GetContainingTypeLib(&owner, &index))) {
      ours = owner == source_;
      owner->Release();
    }
    if (ours && found != entries_.end()) use = found->second.targetInfo;
    const HRESULT hr = e.target->AddRefTypeInfo(use, &out);
    referenced->Release();
    CHECK(hr);
    return true;
  }

  bool CopyType(ITypeInfo* src, const TYPEDESC& in, TYPEDESC& out, Entry& e)
  {
    out = in;
    if (in.vt == VT_PTR || in.vt == VT_SAFEARRAY) {
      descs_.push_back(std::make_unique<TYPEDESC>());
      TYPEDESC* inner = descs_.back().get();
      if (!CopyType(src, *in.lptdesc, *inner, e)) return false;
      out.lptdesc = inner;
    } else if (in.vt == VT_USERDEFINED) {
      if (!MapRef(src, in.hreftype, e, out.hreftype)) return false;
    }
    return true;
  }

  bool Fill(const std::wstring& name)
  {
    Entry& e = entries_[name];
    ITypeInfo* src = e.source;
    TYPEATTR* attr = nullptr;
    CHECK(src->GetTypeAttr(&attr));
    const TYPEATTR a = *attr;
    src->ReleaseTypeAttr(attr);
    if (a.cbAlignment) CHECK(e.target->SetAlignment(a.cbAlignment));
    for (UINT i = 0; i < a.cImplTypes; ++i) {
      HREFTYPE ref = 0, mapped = 0;
      INT implFlags = 0;
      CHECK(src->GetRefTypeOfImplType(i, &ref));
      if (!MapRef(src, ref, e, mapped)) return false;
      CHECK(e.target->AddImplType(i, mapped));
      if (SUCCEEDED(src->GetImplTypeFlags(i, &implFlags)) && implFlags)
        CHECK(e.target->SetImplTypeFlags(i, implFlags));
    }
    for (UINT i = 0; i < a.cFuncs; ++i)
      if (!CopyFunc(src, i, e)) return false;
    for (UINT i = 0; i < a.cVars; ++i)
      if (!CopyVar(src, i, e)) return false;
    return true;
  }

  bool CopyFunc(ITypeInfo* src, UINT index, Entry& e)
  {
    FUNCDESC* fd = nullptr;
    CHECK(src->GetFuncDesc(index, &fd));
    FUNCDESC copy = *fd;
    std::vector<ELEMDESC> params(fd->lprgelemdescParam, fd->lprgelemdescParam + fd->cParams);
    bool ok = CopyType(src, fd->elemdescFunc.tdesc, copy.elemdescFunc.tdesc, e);
    for (SHORT p = 0; ok && p < fd->cParams; ++p)
      ok = CopyType(src, fd->lprgelemdescParam[p].tdesc, params[p].tdesc, e);
    copy.lprgelemdescParam = params.empty() ? nullptr : params.data();
    copy.lprgscode = nullptr;
    copy.cScodes = 0;
    HRESULT hr = ok ? e.target->AddFuncDesc(index, &copy) : E_FAIL;
    BSTR names[32] = {};
    UINT count = 0;
    if (SUCCEEDED(hr)) hr = src->GetNames(fd->memid, names, 32, &count);
    // A property put's value parameter has no name of its own: the writer takes none for it.
    UINT give = count;
    if (fd->invkind & (INVOKE_PROPERTYPUT | INVOKE_PROPERTYPUTREF))
      give = std::min<UINT>(count, static_cast<UINT>(fd->cParams));
    if (SUCCEEDED(hr) && give > 0) hr = e.target->SetFuncAndParamNames(index, names, give);
    for (UINT n = 0; n < count; ++n) SysFreeString(names[n]);
    BSTR doc = nullptr;
    if (SUCCEEDED(hr) && SUCCEEDED(src->GetDocumentation(fd->memid, nullptr, &doc, nullptr, nullptr)) && doc)
      hr = e.target->SetFuncDocString(index, doc);
    SysFreeString(doc);
    if (FAILED(hr)) std::fprintf(stderr, "xm_tlbrewrite: function %u (memid %ld, %u names)\n", index, fd->memid, count);
    src->ReleaseFuncDesc(fd);
    CHECK(hr);
    return true;
  }

  bool CopyVar(ITypeInfo* src, UINT index, Entry& e)
  {
    VARDESC* vd = nullptr;
    CHECK(src->GetVarDesc(index, &vd));
    VARDESC copy = *vd;
    bool ok = CopyType(src, vd->elemdescVar.tdesc, copy.elemdescVar.tdesc, e);
    HRESULT hr = ok ? e.target->AddVarDesc(index, &copy) : E_FAIL;
    BSTR name = nullptr;
    UINT count = 0;
    if (SUCCEEDED(hr)) hr = src->GetNames(vd->memid, &name, 1, &count);
    if (SUCCEEDED(hr) && name) hr = e.target->SetVarName(index, name);
    if (SUCCEEDED(hr) && name) {
      auto help = ConstantHelp().find(name);
      if (help != ConstantHelp().end()) hr = e.target->SetVarDocString(index, const_cast<LPOLESTR>(help->second));
    }
    if (FAILED(hr)) std::fprintf(stderr, "xm_tlbrewrite: constant %u\n", index);
    SysFreeString(name);
    src->ReleaseVarDesc(vd);
    CHECK(hr);
    return true;
  }

  ITypeLib* source_;
  ICreateTypeLib2* target_ = nullptr;
  std::map<std::wstring, Entry> entries_;
  std::vector<std::unique_ptr<TYPEDESC>> descs_;
};

std::wstring Wide(const char* text)
{
  std::wstring out(static_cast<size_t>(MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0)), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text, -1, out.data(), static_cast<int>(out.size()));
  out.resize(out.size() - 1);
  return out;
}

}  // namespace

int main(int argc, char** argv)
{
  if (argc != 3) {
    std::fprintf(stderr, "usage: xm_tlbrewrite <in.tlb> <out.tlb>\n");
    return 2;
  }
  CoInitialize(nullptr);
  const std::wstring in = Wide(argv[1]), out = Wide(argv[2]);
  ITypeLib* source = nullptr;
  int rc = 1;
  if (SUCCEEDED(LoadTypeLibEx(in.c_str(), REGKIND_NONE, &source)) && source) {
    DeleteFileW(out.c_str());
    {
      Rewriter rewriter(source);
      rc = rewriter.Run(out.c_str()) ? 0 : 1;
    }
    source->Release();
  } else {
    std::fprintf(stderr, "xm_tlbrewrite: cannot load %s\n", argv[1]);
  }
  CoUninitialize();
  return rc;
}
