#include "docking/layout/LayoutBlock.h"

#include "docking/frame/DockFrameBase.h"
#include "docking/layout/DockDragInfo.h"
#include "docking/layout/Geometry.h"
#include "docking/layout/PaneBase.h"
#include "docking/layout/SplitterBar.h"
#include "docking/layout/TabStrip.h"

#include <algorithm>

using namespace dockgeo;

namespace {

int g_liveBlocks = 0;

bool SameText(const std::string& a, const std::string& b)
{
    return lstrcmpiA(a.c_str(), b.c_str()) == 0;
}

HWND FrameWindowOf(CDockFrameBase* frame) { return frame ? frame->m_hWndFrame : nullptr; }

}  // namespace

bool IsNoRect(const RECT& rc, bool stacked)
{
    return stacked ? (rc.top == rc.bottom && rc.top == kNoRect) : (rc.left == rc.right && rc.left == kNoRect);
}

CLayoutBlock::CLayoutBlock() { ++g_liveBlocks; }

CLayoutBlock::~CLayoutBlock()
{
    delete m_pFirst;
    delete m_pSecond;
    delete m_pTabStrip;
    // A bar whose block is gone must not stay on screen.
    delete m_pSplitter;
    CPaneBase::ForgetBlock(this);
    --g_liveBlocks;
}

int CLayoutBlock::LiveCount() { return g_liveBlocks; }

CLayoutBlock* CLayoutBlock::Sibling() const
{
    if (!m_pParent)
        return nullptr;
    return m_pParent->m_pFirst == this ? m_pParent->m_pSecond : m_pParent->m_pFirst;
}

int CLayoutBlock::TabCount() const { return m_pTabStrip ? m_pTabStrip->TabCount() : 0; }

void CLayoutBlock::AddTabSlot(const std::string& title, int misc, POINT position, int width, int height)
{
    if (!m_pSlots)
        m_pSlots = std::make_unique<std::vector<TabSlot>>();
    TabSlot slot;
    slot.title = title;
    slot.hasTitle = true;
    slot.misc = misc;
    slot.left = position.x;
    slot.top = position.y;
    slot.width = width <= 10 ? 200 : width;
    slot.height = height <= 10 ? 200 : height;
    m_pSlots->push_back(slot);
}

void CLayoutBlock::CollectPanes(std::vector<CPaneBase*>& list) const
{
    if (m_pFirst) m_pFirst->CollectPanes(list);
    if (m_pSecond) m_pSecond->CollectPanes(list);
    if (!IsLeaf() || m_bVacant)
        return;
    if (TabCount() >= 2) {
        for (CPaneBase* p : m_pTabStrip->GetPanes())
            list.push_back(p);
    } else {
        list.push_back(m_pPane);
    }
}

int CLayoutBlock::CountOtherPanes(const CPaneBase* pane, bool asOne) const
{
    int count = 0;
    if (m_pFirst)
        count += m_pFirst->CountOtherPanes(pane, asOne);
    if (count <= 1 && m_pSecond)
        count += m_pSecond->CountOtherPanes(pane, asOne);
    if (IsLeaf() && !m_bVacant && m_pPane && m_pPane != pane)
        count += (!asOne && TabCount() >= 2) ? 3 : 1;
    return count;
}

void CLayoutBlock::AttachTree(CDockFrameBase* frame, int side)
{
    if (m_pSplitter) {
        m_pSplitter->m_pOwner = frame;
        m_pSplitter->Reparent(FrameWindowOf(frame));
        m_pSplitter->Show(true);
    }
    if (m_pFirst && !m_pFirst->m_bVacant) m_pFirst->AttachTree(frame, side);
    if (m_pSecond && !m_pSecond->m_bVacant) m_pSecond->AttachTree(frame, side);
    if (!IsLeaf() || m_bVacant || !m_pPane)
        return;
    m_pPane->m_pBlock = this;
    m_pPane->m_nSide = side;
    m_pPane->m_pFrame = frame;
    if (TabCount() >= 2) {
        for (CPaneBase* p : m_pTabStrip->GetPanes()) {
            EnsureSlot(p);
            p->m_pBlock = this;
            p->m_nSide = side;
            p->m_pFrame = frame;
        }
    }
}

