#pragma once
// The 4-pixel bar at a section's inner edge or between the two children of a split block.
// Its rectangle is kept in the owner frame's client coordinates, with or without a window.
#include <windows.h>

class CDockFrameBase;
class CLayoutBlock;

class CSplitterBar {
public:
    CSplitterBar(int orientation, CDockFrameBase* owner);
    virtual ~CSplitterBar();
    CSplitterBar(const CSplitterBar&) = delete;
    CSplitterBar& operator=(const CSplitterBar&) = delete;

    // A visible clip-siblings child of parent (id 0xFF1); no window without a parent.
    bool Create(HWND parent);
    void MoveTo(const RECT& rc, HDWP* batch);
    // Moves by delta along the axis: down for orientations 1 and 3, right otherwise.
    void Offset(int delta, HDWP* batch);
    void Show(bool show);
    void Reparent(HWND parent);

    RECT m_rc = {0, 0, 0, 0};
    int m_nOrientation;
    CDockFrameBase* m_pOwner;
    CLayoutBlock* m_pBlock = nullptr;
    HWND m_hWnd = nullptr;

    static int LiveCount();
};

// With an open DeferWindowPos batch the move joins it; otherwise the window moves at once.
void DeferMoveRect(HWND hwnd, const RECT& rc, HDWP* batch);
