#pragma once
// What the layout tree and the frames need of a pane: its placement and a few window
// operations. The pane window derives from this; tests drive the tree with panes of their own.
#include <windows.h>

#include <string>

class CLayoutBlock;
class CDockSection;
class CDockFrameBase;
struct DockDragInfo;

class CPaneBase {
public:
    CPaneBase();
    virtual ~CPaneBase();
    CPaneBase(const CPaneBase&) = delete;
    CPaneBase& operator=(const CPaneBase&) = delete;

    // Docked placement.
    CLayoutBlock* m_pBlock = nullptr;
    CDockFrameBase* m_pFrame = nullptr;
    int m_nSide = 0;
    int m_nSectionIndex = -1;
    // Placement inside a floating frame.
    CLayoutBlock* m_pFloatBlock = nullptr;
    CDockFrameBase* m_pFloatFrame = nullptr;
    int m_nFloatSectionIndex = -1;

    bool m_bMoving = false;        // being moved between containers
    bool m_bPlaced = false;
    bool m_bFloating = false;
    bool m_bUnpinned = false;
    bool m_bCaptionAtSide = false; // caption drawn at the left (rows of the top and bottom sides)
    bool m_bFormPane = true;       // false for toolbar panes
    int m_nDockedWidth = 150;
    int m_nDockedHeight = 150;
    RECT m_rcFloat = {200, 200, 400, 400};
    int m_nExtra = 0;
    std::string m_title;

    bool IsFormPane() const { return m_bFormPane; }

    // Window rectangle in client coordinates of the window the pane sits in.
    virtual RECT GetRectInFrame() const = 0;
    virtual RECT GetScreenRect() const = 0;
    // Client area in screen coordinates; what lies outside it is the caption strip.
    virtual RECT GetClientScreenRect() const = 0;
    // Moves the window, inside the open DeferWindowPos batch when one is given.
    virtual void MoveTo(const RECT& rc, HDWP* batch) = 0;
    virtual void Show(bool show) = 0;
    virtual bool IsShown() const = 0;
    virtual void ReparentTo(HWND parent) = 0;
    virtual HWND GetWindow() const { return nullptr; }
    // Recomputes the docked sizes after a move.
    virtual void ComputeSizes() {}
    // Lays out the hosted content after the pane got a new place.
    virtual void RelayContent() {}
    // Makes the section a new dock of this pane starts.
    virtual CDockSection* MakeSection();
    // The drop-target search asks the dragged pane to fit the proposed size to where it would go.
    virtual void AdjustDropSize(DockDragInfo& drag, SIZE& size, const RECT& against, bool fixed);
    // Records a drop beside or into target's block.
    virtual void SetDropZone(DockDragInfo& drag, int side, CPaneBase* target, int insertSide);

    // Every live pane, for clearing placements that name a deleted block or frame.
    static int LiveCount();
    static CPaneBase* LiveAt(int index);
    // Whether a pointer still names a live pane (a remembered slot may outlive its pane).
    static bool IsLive(const CPaneBase* pane);
    static void ForgetBlock(const CLayoutBlock* block);
    // A block is being deleted: drop any further reference a pane keeps to it.
    virtual void OnBlockGone(const CLayoutBlock*) {}
};