int CLayoutBlock::PropagateVacancy()
{
    CLayoutBlock* current = this;
    while (current->m_pParent) {
        CLayoutBlock* sibling = current->Sibling();
        if (sibling && !sibling->m_bVacant)
            return 0;
        current->m_pParent->m_bVacant = true;
        current = current->m_pParent;
    }
    return 1;
}

void CLayoutBlock::CloneTree(CLayoutBlock* source, HWND mainFrameWindow)
{
    if (!source)
        return;
    m_nSplitSide = source->m_nSplitSide;
    m_nOwnSide = source->m_nOwnSide;
    m_fRatio = source->m_fRatio;
    m_bVacant = source->m_bVacant;
    if (source->m_pSplitter) {
        delete m_pSplitter;
        m_pSplitter = source->m_pSplitter;
        source->m_pSplitter = nullptr;
        m_pSplitter->m_pBlock = this;
        m_pSplitter->Show(false);
        m_pSplitter->Reparent(mainFrameWindow);
    }
    if (source->m_pFirst && !source->m_pFirst->m_bVacant) {
        m_pFirst = new CLayoutBlock();
        m_pFirst->m_pParent = this;
        m_pFirst->CloneTree(source->m_pFirst, mainFrameWindow);
    }
    if (source->m_pSecond && !source->m_pSecond->m_bVacant) {
        m_pSecond = new CLayoutBlock();
        m_pSecond->m_pParent = this;
        m_pSecond->CloneTree(source->m_pSecond, mainFrameWindow);
    }
    if (source->IsLeaf() && !source->m_bVacant) {
        m_pPane = source->m_pPane;
        if (source->TabCount() >= 2) {
            m_pTabStrip = source->m_pTabStrip;
            source->m_pTabStrip = nullptr;
            m_pTabStrip->m_pBlock = this;
        }
    }
}

void CLayoutBlock::Split(CLayoutBlock* newBlock, int side, bool newFirst, SIZE size)
{
    auto* copy = new CLayoutBlock();
    copy->m_pFirst = m_pFirst;
    copy->m_pSecond = m_pSecond;
    if (copy->m_pFirst) copy->m_pFirst->m_pParent = copy;
    if (copy->m_pSecond) copy->m_pSecond->m_pParent = copy;
    copy->m_pPane = m_pPane;
    if (m_pPane) {
        if (m_pPane->m_pBlock == this) m_pPane->m_pBlock = copy;
        if (m_pPane->m_pFloatBlock == this) m_pPane->m_pFloatBlock = copy;
    }
    copy->m_fRatio = m_fRatio;
    copy->m_pSlots = std::move(m_pSlots);
    copy->m_pTabStrip = m_pTabStrip;
    if (copy->m_pTabStrip) copy->m_pTabStrip->m_pBlock = copy;
    copy->m_nSplitSide = m_nSplitSide;
    copy->m_pSplitter = m_pSplitter;
    if (copy->m_pSplitter) copy->m_pSplitter->m_pBlock = copy;
    copy->m_placeholderPos = m_placeholderPos;
    copy->m_nPlaceholderFloating = m_nPlaceholderFloating;
    copy->m_pPlaceholderFloat = std::move(m_pPlaceholderFloat);
    copy->m_placeholderTitle = m_placeholderTitle;
    copy->m_bHasPlaceholderTitle = m_bHasPlaceholderTitle;
    copy->m_nRestore = m_nRestore;
    copy->m_nPlaceholderExtra = m_nPlaceholderExtra;
    copy->m_defaultSize = m_defaultSize;
    copy->m_bVacant = m_bVacant;
    copy->RetargetSlots(this);

    m_pFirst = newFirst ? newBlock : copy;
    m_pSecond = newFirst ? copy : newBlock;
    m_pFirst->m_pParent = this;
    m_pSecond->m_pParent = this;
    if (IsStacked(side)) {
        m_pFirst->m_nOwnSide = 1;
        m_pSecond->m_nOwnSide = 3;
    } else {
        m_pFirst->m_nOwnSide = 0;
        m_pSecond->m_nOwnSide = 2;
    }
    m_nSplitSide = m_pFirst->m_nOwnSide;
    m_bVacant = false;
    newBlock->m_bVacant = true;
    m_fRatio = 1.0f;
    m_pPane = nullptr;
    m_pTabStrip = nullptr;
    m_pSplitter = nullptr;
    m_placeholderTitle.clear();
    m_bHasPlaceholderTitle = false;
    SetRatioFromSize(copy, newBlock, size);
}

