#pragma once
// How the drop-target search reaches the dragged pane: each pane window makes one on itself.
#include "docking/layout/PaneBase.h"

class CCallForwarder {
public:
    explicit CCallForwarder(CPaneBase* pane) : m_pPane(pane) {}
    virtual void AdjustDropSize(DockDragInfo& drag, SIZE& size, const RECT& against, bool fixed)
    {
        if (m_pPane) m_pPane->AdjustDropSize(drag, size, against, fixed);
    }
    virtual void SetDropZone(DockDragInfo& drag, int side, CPaneBase* target, int insertSide)
    {
        if (m_pPane) m_pPane->SetDropZone(drag, side, target, insertSide);
    }
    virtual ~CCallForwarder() = default;
    CPaneBase* m_pPane;
};
