#pragma once
// Frames without windows for layout tests, and the split a drop into a block performs.
#include "FakePane.h"
#include "docking/frame/DockFrameBase.h"
#include "docking/layout/LayoutBlock.h"
#include "docking/layout/SplitterBar.h"

inline void UseClientArea(CDockFrameBase& frame, int width, int height)
{
    frame.m_bUseOverride = true;
    SetRect(&frame.m_rcFrameClientOverride, 0, 0, width, height);
}

// Puts pane beside target's leaf at side (0 left .. 3 bottom of the leaf), as a drop does.
inline void SplitBeside(CDockFrameBase& frame, CPaneBase* target, CPaneBase* pane, int side)
{
    CLayoutBlock* leaf = target->m_pBlock;
    RECT rc;
    leaf->GetBlockRect(rc);
    auto* fresh = new CLayoutBlock();
    SIZE size = {(rc.right - rc.left) / 3, (rc.bottom - rc.top) / 3};
    leaf->Split(fresh, side, side == 0 || side == 1, size);
    fresh->m_pPane = pane;
    fresh->m_bVacant = false;
    pane->m_pBlock = fresh;
    pane->m_pFrame = &frame;
    pane->m_nSide = target->m_nSide;
    pane->m_nSectionIndex = target->m_nSectionIndex;
    pane->Show(true);
    leaf->m_pSplitter = new CSplitterBar((side == 1 || side == 3) ? 1 : 0, &frame);
    leaf->m_pSplitter->m_pBlock = leaf;
    frame.LayoutBlockTree(leaf, rc, 1, nullptr);
    frame.LayoutBlockTree(leaf, rc, 0, nullptr);
}
