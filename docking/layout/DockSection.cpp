#include "docking/layout/DockSection.h"

#include "docking/frame/DockFrameBase.h"
#include "docking/layout/Geometry.h"
#include "docking/layout/LayoutBlock.h"
#include "docking/layout/PaneBase.h"
#include "docking/layout/SplitterBar.h"

using namespace dockgeo;

namespace {
int g_liveSections = 0;

// Moves a rectangle by delta away from the frame edge of side.
void ShiftFromEdge(RECT& rc, int side, int delta)
{
    switch (side) {
    case 0: OffsetRect(&rc, delta, 0); break;
    case 2: OffsetRect(&rc, -delta, 0); break;
    case 1: OffsetRect(&rc, 0, delta); break;
    default: OffsetRect(&rc, 0, -delta); break;
    }
}
}  // namespace

CDockSection::CDockSection() { ++g_liveSections; }

CDockSection::~CDockSection()
{
    delete m_pRoot;
    delete m_pSplitter;
    --g_liveSections;
}

int CDockSection::LiveCount() { return g_liveSections; }

void CDockSection::CreateSplitter(CDockFrameBase* frame, int side)
{
    delete m_pSplitter;
    m_pSplitter = new CSplitterBar(side, frame);
    m_pSplitter->Create(frame ? frame->m_hWndFrame : nullptr);
}

void CDockSection::MovePane(CPaneBase* pane, const RECT& rc)
{
    if (!pane)
        return;
    pane->MoveTo(rc, nullptr);
    if (!pane->IsShown())
        pane->Show(true);
    pane->ComputeSizes();
}

void CDockSection::ComputeBlockRect(CDockFrameBase*)
{
    if (!m_pRoot) {
        SetRect(&m_rc, 0, 0, 0, 0);
        return;
    }
    if (m_pRoot->IsLeaf()) {
        if (m_pRoot->m_pPane && !m_pRoot->m_bVacant)
            m_rc = m_pRoot->m_pPane->GetRectInFrame();
        return;
    }
    CLayoutBlock *a, *b;
    RECT ra, rb;
    m_pRoot->GetChildRects(a, b, ra, rb);
    const bool va = ra.left != kNoRect, vb = rb.left != kNoRect;
    if (va) {
        m_rc = ra;
        if (vb) {
            if (IsStacked(m_pRoot->m_nSplitSide)) m_rc.bottom = rb.bottom;
            else m_rc.right = rb.right;
        }
    } else if (vb) {
        m_rc = rb;
    } else {
        SetRect(&m_rc, 0, 0, 0, 0);
    }
}

void CDockSection::DestroySplitter()
{
    delete m_pSplitter;
    m_pSplitter = nullptr;
    m_bShown = 0;
}

int CDockSection::HitTest(CDockFrameBase*, DockDragInfo& drag, int x, int y, SIZE& size, CPaneBase*& target)
{
    return m_pRoot ? m_pRoot->HitTest(drag, x, y, size, target) : kNoZone;
}

int CDockSection::RemoveBlock(CLayoutBlock* block)
{
    if (!block)
        return 0;
    CLayoutBlock* parent = block->m_pParent;
    if (!parent) {
        if (block == m_pRoot)
            m_pRoot = nullptr;
        delete block;
        return 1;
    }
    if (parent->m_pFirst == block) parent->m_pFirst = nullptr;
    if (parent->m_pSecond == block) parent->m_pSecond = nullptr;
    block->m_pParent = nullptr;
    delete block;
    // One child left: no bar between children any more.
    delete parent->m_pSplitter;
    parent->m_pSplitter = nullptr;
    if (!parent->m_pFirst && !parent->m_pSecond)
        return RemoveBlock(parent);
    CLayoutBlock* child = parent->m_pFirst ? parent->m_pFirst : parent->m_pSecond;
    CLayoutBlock* grand = parent->m_pParent;
    if (grand) {
        child->m_nOwnSide = parent->m_nOwnSide;
        child->m_pParent = grand;
        if (grand->m_pFirst == parent) grand->m_pFirst = child;
        else grand->m_pSecond = child;
        // Clear the links first, or deleting the parent takes the promoted child with it.
        parent->m_pFirst = parent->m_pSecond = nullptr;
        parent->m_pParent = nullptr;
        delete parent;
    }
    return 0;
}

