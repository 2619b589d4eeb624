#pragma once
// What the main dock frame and the floating frames share: four side lists of sections around
// a client rectangle, the host's bar insets, placement and layout of sections and block trees,
// docking and removing panes, and the drop-target search.
#include <windows.h>

#include <ocidl.h>

#include <string>
#include <vector>

class CPointerArray;
class CDockSection;
class CLayoutBlock;
class CPaneBase;
struct DockDragInfo;

class CDockFrameBase {
public:
    explicit CDockFrameBase(int isMainFrame);
    virtual ~CDockFrameBase();
    CDockFrameBase(const CDockFrameBase&) = delete;
    CDockFrameBase& operator=(const CDockFrameBase&) = delete;

    virtual int FindDropTarget(DockDragInfo& drag, CPaneBase* pane, int x, int y, SIZE& size);
    virtual void RemovePane(CPaneBase* pane);
    virtual void OnPaneReleased(CPaneBase*) {}
    virtual void AfterPaneReleased() {}
    // The pane took a docked place in this frame.
    virtual void OnPaneDocked(CPaneBase*) {}

    CPointerArray* m_pSides[4];
    HWND m_hWndFrame = nullptr;
    HWND m_hWndClient = nullptr;
    RECT m_rcClient = {-4000, -4000, -4000, -4000};
    int m_bMdiClientFound = 0;
    SIZE m_lastHostSize = {0, 0};
    int m_bMainFrame;
    int m_bInUse = 0;
    int m_insets[4] = {0, 0, 0, 0};
    HWND m_hWndMdiClient = nullptr;
    HWND m_hWndHostToolbar = nullptr;
    std::vector<HWND> m_paneForms;
    // Client area of the frame window; set by tests that run without a window.
    RECT m_rcFrameClientOverride = {0, 0, 0, 0};
    bool m_bUseOverride = false;

    RECT FrameClientRect() const;
    int SectionCount(int side) const;
    CDockSection* SectionAt(int side, int index) const;

    // Host measuring and client area.
    void MeasureHostInsets(int insets[4], bool visibleOnly);
    void RecheckInsets();
    void AdjustLayout();
    int OnHostSize(UINT type, int width, int height);
    void UpdateClientRect(HDWP* batch);
    int SideEdge(int side, int which) const;
    int SectionSizeUpTo(int side, const CDockSection* section) const;
    int SumSectionSizes(int side, int from, int to) const;
    int FindSectionIndex(int side, const CDockSection* section) const;
    CDockSection* LastSection(int side) const;

    // Placement.
    void PlaceSection(CDockSection* section, int side, int index, bool fit, int width, int height, CLayoutBlock* block);
    void LayoutBlockTree(CLayoutBlock* block, const RECT& rc, int axis, HDWP* batch);
    void OffsetBlockTree(CLayoutBlock* block, int delta, int side, HDWP* batch);
    void OffsetSections(int side, int start, int delta, HDWP* batch);
    void FitSections(int side, int low, int high, HDWP* batch);
    void ResizeSection(CDockSection* section, int delta);
    void ShrinkSections(int axis, int amount, int& takenStart, int& takenEnd);

    // Panes and sections.
    void DockPane(CPaneBase* pane, int reserved, CDockSection** newSection);
    // A whole tree from elsewhere (a floating frame's) docks as a new section at index
    // (-1 appends), sized by its old rectangle or else by the proposed size.
    CDockSection* InsertBlock(CLayoutBlock* block, int side, int index, SIZE proposed);
    // The block that remembers title; the pane's docked (flags bit 1) or floating placement is
    // set from it. Null when nothing remembers it, or the place was of the wrong kind.
    struct Placement {
        CLayoutBlock* block = nullptr;
        int side = -1;
        int index = -1;
        int flags = 0;
        POINT position = {-4000, -4000};
        SIZE size = {0, 0};
    };
    CLayoutBlock* FindPlacement(CPaneBase* pane, const std::string& title, Placement& out);
    void AddPaneSection(CPaneBase* pane);
    void RemovePaneFromSection(CLayoutBlock* block, CPaneBase* pane, const char* title, int side, int index);
    void ReleasePane(CPaneBase* pane, CDockFrameBase* newContainer);
    void RenumberPanes(CLayoutBlock* block, int index);
    void ReplaceNeighbour(int side, CDockSection* oldSection, CDockSection* newSection);
    int RememberPane(CPaneBase* pane);
    // The pane is going: its place keeps its name, and no block, slot or tab names it any more.
    void ForgetPane(CPaneBase* pane);
    void ClearVacancyUp(CLayoutBlock* block);
    void ClearAllSections();
    void AddPaneForm(HWND form);
    void RemovePaneForm(HWND form);

    // Drop search.
    int FindDropInSide(DockDragInfo& drag, int side, int x, int y, SIZE& size, CPaneBase*& target, int& index);
    int TrackDropInBlock(DockDragInfo& drag, SIZE& size, int width, int height, const RECT& area, int x, int y);
    void SetDropRect(DockDragInfo& drag, const RECT& rc, SIZE size);
    void SetDropRectForSection(DockDragInfo& drag, int side, CDockSection* section, SIZE size);
    RECT DockArea() const;

    static int LiveCount();

protected:
    bool ValidPlacement(int side, int index) const;
    void RenumberFrom(int side, int start);
    // Inserts a section at index (append for -1 or past the end), linking its neighbours.
    int InsertSection(CDockSection* section, int side, int index);
    RECT ClientToScreenRect(const RECT& rc) const;
};

// Side of the frame's perpendicular list that bounds a section of side at its start / end.
inline int StartNeighbourSide(int side) { return (side == 0 || side == 2) ? 1 : 0; }
inline int EndNeighbourSide(int side) { return (side == 0 || side == 2) ? 3 : 2; }

// Adds the host form's aligned controls of the one control class whose alignment counts.
void AddAlignedControls(IOleClientSite* site, HWND host, IDispatch* form, int insets[4]);
