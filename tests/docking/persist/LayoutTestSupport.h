#pragma once
// Frames without windows, a scratch layout key below HKCU\Software\QlTest and rectangle dumps
// for the layout store's tests.
#include <windows.h>
#include <shlwapi.h>

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "docking/LayoutHelpers.h"
#include "docking/frame/DockFrameBase.h"
#include "docking/layout/DockSection.h"
#include "docking/persist/LayoutStore.h"
#include "docking/persist/RegKeyHolder.h"

namespace layouttest {

struct Frame : CDockFrameBase {
  explicit Frame(int main = 1, int w = 800, int h = 600) : CDockFrameBase(main) { UseClientArea(*this, w, h); }
  ~Frame() override { ClearAllSections(); }
  RECT floatRect{};
};

// Layout key "QlTest\<unique>" below HKCU\Software.
class ScratchLayout {
public:
  explicit ScratchLayout(const char* hint)
  {
    static int counter = 0;
    key_ = std::string("QlTest\\") + hint + "-" + std::to_string(GetCurrentProcessId()) + "-" +
           std::to_string(counter++);
    SHDeleteKeyA(HKEY_CURRENT_USER, Full().c_str());
  }
  ~ScratchLayout() { SHDeleteKeyA(HKEY_CURRENT_USER, Full().c_str()); }
  const std::string& Key() const { return key_; }
  std::string Full(const std::string& sub = {}) const
  {
    return "Software\\" + key_ + (sub.empty() ? "" : "\\" + sub);
  }
  bool Put(const std::string& sub, const char* name, DWORD type, const void* data, DWORD size) const
  {
    CRegKeyHolder k;
    if (k.Create(HKEY_CURRENT_USER, Full(sub)) != ERROR_SUCCESS) return false;
    return RegSetValueExA(k.Get(), name, 0, type, static_cast<const BYTE*>(data), size) == ERROR_SUCCESS;
  }
  bool Dword(const std::string& sub, const char* name, DWORD v) const { return Put(sub, name, REG_DWORD, &v, 4); }
  bool Text(const std::string& sub, const char* name, const std::string& s) const
  {
    return Put(sub, name, REG_SZ, s.c_str(), static_cast<DWORD>(s.size() + 1));
  }
  bool Exists(const std::string& sub) const
  {
    CRegKeyHolder k;
    return k.Open(HKEY_CURRENT_USER, Full(sub)) == ERROR_SUCCESS;
  }
  bool ReadDword(const std::string& sub, const char* name, DWORD& v) const
  {
    CRegKeyHolder k;
    return k.Open(HKEY_CURRENT_USER, Full(sub)) == ERROR_SUCCESS && k.ReadDword(name, v);
  }
  bool ReadText(const std::string& sub, const char* name, std::string& v) const
  {
    CRegKeyHolder k;
    return k.Open(HKEY_CURRENT_USER, Full(sub)) == ERROR_SUCCESS && k.ReadString(name, v);
  }

private:
  std::string key_;
};

inline std::string Dump(const RECT& r)
{
  std::ostringstream o;
  o << r.left << "," << r.top << "," << r.right << "," << r.bottom;
  return o.str();
}

// Every shown pane and shown section, and the client rectangle.
inline std::string Dump(const CDockFrameBase& f, const std::vector<FakePane*>& panes)
{
  std::ostringstream o;
  o << "client " << Dump(f.m_rcClient) << "\n";
  for (int side = 0; side < 4; ++side)
    for (int i = 0; i < f.SectionCount(side); ++i)
      if (f.SectionAt(side, i)->m_bShown) o << "sec " << side << "." << i << " " << Dump(f.SectionAt(side, i)->m_rc) << "\n";
  for (FakePane* p : panes) {
    o << p->m_title << " ";
    if (p->m_shown)
      o << Dump(p->m_rc) << " side " << p->m_nSide << "." << p->m_nSectionIndex;
    else
      o << "hidden";
    o << "\n";
  }
  return o.str();
}

// What a clear does to panes: they forget their places.
inline void Forget(const std::vector<FakePane*>& panes)
{
  for (FakePane* p : panes) {
    p->m_pBlock = nullptr;
    p->m_pFrame = nullptr;
    p->m_pFloatBlock = nullptr;
    p->m_pFloatFrame = nullptr;
    p->m_nSectionIndex = -1;
    p->m_bUnpinned = false;
    p->m_shown = false;
    p->m_rc = RECT{0, 0, 0, 0};
  }
}

inline void Clear(CDockFrameBase& f)
{
  f.ClearAllSections();
  f.m_rcClient = RECT{-4000, -4000, -4000, -4000};
}

inline LayoutStore::SaveRequest SaveOf(const ScratchLayout& key, CDockFrameBase& main)
{
  LayoutStore::SaveRequest r;
  r.root = HKEY_CURRENT_USER;
  r.key = key.Key();
  r.hostRect = RECT{10, 20, 810, 620};
  r.main = &main;
  return r;
}

// Loads into main; floating frames made on the way are kept in floats.
inline LONG LoadInto(const ScratchLayout& key, CDockFrameBase& main, std::vector<std::unique_ptr<Frame>>* floats = nullptr,
                     RECT* host = nullptr, std::vector<std::string> attached = {})
{
  LayoutStore::LoadRequest r;
  r.root = HKEY_CURRENT_USER;
  r.key = key.Key();
  r.main = &main;
  r.attachedNames = std::move(attached);
  r.moveHost = [host](const RECT& rc) { if (host) *host = rc; };
  if (floats) {
    r.makeFloating = [floats]() {
      floats->push_back(std::make_unique<Frame>(0, 300, 200));
      return floats->back().get();
    };
    r.setFloatRect = [](CDockFrameBase* f, const RECT& rc) { static_cast<Frame*>(f)->floatRect = rc; };
    r.dropFloating = [floats](CDockFrameBase* f) {
      for (size_t i = 0; i < floats->size(); ++i)
        if ((*floats)[i].get() == f) { floats->erase(floats->begin() + static_cast<long>(i)); break; }
    };
  }
  return LayoutStore::Load(r);
}

inline void Dock(CDockFrameBase& f, FakePane& p, int side, int index = -1)
{
  p.m_nSide = side;
  p.m_nSectionIndex = index;
  f.DockPane(&p, 0, nullptr);
}

}  // namespace layouttest