void CLayoutBlock::SetRatioFromSize(CLayoutBlock* copy, CLayoutBlock* newBlock, SIZE size)
{
    RECT r;
    copy->GetBlockRect(r);
    const int h = RectHeight(r), w = RectWidth(r);
    if (IsStacked(m_nSplitSide)) {
        if (!IsNoRect(r, true) && h > 0 && size.cy > 0 && size.cy < h) {
            const float rest = static_cast<float>(h - size.cy);
            m_fRatio = newBlock->m_nOwnSide == 1 ? size.cy / rest : rest / size.cy;
        }
    } else if (!IsNoRect(r, false) && w > 0 && size.cx > 0 && size.cx < w) {
        const float rest = static_cast<float>(w - size.cx);
        m_fRatio = newBlock->m_nOwnSide != 0 ? rest / size.cx : size.cx / rest;
    }
}

int CLayoutBlock::RemoveTab(CPaneBase* pane)
{
    if (!m_pTabStrip)
        return 0;
    const int result = m_pTabStrip->RemoveTab(pane);
    DropStripIfSingle();
    return result;
}

void CLayoutBlock::DropStripIfSingle()
{
    // A strip lives only while the leaf shows two or more tabs.
    if (m_pTabStrip && m_pTabStrip->TabCount() < 2) {
        delete m_pTabStrip;
        m_pTabStrip = nullptr;
    }
}

void CLayoutBlock::RetargetSlots(CLayoutBlock* oldBlock)
{
    if (!m_pSlots)
        return;
    for (TabSlot& s : *m_pSlots) {
        if (!s.pane) continue;
        if (s.pane->m_pBlock == oldBlock) s.pane->m_pBlock = this;
        if (s.pane->m_pFloatBlock == oldBlock) s.pane->m_pFloatBlock = this;
    }
}

void CLayoutBlock::SetSlotsSectionIndex(int index, CDockFrameBase* frame)
{
    if (!m_pSlots)
        return;
    // A slot may still name a pane that has gone elsewhere meanwhile: only panes that live in
    // this block take its index.
    for (TabSlot& s : *m_pSlots) {
        if (!s.pane) continue;
        if (s.pane->m_pFrame == frame && s.pane->m_pBlock == this) s.pane->m_nSectionIndex = index;
        if (s.pane->m_pFloatFrame == frame && s.pane->m_pFloatBlock == this) s.pane->m_nFloatSectionIndex = index;
    }
}

void CLayoutBlock::MakeStripIfMissing(CPaneBase* current)
{
    if (m_pTabStrip)
        return;
    m_pTabStrip = new CTabStrip(this);
    if (current && current->GetWindow()) {
        RECT empty = {0, 0, 0, 0};
        m_pTabStrip->Create("", WS_CHILD | WS_VISIBLE, empty, current->GetWindow(), 0xFFF1);
    }
}

