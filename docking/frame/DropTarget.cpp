// Where a dragged pane would dock: the drop-target search of a frame.
#include "docking/frame/DockFrameBase.h"

#include "docking/layout/DockDragInfo.h"
#include "docking/layout/DockSection.h"
#include "docking/layout/Geometry.h"
#include "docking/layout/LayoutBlock.h"
#include "docking/layout/PaneBase.h"

#include <algorithm>

using namespace dockgeo;

RECT CDockFrameBase::DockArea() const
{
    RECT rc = FrameClientRect();
    rc.left += m_insets[0];
    rc.top += m_insets[1];
    rc.right -= m_insets[2];
    rc.bottom -= m_insets[3];
    return ClientToScreenRect(rc);
}

void CDockFrameBase::SetDropRect(DockDragInfo& drag, const RECT& rc, SIZE size)
{
    const POINT o = DropOrigin(drag.zone, rc, size.cx, size.cy);
    drag.ghostX = o.x;
    drag.ghostY = o.y;
    drag.proposed = size;
}

void CDockFrameBase::SetDropRectForSection(DockDragInfo& drag, int side, CDockSection* section, SIZE size)
{
    if (!section)
        return;
    const POINT o = SectionDropOrigin(side, ClientToScreenRect(section->m_rc), size.cx, size.cy);
    drag.ghostX = o.x;
    drag.ghostY = o.y;
    drag.proposed = size;
}

int CDockFrameBase::TrackDropInBlock(DockDragInfo& drag, SIZE& size, int width, int height, const RECT& area, int x,
                                     int y)
{
    CPaneBase* pane = drag.pane;
    POINT pt = {x, y};
    if (!pane || pane->m_pFrame != this || !PtInRect(&area, pt) || !drag.isFormPane)
        return 1;
    const RECT R = pane->GetScreenRect();
    const RECT C = pane->GetClientScreenRect();
    RECT caption = MakeRect(R.left, R.top, R.right, C.top);
    if (!IsRectEmpty(&caption) && PtInRect(&caption, pt)) {
        drag.zone = drag.sourceSide;
        drag.targetIndex = drag.sourceIndex;
        size.cx = width;
        size.cy = height;
        SetDropRect(drag, R, size);
        drag.secondarySide = 255;
        return 0;
    }
    drag.zone = kNoZone;
    return 1;
}

int CDockFrameBase::FindDropInSide(DockDragInfo& drag, int side, int x, int y, SIZE& size, CPaneBase*& target,
                                   int& index)
{
    for (int i = 0; i < SectionCount(side); ++i) {
        CDockSection* s = SectionAt(side, i);
        if (!s->m_bShown)
            continue;
        int zone;
        int position = 0;
        if (drag.isFormPane) {
            zone = s->HitTest(this, drag, x, y, size, target);
        } else {
            const int z = DockZoneFromPoint(ClientToScreenRect(s->m_rc), x, y);
            const int edge = z == kNoZone ? -1 : z / 2;
            if (edge == side) position = 1;
            else if (edge == OppositeSide(side)) position = 2;
            zone = position ? side * 2 + 1 : kNoZone;
        }
        if (zone == kNoZone)
            continue;
        if ((zone & 1) == 0 && position == 0)
            return zone;
        if (position == 2) {
            CDockSection* next = nullptr;
            for (int j = i + 1; j < SectionCount(side) && !next; ++j)
                if (SectionAt(side, j)->m_bShown) { next = SectionAt(side, j); index = j; }
            if (next) {
                SetDropRectForSection(drag, side, next, size);
            } else {
                index = i + 1;
                SetDropRectForSection(drag, side, s, size);
            }
        } else {
            index = i;
            if (position == 1)
                SetDropRectForSection(drag, side, s, size);
        }
        drag.changed = position > 0;
        return zone;
    }
    return kNoZone;
}

int CDockFrameBase::FindDropTarget(DockDragInfo& drag, CPaneBase* pane, int x, int y, SIZE& size)
{
    const RECT area = DockArea();
    const RECT source = drag.sourceRect;
    size.cx = RectWidth(source);
    size.cy = RectHeight(source);
    drag.changed = 0;
    drag.asTab = 0;
    drag.tabTarget = nullptr;
    if (TrackDropInBlock(drag, size, size.cx, size.cy, area, x, y) == 0)
        return drag.zone;

    const int outer = DockZoneFromPoint(area, x, y);
    if (outer != kNoZone && (outer & 1) == 0) {
        drag.zone = outer / 2;
        drag.targetIndex = 0;
        drag.atFrameEdge = 1;
        if (pane) pane->AdjustDropSize(drag, size, area, false);
        drag.changed = 1;
        SetDropRect(drag, area, size);
        return drag.zone;
    }
    int found = kNoZone, foundSide = -1, index = -1;
    CPaneBase* target = nullptr;
    for (int side = 0; side < 4; ++side) {
        CPaneBase* t = nullptr;
        int idx = -1;
        SIZE s = size;
        const int z = FindDropInSide(drag, side, x, y, s, t, idx);
        if (z != kNoZone && ((z & 1) || idx >= 0)) {
            found = z;
            foundSide = side;
            index = idx;
            target = t;
            size = s;
            break;
        }
    }
    if (found != kNoZone && (found & 1) && target != pane) {
        if (pane) {
            const RECT own = MakeRect(0, 0, size.cx, size.cy);
            pane->AdjustDropSize(drag, size, target ? area : own, target != nullptr);
        }
        drag.targetIndex = index;
        if (pane) pane->SetDropZone(drag, foundSide, target, drag.asTab ? -1 : found / 2);
        else drag.zone = foundSide;
        drag.targetFrame = this;
        drag.changed = 1;
        return drag.zone;
    }
    drag.zone = kNoZone;
    const RECT client = ClientToScreenRect(m_rcClient);
    POINT pt = {x, y};
    if (target == pane && target) {
        drag.changed = 1;
        return kNoZone;
    }
    if (PtInRect(&client, pt)) {
        const int z = DockZoneFromPoint(client, x, y);
        if (z != kNoZone && (z & 1)) {
            drag.zone = z / 2;  // the pane fits its ghost to this side
            if (pane) pane->AdjustDropSize(drag, size, client, false);
            drag.targetIndex = -1;
            drag.secondarySide = z / 2;
            SetDropRect(drag, client, size);
        }
    }
    drag.changed = 1;
    return drag.zone;
}
