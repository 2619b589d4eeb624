#include "docking/layout/PaneBase.h"

#include "docking/layout/DockDragInfo.h"
#include "docking/layout/DockSection.h"

#include <algorithm>
#include <vector>

namespace {
std::vector<CPaneBase*>& Live()
{
    static std::vector<CPaneBase*> panes;
    return panes;
}
}  // namespace

CPaneBase::CPaneBase() { Live().push_back(this); }

CPaneBase::~CPaneBase()
{
    auto& v = Live();
    v.erase(std::remove(v.begin(), v.end(), this), v.end());
}

CDockSection* CPaneBase::MakeSection() { return new CDockSection(); }

void CPaneBase::AdjustDropSize(DockDragInfo& drag, SIZE& size, const RECT&, bool)
{
    drag.proposed = size;
}

void CPaneBase::SetDropZone(DockDragInfo& drag, int side, CPaneBase* target, int insertSide)
{
    drag.zone = side;
    drag.targetPane = target;
    drag.targetBlock = target ? target->m_pBlock : nullptr;
    drag.insertSide = insertSide;
}

int CPaneBase::LiveCount() { return static_cast<int>(Live().size()); }

CPaneBase* CPaneBase::LiveAt(int index)
{
    auto& v = Live();
    return index >= 0 && index < static_cast<int>(v.size()) ? v[index] : nullptr;
}

bool CPaneBase::IsLive(const CPaneBase* pane)
{
    auto& v = Live();
    return pane && std::find(v.begin(), v.end(), pane) != v.end();
}

void CPaneBase::ForgetBlock(const CLayoutBlock* block)
{
    for (CPaneBase* pane : Live()) {
        if (pane->m_pBlock == block) pane->m_pBlock = nullptr;
        if (pane->m_pFloatBlock == block) pane->m_pFloatBlock = nullptr;
        pane->OnBlockGone(block);
    }
}