int CDockSection::CollapseBlock(CDockFrameBase* frame, CLayoutBlock* block, const RECT& vacated)
{
    CLayoutBlock* current = block;
    while (current && current->m_pParent) {
        CLayoutBlock* parent = current->m_pParent;
        CLayoutBlock* other = current->Sibling();
        if (other && !other->m_bVacant) {
            delete parent->m_pSplitter;
            parent->m_pSplitter = nullptr;
            RECT rc;
            other->GetBlockRect(rc);
            if (IsStacked(parent->m_nSplitSide)) {
                const int ext = RectHeight(vacated) + kSplitterWidth;
                if (current->m_nOwnSide == 3) rc.bottom += ext;
                else rc.top -= ext;
            } else {
                const int ext = RectWidth(vacated) + kSplitterWidth;
                if (current->m_nOwnSide == 2) rc.right += ext;
                else rc.left -= ext;
            }
            if (frame)
                frame->LayoutBlockTree(parent, rc, IsStacked(parent->m_nSplitSide) ? 1 : 0, nullptr);
            return 0;
        }
        parent->m_bVacant = true;
        current = parent;
    }
    return 1;
}

void CDockSection::RestoreBlock(CDockFrameBase* frame, CPaneBase* pane)
{
    CLayoutBlock* block = pane ? pane->m_pBlock : nullptr;
    if (!block)
        return;
    if (CLayoutBlock* sibling = block->Sibling())
        sibling->m_nOwnSide = OppositeSide(block->m_nOwnSide);
    for (CLayoutBlock* current = block; current->m_pParent; current = current->m_pParent) {
        CLayoutBlock* parent = current->m_pParent;
        CLayoutBlock* other = current->Sibling();
        if (!other || other->m_bVacant)
            continue;
        if (!parent->m_pSplitter) {
            parent->m_pSplitter = new CSplitterBar(IsStacked(parent->m_nSplitSide) ? 1 : 0, frame);
            parent->m_pSplitter->m_pBlock = parent;
            parent->m_pSplitter->Create(frame ? frame->m_hWndFrame : nullptr);
        }
        RECT rc;
        other->GetBlockRect(rc);
        if (frame) {
            frame->LayoutBlockTree(parent, rc, 0, nullptr);
            frame->LayoutBlockTree(parent, rc, 1, nullptr);
        }
        break;
    }
}

void CDockSection::GetPaneWindowRect(CPaneBase* pane, RECT& rc)
{
    if (pane)
        rc = pane->GetScreenRect();
}

void CDockSection::Layout(CDockFrameBase* frame, int axis, HDWP* batch)
{
    if (frame && m_pRoot)
        frame->LayoutBlockTree(m_pRoot, m_rc, axis, batch);
}

void CDockSection::Offset(CDockFrameBase* frame, int delta, int side, HDWP* batch)
{
    if (frame && m_pRoot)
        frame->OffsetBlockTree(m_pRoot, delta, side, batch);
}

void CDockSection::MoveBy(CDockFrameBase* frame, int side, int delta, HDWP* batch)
{
    if (!m_bShown || delta == 0)
        return;
    Offset(frame, delta, side, batch);
    ShiftFromEdge(m_rc, side, delta);
    if (m_pSplitter) {
        RECT rc = m_pSplitter->m_rc;
        ShiftFromEdge(rc, side, delta);
        m_pSplitter->MoveTo(rc, batch);
    }
}

void CDockSection::FitToFrame(CDockFrameBase* frame, const RECT& client, int side, int lower, int upper, HDWP* batch)
{
    if (!m_bShown || !frame)
        return;
    const bool vertical = !IsStacked(side);  // a left or right strip runs top to bottom
    const int mid = vertical ? (m_rc.left + m_rc.right) / 2 : (m_rc.top + m_rc.bottom) / 2;
    if (mid < lower || mid > upper)
        return;
    if (vertical) {
        m_rc.top = client.top + frame->SectionSizeUpTo(1, m_pStartNeighbour);
        m_rc.bottom = client.bottom - frame->SectionSizeUpTo(3, m_pEndNeighbour);
    } else {
        m_rc.left = client.left + frame->SectionSizeUpTo(0, m_pStartNeighbour);
        m_rc.right = client.right - frame->SectionSizeUpTo(2, m_pEndNeighbour);
    }
    Layout(frame, vertical ? 1 : 0, batch);
    if (m_pSplitter) {
        RECT rc = m_pSplitter->m_rc;
        if (vertical) { rc.top = m_rc.top; rc.bottom = m_rc.bottom; }
        else { rc.left = m_rc.left; rc.right = m_rc.right; }
        m_pSplitter->MoveTo(rc, batch);
    }
}

int CDockSection::IsEmpty() const { return m_pRoot ? m_pRoot->IsEmpty() : 1; }
