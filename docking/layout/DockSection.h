#pragma once
// One strip along a side of a frame, holding a layout tree.
#include <windows.h>

class CLayoutBlock;
class CSplitterBar;
class CDockFrameBase;
class CPaneBase;
struct DockDragInfo;

class CDockSection {
public:
    CDockSection();
    virtual ~CDockSection();
    CDockSection(const CDockSection&) = delete;
    CDockSection& operator=(const CDockSection&) = delete;

    CSplitterBar* m_pSplitter = nullptr;
    CLayoutBlock* m_pRoot = nullptr;
    CDockSection* m_pStartNeighbour = nullptr;
    CDockSection* m_pEndNeighbour = nullptr;
    int m_bShown = 0;
    RECT m_rc = {0, 0, 0, 0};
    int m_nSplitterWidth = 4;
    int m_bRow = 0;

    virtual void CreateSplitter(CDockFrameBase* frame, int side);
    virtual void MovePane(CPaneBase* pane, const RECT& rc);
    virtual void ComputeBlockRect(CDockFrameBase* frame);
    virtual void DestroySplitter();
    virtual void Reserved(int, int, int, int) {}
    virtual int HitTest(CDockFrameBase* frame, DockDragInfo& drag, int x, int y, SIZE& size, CPaneBase*& target);
    // 1 when the section lost its root.
    virtual int RemoveBlock(CLayoutBlock* block);
    // 1 when every ancestor of the block became vacant.
    virtual int CollapseBlock(CDockFrameBase* frame, CLayoutBlock* block, const RECT& vacated);
    virtual void RestoreBlock(CDockFrameBase* frame, CPaneBase* pane);
    virtual void GetPaneWindowRect(CPaneBase* pane, RECT& rc);
    virtual void Layout(CDockFrameBase* frame, int axis, HDWP* batch);
    virtual void Offset(CDockFrameBase* frame, int delta, int side, HDWP* batch);

    int SplitterWidth() const { return m_nSplitterWidth; }
    void MoveBy(CDockFrameBase* frame, int side, int delta, HDWP* batch);
    void FitToFrame(CDockFrameBase* frame, const RECT& client, int side, int lower, int upper, HDWP* batch);
    int IsEmpty() const;

    static int LiveCount();
};
