#include "docking/persist/FloatingLayouts.h"

#include "docking/float/CMiniFrame.h"
#include "docking/frame/DockFrameBase.h"
#include "docking/framework/PointerArray.h"
#include "docking/layout/DockSection.h"
#include "docking/layout/LayoutBlock.h"
#include "docking/pane/CPaneWnd.h"
#include "docking/persist/PaneClaim.h"

namespace {

// MISC of a pane that was hidden in its frame: neither shown nor a shown tab.
constexpr int kHiddenFloating = 2;

struct StandIn : CDockFrameBase {
  StandIn() : CDockFrameBase(0) {}
  ~StandIn() override { ClearAllSections(); }
};

}  // namespace

struct CFloatingLayouts::Entry {
  StandIn frame;
  RECT rect{100, 100, 300, 300};
  CMiniFrame* made = nullptr;  // the window the first claiming pane floated in
};

CFloatingLayouts::CFloatingLayouts() = default;
CFloatingLayouts::~CFloatingLayouts() = default;

std::vector<LayoutStore::FloatingFrame> CFloatingLayouts::ForSave()
{
  saving_.clear();
  std::vector<LayoutStore::FloatingFrame> out;
  for (CMiniFrame* mini : CMiniFrame::FloatingFrames()) {
    if (!mini || !mini->holdsFormPanes) continue;  // toolbar frames are saved with their rows
    RECT rc{};
    if (mini->hwnd)
      GetWindowRect(mini->hwnd, &rc);
    else
      mini->GetFloatRect(rc);
    auto root = std::make_unique<CLayoutBlock>();
    bool first = true;
    for (CPaneWnd* pane : mini->Panes()) {
      const std::string name = PaneClaim::NameOf(pane);
      if (!pane || name.empty() || !pane->IsVisible()) continue;
      RECT pr{};
      GetWindowRect(pane->hwnd, &pr);
      root->AddTabSlot(name, first ? 7 : 3, POINT{pr.left, pr.top}, pr.right - pr.left, pr.bottom - pr.top);
      first = false;
    }
    if (first) continue;
    auto entry = std::make_unique<Entry>();
    auto* section = new CDockSection();
    section->m_pRoot = root.release();
    section->m_rc = RECT{0, 0, rc.right - rc.left, rc.bottom - rc.top};
    entry->frame.m_pSides[0]->InsertAt(section, 0);
    entry->rect = rc;
    out.push_back({&entry->frame, rc});
    saving_.push_back(std::move(entry));
  }
  // A pane hidden while it floated keeps a frame of its own, marked hidden, at its float place.
  for (int i = 0; i < CPaneBase::LiveCount(); ++i) {
    auto* pane = dynamic_cast<CPaneWnd*>(CPaneBase::LiveAt(i));
    if (!pane || !pane->hwnd || !pane->hiddenFloating || pane->IsVisible() || pane->container || pane->miniFrame ||
        !pane->IsFormPane())
      continue;
    const std::string name = PaneClaim::NameOf(pane);
    if (name.empty()) continue;
    const int w = pane->floatWidth > 0 ? pane->floatWidth : 200, h = pane->floatHeight > 0 ? pane->floatHeight : 200;
    const RECT rc{pane->floatLeft, pane->floatTop, pane->floatLeft + w, pane->floatTop + h};
    auto root = std::make_unique<CLayoutBlock>();
    root->AddTabSlot(name, kHiddenFloating, POINT{rc.left, rc.top}, w, h);
    auto entry = std::make_unique<Entry>();
    auto* section = new CDockSection();
    section->m_pRoot = root.release();
    section->m_rc = RECT{0, 0, w, h};
    entry->frame.m_pSides[0]->InsertAt(section, 0);
    entry->rect = rc;
    out.push_back({&entry->frame, rc});
    saving_.push_back(std::move(entry));
  }
  return out;
}

void CFloatingLayouts::Hook(LayoutStore::LoadRequest& request)
{
  request.makeFloating = [this]() -> CDockFrameBase* {
    loaded_.push_back(std::make_unique<Entry>());
    return &loaded_.back()->frame;
  };
  request.setFloatRect = [this](CDockFrameBase* frame, const RECT& rc) {
    for (auto& e : loaded_)
      if (&e->frame == frame) e->rect = rc;
  };
  request.dropFloating = [this](CDockFrameBase* frame) {
    for (size_t i = 0; i < loaded_.size(); ++i)
      if (&loaded_[i]->frame == frame) {
        loaded_.erase(loaded_.begin() + static_cast<long>(i));
        return;
      }
  };
}

bool CFloatingLayouts::Claim(CPaneWnd* pane, const std::string& name)
{
  if (!pane || !pane->hwnd || name.empty() || pane->container || pane->miniFrame) return false;
  for (size_t i = 0; i < loaded_.size(); ++i) {
    Entry& e = *loaded_[i];
    LayoutStore::SavedPlace place;
    if (!LayoutStore::FindBlockByTitle(e.frame, name, place)) continue;
    e.frame.RemovePaneFromSection(place.block, nullptr, name.c_str(), place.side, place.index);
    if (!(place.misc & 1) && !(place.misc & 4)) {
      // Saved hidden: it stays hidden, and floats there when shown.
      pane->floatLeft = e.rect.left;
      pane->floatTop = e.rect.top;
      pane->floatWidth = e.rect.right - e.rect.left;
      pane->floatHeight = e.rect.bottom - e.rect.top;
      pane->hiddenFloating = true;
      pane->Show(false);
      pane->placed = 0;
    } else if (e.made && CMiniFrame::IsListed(e.made)) {
      pane->JoinFrame(e.made, 4, nullptr);
    } else {
      pane->floatLeft = e.rect.left;
      pane->floatTop = e.rect.top;
      pane->floatWidth = e.rect.right - e.rect.left;
      pane->floatHeight = e.rect.bottom - e.rect.top;
      pane->Float();
      e.made = pane->miniFrame;
    }
    if (e.frame.SectionCount(0) == 0) loaded_.erase(loaded_.begin() + static_cast<long>(i));
    return true;
  }
  return false;
}

void CFloatingLayouts::Clear()
{
  loaded_.clear();
  saving_.clear();
}