void CLayoutBlock::MakeTabs(const std::vector<CPaneBase*>& panes, CPaneBase* current, CDockFrameBase* frame)
{
    if (panes.size() < 2 || !current)
        return;
    MakeStripIfMissing(current);
    for (CPaneBase* p : panes) {
        p->m_bMoving = true;
        p->ReparentTo(FrameWindowOf(frame));
        EnsureSlot(p);
        m_pTabStrip->AddTab(p);
        p->m_pBlock = this;
        p->m_pFrame = frame;
    }
    for (CPaneBase* p : panes) {
        if (p == current) {
            m_pTabStrip->SelectPane(p);
            m_pPane = p;
            m_pTabStrip->AttachTo(p);
        } else {
            p->Show(false);
        }
    }
    current->RelayContent();
    current->Show(true);
}

void CLayoutBlock::AddTabs(const std::vector<CPaneBase*>& panes, CPaneBase* current, CDockFrameBase* frame)
{
    if (panes.size() < 2 || current != m_pPane)
        return;
    if (m_pSlots) {
        auto& s = *m_pSlots;
        s.erase(std::remove_if(s.begin(), s.end(), [&](const TabSlot& t) { return t.pane == current; }), s.end());
    }
    if (m_pTabStrip)
        m_pTabStrip->RemoveTab(current);
    MakeTabs(panes, current, frame);
}

int CLayoutBlock::HasSlots() const { return m_pSlots && !m_pSlots->empty() && !m_bVacant ? 1 : 0; }

int CLayoutBlock::RemoveSlotByTitle(const std::string& title)
{
    if (!m_pSlots)
        return 0;
    auto& s = *m_pSlots;
    for (size_t i = 0; i < s.size(); ++i)
        if (s[i].hasTitle && SameText(s[i].title, title)) {
            s.erase(s.begin() + i);
            break;
        }
    return static_cast<int>(s.size());
}

int CLayoutBlock::RemoveSlotByPane(CPaneBase* pane)
{
    if (!m_pSlots)
        return 0;
    auto& s = *m_pSlots;
    if (!pane) {
        for (TabSlot& t : s)
            if (t.pane && t.pane->m_pBlock == this) t.pane->m_pBlock = nullptr;
        s.clear();
        return 0;
    }
    for (size_t i = 0; i < s.size(); ++i)
        if (s[i].pane == pane) {
            s.erase(s.begin() + i);
            break;
        }
    if (pane->m_pBlock == this)
        pane->m_pBlock = nullptr;
    if (m_pPane == pane)
        m_pPane = nullptr;
    return static_cast<int>(s.size());
}

int CLayoutBlock::PointInTabStrip(POINT pt) const
{
    if (TabCount() < 2 || !m_pTabStrip->m_hWnd)
        return 0;
    RECT rc;
    GetWindowRect(m_pTabStrip->m_hWnd, &rc);
    return PtInRect(&rc, pt) ? 1 : 0;
}

void CLayoutBlock::AddPaneAsTab(CPaneBase* pane, bool floatingFrame)
{
    CPaneBase* old = m_pPane;
    if (!pane || !old || pane == old)
        return;
    CDockFrameBase* frame = old->m_pFrame;
    const RECT rc = old->GetRectInFrame();
    pane->m_bMoving = true;
    pane->ReparentTo(FrameWindowOf(frame));
    m_pPane = pane;
    pane->m_pBlock = this;
    pane->m_pFrame = frame;
    pane->m_nSide = old->m_nSide;
    pane->m_nSectionIndex = old->m_nSectionIndex;
    old->Show(false);
    pane->MoveTo(rc, nullptr);
    pane->Show(true);

    const int posNew = TabIndexOfPane(pane);
    const int posOld = TabIndexOfPane(old);
    if (m_pTabStrip && m_pTabStrip->TabCount() > 0) {
        if (posNew < 0) m_pTabStrip->AddTab(pane);
        else m_pTabStrip->InsertTab(pane, posNew);
        m_pTabStrip->SelectPane(pane);
    } else {
        MakeStripIfMissing(old);
        const bool newFirst = posNew >= 0 && (posOld < 0 || posNew < posOld);
        m_pTabStrip->AddTab(newFirst ? pane : old);
        m_pTabStrip->AddTab(newFirst ? old : pane);
        m_pTabStrip->SelectPane(pane);
    }
    m_pTabStrip->AttachTo(pane);
    if (!m_pSlots) {
        m_pSlots = std::make_unique<std::vector<TabSlot>>();
        TabSlot s;
        s.pane = old;
        m_pSlots->push_back(s);
    }
    m_pTabStrip->m_pCurrent = pane;
    EnsureSlot(pane);
    if (!floatingFrame && frame)
        frame->OnPaneDocked(pane);
    pane->RelayContent();
}

