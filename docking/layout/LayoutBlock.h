#pragma once
// A node of a section's layout tree: an inner node splits its rectangle between two children
// by a ratio; a leaf shows one pane, or several as tabs. A leaf whose pane left stays as a
// vacant placeholder that remembers where the pane was.
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

class CPaneBase;
class CSplitterBar;
class CTabStrip;
class CDockFrameBase;
class CPointerArray;
struct DockDragInfo;

struct TabSlot {
    std::string title;     // empty for a slot made for a present pane
    bool hasTitle = false;
    int misc = 0;          // 1 docked here, 3 docked in the owning frame, 8 unpinned
    CPaneBase* pane = nullptr;
    int left = -4000, top = -4000;
    int width = 200, height = 200;
};

class CLayoutBlock {
public:
    CLayoutBlock();
    virtual ~CLayoutBlock();
    CLayoutBlock(const CLayoutBlock&) = delete;
    CLayoutBlock& operator=(const CLayoutBlock&) = delete;

    CLayoutBlock* m_pParent = nullptr;
    CLayoutBlock* m_pFirst = nullptr;
    CLayoutBlock* m_pSecond = nullptr;
    int m_nSplitSide = 1;
    int m_nOwnSide = 3;
    bool m_bVacant = false;
    int m_nRestore = 0;
    float m_fRatio = 1.0f;
    CSplitterBar* m_pSplitter = nullptr;
    CPaneBase* m_pPane = nullptr;
    std::string m_placeholderTitle;
    bool m_bHasPlaceholderTitle = false;
    std::unique_ptr<RECT> m_pPlaceholderFloat;
    POINT m_placeholderPos = {0, 0};
    SIZE m_defaultSize = {100, 100};
    int m_nPlaceholderFloating = 0;
    int m_nPlaceholderExtra = 0;
    CTabStrip* m_pTabStrip = nullptr;
    std::unique_ptr<std::vector<TabSlot>> m_pSlots;

    bool IsLeaf() const { return !m_pFirst && !m_pSecond; }
    CLayoutBlock* Sibling() const;

    void AddTabSlot(const std::string& title, int misc, POINT position, int width, int height);
    void CollectPanes(std::vector<CPaneBase*>& list) const;
    int CountOtherPanes(const CPaneBase* pane, bool asOne) const;
    void AttachTree(CDockFrameBase* frame, int side);
    int PropagateVacancy();
    void CloneTree(CLayoutBlock* source, HWND mainFrameWindow);
    void Split(CLayoutBlock* newBlock, int side, bool newFirst, SIZE size);
    void SetRatioFromSize(CLayoutBlock* copy, CLayoutBlock* newBlock, SIZE size);
    int RemoveTab(CPaneBase* pane);
    void RetargetSlots(CLayoutBlock* oldBlock);
    void SetSlotsSectionIndex(int index, CDockFrameBase* frame);
    void MakeTabs(const std::vector<CPaneBase*>& panes, CPaneBase* current, CDockFrameBase* frame);
    void AddTabs(const std::vector<CPaneBase*>& panes, CPaneBase* current, CDockFrameBase* frame);
    int HasSlots() const;
    int RemoveSlotByTitle(const std::string& title);
    int RemoveSlotByPane(CPaneBase* pane);
    int PointInTabStrip(POINT screenPoint) const;
    void AddPaneAsTab(CPaneBase* pane, bool floatingFrame);
    void SwapSlots(CPaneBase* a, CPaneBase* b);
    int TabIndexOfPane(const CPaneBase* pane) const;
    void EnsureSlot(CPaneBase* pane);
    CLayoutBlock* FirstLeaf();
    int IsEmpty() const;
    void GetChildRects(CLayoutBlock*& first, CLayoutBlock*& second, RECT& firstRect, RECT& secondRect) const;
    void GetBlockRect(RECT& rect) const;
    int HitTest(DockDragInfo& drag, int x, int y, SIZE& size, CPaneBase*& target);
    static int HasSavableContent(const CLayoutBlock* block);

    int TabCount() const;
    static int LiveCount();

private:
    void MakeStripIfMissing(CPaneBase* current);
    void DropStripIfSingle();
};

// Whether a block rectangle is the "no rectangle" sentinel along a split axis.
bool IsNoRect(const RECT& rc, bool stacked);