void CLayoutBlock::SwapSlots(CPaneBase* a, CPaneBase* b)
{
    if (!m_pSlots)
        return;
    auto& s = *m_pSlots;
    auto ia = std::find_if(s.begin(), s.end(), [&](const TabSlot& t) { return t.pane == a; });
    auto ib = std::find_if(s.begin(), s.end(), [&](const TabSlot& t) { return t.pane == b; });
    if (ia != s.end() && ib != s.end())
        std::iter_swap(ia, ib);
}

int CLayoutBlock::TabIndexOfPane(const CPaneBase* pane) const
{
    if (!m_pSlots)
        return -1;
    const auto& s = *m_pSlots;
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i].pane != pane)
            continue;
        if (m_pTabStrip && m_pTabStrip->TabCount() > 0) {
            int n = 0;
            for (size_t j = 0; j < i; ++j)
                if (s[j].pane && m_pTabStrip->HasPane(s[j].pane)) ++n;
            return n;
        }
        return static_cast<int>(i);
    }
    return -1;
}

void CLayoutBlock::EnsureSlot(CPaneBase* pane)
{
    if (!m_pSlots) {
        m_pSlots = std::make_unique<std::vector<TabSlot>>();
        if (m_pPane && m_pPane != pane) {
            TabSlot s;
            s.pane = m_pPane;
            m_pSlots->push_back(s);
        }
    }
    for (const TabSlot& s : *m_pSlots)
        if (s.pane == pane)
            return;
    TabSlot s;
    s.pane = pane;
    m_pSlots->push_back(s);
}

CLayoutBlock* CLayoutBlock::FirstLeaf()
{
    if (IsLeaf())
        return m_bVacant ? nullptr : this;
    if (m_pFirst)
        if (CLayoutBlock* b = m_pFirst->FirstLeaf()) return b;
    if (m_pSecond)
        return m_pSecond->FirstLeaf();
    return nullptr;
}

int CLayoutBlock::IsEmpty() const
{
    if (m_pFirst && !m_pFirst->IsEmpty()) return 0;
    if (m_pSecond && !m_pSecond->IsEmpty()) return 0;
    if (!m_pParent || m_pFirst || m_pSecond || !m_pPane) return 1;
    return m_bVacant ? 1 : 0;
}

void CLayoutBlock::GetChildRects(CLayoutBlock*& first, CLayoutBlock*& second, RECT& firstRect, RECT& secondRect) const
{
    first = m_pFirst;
    second = m_pSecond;
    firstRect = NoRect();
    secondRect = NoRect();
    if (first) first->GetBlockRect(firstRect);
    if (second) second->GetBlockRect(secondRect);
    if (second && (second->m_nOwnSide == 0 || second->m_nOwnSide == 1)) {
        std::swap(first, second);
        std::swap(firstRect, secondRect);
    }
}

void CLayoutBlock::GetBlockRect(RECT& rect) const
{
    rect = NoRect();
    CLayoutBlock* a = m_pFirst;
    CLayoutBlock* b = m_pSecond;
    if (b && (b->m_nOwnSide == 0 || b->m_nOwnSide == 1))
        std::swap(a, b);
    if (!a && !b) {
        if (!m_bVacant && m_pPane)
            rect = m_pPane->GetRectInFrame();
        return;
    }
    if (!a || !b) {
        (a ? a : b)->GetBlockRect(rect);
        return;
    }
    const bool stacked = IsStacked(m_nSplitSide);
    RECT other;
    a->GetBlockRect(rect);
    b->GetBlockRect(other);
    if (!IsNoRect(rect, stacked)) {
        if (IsNoRect(other, stacked))
            return;
        if (stacked) rect.bottom = std::max(rect.bottom, other.bottom);
        else rect.right = std::max(rect.right, other.right);
    } else {
        rect = other;
    }
}

int CLayoutBlock::HitTest(DockDragInfo& drag, int x, int y, SIZE& size, CPaneBase*& target)
{
    if (IsLeaf()) {
        if (m_bVacant || !m_pPane)
            return kNoZone;
        CPaneBase* pane = m_pPane;
        const RECT R = pane->GetScreenRect();
        const RECT C = pane->GetClientScreenRect();
        const bool atSide = pane->m_bCaptionAtSide && IsStacked(pane->m_nSide);
        RECT strip = atSide ? MakeRect(R.left, R.top, C.left, R.bottom) : MakeRect(R.left, R.top, R.right, C.top);
        POINT pt = {x, y};
        if (!IsRectEmpty(&strip) && PtInRect(&strip, pt) && pane != drag.pane) {
            size.cx = RectWidth(R);
            size.cy = R.bottom - strip.bottom;
            drag.asTab = 1;
            drag.tabTarget = pane;
            drag.zone = pane->m_nSide;
            drag.targetIndex = pane->m_nSectionIndex;
            if (drag.pane && drag.pane->m_bCaptionAtSide && IsStacked(pane->m_nSide))
                OffsetRect(&strip, 16, 0);
            const POINT o = DropOrigin(drag.zone, strip, size.cx, size.cy);
            drag.ghostX = o.x;
            drag.ghostY = o.y;
            target = pane;
            return pane->m_nSide * 2 + 1;
        }
        const int zone = DockZoneFromPoint(R, x, y);
        if (zone == kNoZone)
            return kNoZone;
        target = pane;
        if ((zone & 1) == 0)
            return zone;
        const int side = zone / 2;
        if (IsStacked(side)) {
            size.cx = RectWidth(R);
            if (size.cy >= RectHeight(R)) size.cy = RectHeight(R) / 2;
        } else {
            size.cy = RectHeight(R);
            if (size.cx >= RectWidth(R)) size.cx = RectWidth(R) / 2;
        }
        drag.secondarySide = side;
        const POINT o = DropOrigin(side, R, size.cx, size.cy);
        drag.ghostX = o.x;
        drag.ghostY = o.y;
        return zone;
    }
    auto inside = [](int z) { return z != kNoZone && (z & 1); };
    int first = kNoZone;
    SIZE firstSize = size;
    CPaneBase* firstTarget = nullptr;
    if (m_pFirst) {
        first = m_pFirst->HitTest(drag, x, y, firstSize, firstTarget);
        if (inside(first)) {
            size = firstSize;
            target = firstTarget;
            return first;
        }
    }
    if (m_pSecond) {
        SIZE secondSize = size;
        CPaneBase* secondTarget = nullptr;
        const int second = m_pSecond->HitTest(drag, x, y, secondSize, secondTarget);
        if (inside(second) || first == kNoZone) {
            size = secondSize;
            target = secondTarget;
            return second;
        }
    }
    if (first != kNoZone)
        target = firstTarget;
    return first;
}

int CLayoutBlock::HasSavableContent(const CLayoutBlock* block)
{
    if (!block)
        return 0;
    if (block->IsLeaf() && block->m_pPane && block->m_pPane->m_title.empty())
        return 0;
    if (block->m_pPane || block->m_pPlaceholderFloat)
        return 1;
    if (block->IsLeaf() && block->m_pSlots && !block->m_pSlots->empty()) {
        const TabSlot& s = block->m_pSlots->front();
        if (s.hasTitle)
            return s.title.empty() ? 0 : 1;
        return s.pane && !s.pane->m_title.empty() ? 1 : 0;
    }
    if (int r = HasSavableContent(block->m_pFirst)) return r;
    return HasSavableContent(block->m_pSecond);
}
