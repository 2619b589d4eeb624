#include "docking/frame/DockFrameBase.h"

#include "docking/framework/PointerArray.h"
#include "docking/layout/DockSection.h"
#include "docking/layout/Geometry.h"
#include "docking/layout/LayoutBlock.h"
#include "docking/layout/PaneBase.h"
#include "docking/layout/SplitterBar.h"
#include "docking/layout/TabStrip.h"
#include "docking/pane/TreeViewReturn.h"
#include "docking/persist/PaneClaim.h"

#include <algorithm>

using namespace dockgeo;

namespace {
int g_liveFrames = 0;

int ExtentAcross(const RECT& rc, int side) { return IsStacked(side) ? RectHeight(rc) : RectWidth(rc); }
}  // namespace

CDockFrameBase::CDockFrameBase(int isMainFrame) : m_bMainFrame(isMainFrame)
{
    for (auto& s : m_pSides)
        s = new CPointerArray();
    ++g_liveFrames;
}

CDockFrameBase::~CDockFrameBase()
{
    ClearAllSections();
    for (auto& s : m_pSides)
        delete s;
    --g_liveFrames;
}

int CDockFrameBase::LiveCount() { return g_liveFrames; }

RECT CDockFrameBase::FrameClientRect() const
{
    if (m_bUseOverride || !m_hWndFrame)
        return m_rcFrameClientOverride;
    RECT rc = {};
    GetClientRect(m_hWndFrame, &rc);
    return rc;
}

int CDockFrameBase::SectionCount(int side) const
{
    return side >= 0 && side < 4 ? m_pSides[side]->GetCount() : 0;
}

CDockSection* CDockFrameBase::SectionAt(int side, int index) const
{
    return side >= 0 && side < 4 ? m_pSides[side]->At<CDockSection>(index) : nullptr;
}

bool CDockFrameBase::ValidPlacement(int side, int index) const
{
    return side >= 0 && side < 4 && index >= 0 && index < SectionCount(side);
}

RECT CDockFrameBase::ClientToScreenRect(const RECT& rc) const
{
    RECT r = rc;
    if (m_hWndFrame && !m_bUseOverride) {
        POINT pts[2] = {{r.left, r.top}, {r.right, r.bottom}};
        MapWindowPoints(m_hWndFrame, nullptr, pts, 2);
        SetRect(&r, pts[0].x, pts[0].y, pts[1].x, pts[1].y);
    }
    return r;
}

// ---- host measuring ---------------------------------------------------------------------

void CDockFrameBase::MeasureHostInsets(int insets[4], bool visibleOnly)
{
    if (m_hWndMdiClient)
        return;
    insets[0] = insets[1] = insets[2] = insets[3] = 0;
    m_bMdiClientFound = 0;
    if (!m_hWndFrame)
        return;
    static const char* const kBarClasses[] = {
        "ThunderRT6PictureBox", "ThunderRT6PictureBoxDC", "ThunderPictureBoxDC", "ThunderPictureBox",
        "Toolbar20WndClass", "StatusBar20WndClass", "ToolbarWndClass", "ThunderRT6UserControlDC",
        "StatusBarWndClass"};
    std::vector<HostBar> bars;
    for (HWND child = ::GetWindow(m_hWndFrame, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        char cls[200] = {};
        GetClassNameA(child, cls, sizeof(cls) - 1);
        if (lstrcmpiA(cls, "mdiclient") == 0) {
            m_hWndClient = child;
            m_hWndMdiClient = child;
            m_bMdiClientFound = 1;
            continue;
        }
        bool bar = false;
        for (const char* name : kBarClasses)
            if (lstrcmpiA(cls, name) == 0) bar = true;
        if (!bar || child == m_hWndClient)
            continue;
        if (lstrcmpiA(cls, "Toolbar20WndClass") == 0)
            m_hWndHostToolbar = child;
        if (visibleOnly && !(GetWindowLongA(child, GWL_STYLE) & WS_VISIBLE))
            continue;
        RECT rc;
        GetWindowRect(child, &rc);
        MapWindowPoints(nullptr, m_hWndFrame, reinterpret_cast<POINT*>(&rc), 2);
        bars.push_back({rc});
    }
    MeasureBarInsets(FrameClientRect(), bars, insets);
}

void CDockFrameBase::RecheckInsets()
{
    int fresh[4] = {m_insets[0], m_insets[1], m_insets[2], m_insets[3]};
    MeasureHostInsets(fresh, true);
    int old[4] = {m_insets[0], m_insets[1], m_insets[2], m_insets[3]};
    for (int i = 0; i < 4; ++i)
        m_insets[i] = fresh[i];
    const int low = -32767, high = 32767;
    if (fresh[1] != old[1] || fresh[3] != old[3]) {
        if (fresh[1] != old[1]) OffsetSections(1, 0, fresh[1] - old[1], nullptr);
        if (fresh[3] != old[3]) OffsetSections(3, 0, fresh[3] - old[3], nullptr);
        FitSections(0, low, high, nullptr);
        FitSections(2, low, high, nullptr);
    }
    if (fresh[0] != old[0] || fresh[2] != old[2]) {
        if (fresh[0] != old[0]) OffsetSections(0, 0, fresh[0] - old[0], nullptr);
        if (fresh[2] != old[2]) OffsetSections(2, 0, fresh[2] - old[2], nullptr);
        FitSections(1, low, high, nullptr);
        FitSections(3, low, high, nullptr);
    }
}

void CDockFrameBase::AdjustLayout()
{
    if (m_bMdiClientFound)
        return;
    RecheckInsets();
    UpdateClientRect(nullptr);
}

int CDockFrameBase::OnHostSize(UINT type, int width, int height)
{
    if (type == SIZE_MINIMIZED)
        return 1;
    RecheckInsets();
    const bool first = m_lastHostSize.cx == 0 && m_lastHostSize.cy == 0;
    if (!first) {
        const int dx = width - m_lastHostSize.cx, dy = height - m_lastHostSize.cy;
        if (dx) {
            OffsetSections(2, 0, -dx, nullptr);
            FitSections(1, -32767, 32767, nullptr);
            FitSections(3, -32767, 32767, nullptr);
        }
        if (dy) {
            OffsetSections(3, 0, -dy, nullptr);
            FitSections(0, -32767, 32767, nullptr);
            FitSections(2, -32767, 32767, nullptr);
        }
    }
    RECT rc = {SideEdge(0, 2), SideEdge(1, 3), SideEdge(2, 0), SideEdge(3, 1)};
    if (rc.right < rc.left) {
        int a = 0, b = 0;
        ShrinkSections(0, rc.right - rc.left, a, b);
        rc.left -= a;
        rc.right += b;
    }
    if (rc.bottom < rc.top) {
        int a = 0, b = 0;
        ShrinkSections(1, rc.bottom - rc.top, a, b);
        rc.top -= a;
        rc.bottom += b;
    }
    m_rcClient = rc;
    m_lastHostSize.cx = width;
    m_lastHostSize.cy = height;
    if (m_hWndClient)
        DeferMoveRect(m_hWndClient, rc, nullptr);
    return 1;
}

int CDockFrameBase::SideEdge(int side, int which) const
{
    const RECT client = FrameClientRect();
    int edge = 0;
    switch (which) {
    case 0: edge = client.right - m_insets[2]; break;
    case 2: edge = client.left + m_insets[0]; break;
    case 1: edge = client.bottom - m_insets[3]; break;
    default: edge = client.top + m_insets[1]; break;
    }
    for (int i = 0; i < SectionCount(side); ++i) {
        CDockSection* s = SectionAt(side, i);
        if (!s->m_bShown)
            continue;
        const RECT& r = s->m_pSplitter ? s->m_pSplitter->m_rc : s->m_rc;
        switch (which) {
        case 0: edge = r.left; break;
        case 2: edge = r.right; break;
        case 1: edge = r.top; break;
        default: edge = r.bottom; break;
        }
    }
    return edge;
}

void CDockFrameBase::UpdateClientRect(HDWP* batch)
{
    m_rcClient = MakeRect(SideEdge(0, 2), SideEdge(1, 3), SideEdge(2, 0), SideEdge(3, 1));
    if (!m_hWndClient)
        return;
    RECT before = {};
    GetWindowRect(m_hWndClient, &before);
    DeferMoveRect(m_hWndClient, m_rcClient, batch);
    RECT after = {};
    GetWindowRect(m_hWndClient, &after);
    // The client's children (MDI children) keep stale captions unless their frames repaint too.
    if (!batch && !EqualRect(&before, &after))
        RedrawWindow(m_hWndClient, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

int CDockFrameBase::SectionSizeUpTo(int side, const CDockSection* section) const
{
    if (side < 0 || side > 3)
        return 0;
    int total = m_insets[side];
    if (!section)
        return total;
    for (int i = 0; i < SectionCount(side); ++i) {
        CDockSection* s = SectionAt(side, i);
        if (s->m_bShown)
            total += ExtentAcross(s->m_rc, side) + s->SplitterWidth();
        if (s == section)
            return total;
    }
    return m_insets[side];
}

int CDockFrameBase::SumSectionSizes(int side, int from, int to) const
{
    int total = m_insets[side];
    const int end = to < 0 ? SectionCount(side) : std::min(to, SectionCount(side));
    for (int i = std::max(0, from); i < end; ++i) {
        CDockSection* s = SectionAt(side, i);
        if (s->m_bShown)
            total += ExtentAcross(s->m_rc, side) + s->SplitterWidth();
    }
    return total;
}

int CDockFrameBase::FindSectionIndex(int side, const CDockSection* section) const
{
    return side >= 0 && side < 4 ? m_pSides[side]->Find(section) : -1;
}

CDockSection* CDockFrameBase::LastSection(int side) const
{
    const int n = SectionCount(side);
    return n > 0 ? SectionAt(side, n - 1) : nullptr;
}

// ---- placement --------------------------------------------------------------------------

void CDockFrameBase::PlaceSection(CDockSection* section, int side, int index, bool fit, int width, int height,
                                  CLayoutBlock* block)
{
    if (!section || side < 0 || side > 3)
        return;
    const RECT frame = FrameClientRect();
    if (m_rcClient.left == kUnsetRect && m_rcClient.right == kUnsetRect) {
        UpdateClientRect(nullptr);
        m_lastHostSize.cx = RectWidth(frame);
        m_lastHostSize.cy = RectHeight(frame);
    }
    const bool vertical = !IsStacked(side);
    int& extent = vertical ? width : height;
    int avail = (vertical ? RectWidth(m_rcClient) : RectHeight(m_rcClient)) - extent - kSplitterWidth;
    if (avail < 0 && fit) {
        extent = std::max(0, extent + avail);
        avail = (vertical ? RectWidth(m_rcClient) : RectHeight(m_rcClient)) - extent - kSplitterWidth;
    }
    if (avail < 0) {
        int a = 0, b = 0;
        ShrinkSections(vertical ? 0 : 1, avail, a, b);
        if (a + b < -avail)
            extent = std::max(0, extent - (-avail - a - b));
    }

    CDockSection* previous = nullptr;
    for (int i = index - 1; i >= 0 && !previous; --i)
        if (CDockSection* s = SectionAt(side, i); s && s->m_bShown) previous = s;
    const int start = SectionSizeUpTo(side, previous);
    RECT rc, bar;
    // Rows have no bar; their edge is the row's own.
    const int bw = section->SplitterWidth();
    if (vertical) {
        rc.top = frame.top + SectionSizeUpTo(1, section->m_pStartNeighbour);
        rc.bottom = frame.bottom - SectionSizeUpTo(3, section->m_pEndNeighbour);
        if (side == 0) {
            rc.left = frame.left + start;
            rc.right = rc.left + extent;
            bar = MakeRect(rc.right, rc.top, rc.right + bw, rc.bottom);
        } else {
            rc.right = frame.right - start;
            rc.left = rc.right - extent;
            bar = MakeRect(rc.left - bw, rc.top, rc.left, rc.bottom);
        }
    } else {
        rc.left = frame.left + SectionSizeUpTo(0, section->m_pStartNeighbour);
        rc.right = frame.right - SectionSizeUpTo(2, section->m_pEndNeighbour);
        if (side == 1) {
            rc.top = frame.top + start;
            rc.bottom = rc.top + extent;
            bar = MakeRect(rc.left, rc.bottom, rc.right, rc.bottom + bw);
        } else {
            rc.bottom = frame.bottom - start;
            rc.top = rc.bottom - extent;
            bar = MakeRect(rc.left, rc.top - bw, rc.right, rc.top);
        }
    }
    if (section->m_bRow && block && !block->IsLeaf()) {
        // A row of several toolbars packs them along its band, not as a split tree.
        section->m_rc = rc;
        section->Layout(this, vertical ? 0 : 1, nullptr);
    } else if (block && block->IsLeaf() && block->m_pPane) {
        section->MovePane(block->m_pPane, rc);
        block->m_pPane->RelayContent();
    } else if (block) {
        LayoutBlockTree(block, rc, 1, nullptr);
        LayoutBlockTree(block, rc, 0, nullptr);
    }
    section->m_rc = rc;
    if (!section->m_pSplitter)
        section->CreateSplitter(this, side);
    section->m_pSplitter->MoveTo(bar, nullptr);
    section->m_bShown = 1;

    OffsetSections(side, index + 1, extent + section->SplitterWidth(), nullptr);
    const int low = vertical ? rc.top : rc.left, high = vertical ? rc.bottom : rc.right;
    FitSections(vertical ? 1 : 0, low, high, nullptr);
    FitSections(vertical ? 3 : 2, low, high, nullptr);
    UpdateClientRect(nullptr);
}

void CDockFrameBase::LayoutBlockTree(CLayoutBlock* block, const RECT& rc, int axis, HDWP* batch)
{
    if (!block)
        return;
    if (block->IsLeaf()) {
        if (block->m_bVacant || !block->m_pPane)
            return;
        block->m_pPane->MoveTo(rc, batch);
        if (!block->m_pPane->IsShown())
            block->m_pPane->Show(true);
        block->m_pPane->ComputeSizes();
        return;
    }
    CLayoutBlock *a, *b;
    RECT ra, rb;
    block->GetChildRects(a, b, ra, rb);
    const bool va = a && ra.left != kNoRect && !a->m_bVacant;
    const bool vb = b && rb.left != kNoRect && !b->m_bVacant;
    if (va && vb) {
        const bool horizontalAxis = !IsStacked(axis);
        RECT bar = block->m_pSplitter ? block->m_pSplitter->m_rc : MakeRect(0, 0, 0, 0);
        if (IsStacked(block->m_nSplitSide) == IsStacked(axis)) {
            int o, m;
            if (horizontalAxis) {
                SplitExtents(RectWidth(rc), block->m_fRatio, o, m);
                ra = MakeRect(rc.left, rc.top, rc.left + o, rc.bottom);
                bar = MakeRect(rc.left + o, rc.top, rc.right - m, rc.bottom);
                rb = MakeRect(rc.right - m, rc.top, rc.right, rc.bottom);
            } else {
                SplitExtents(RectHeight(rc), block->m_fRatio, o, m);
                ra = MakeRect(rc.left, rc.top, rc.right, rc.top + o);
                bar = MakeRect(rc.left, rc.top + o, rc.right, rc.bottom - m);
                rb = MakeRect(rc.left, rc.bottom - m, rc.right, rc.bottom);
            }
        } else if (horizontalAxis) {
            ra.left = rb.left = bar.left = rc.left;
            ra.right = rb.right = bar.right = rc.right;
        } else {
            ra.top = rb.top = bar.top = rc.top;
            ra.bottom = rb.bottom = bar.bottom = rc.bottom;
        }
        LayoutBlockTree(a, ra, axis, batch);
        LayoutBlockTree(b, rb, axis, batch);
        if (block->m_pSplitter)
            block->m_pSplitter->MoveTo(bar, batch);
    } else if (va) {
        LayoutBlockTree(a, rc, axis, batch);
    } else if (vb) {
        LayoutBlockTree(b, rc, axis, batch);
    }
}

void CDockFrameBase::OffsetBlockTree(CLayoutBlock* block, int delta, int side, HDWP* batch)
{
    if (!block || block->m_bVacant)
        return;
    auto shift = [&](RECT& rc, int s) {
        switch (s) {
        case 0: OffsetRect(&rc, delta, 0); break;
        case 2: OffsetRect(&rc, -delta, 0); break;
        case 1: OffsetRect(&rc, 0, delta); break;
        default: OffsetRect(&rc, 0, -delta); break;
        }
    };
    if (block->IsLeaf()) {
        if (CPaneBase* pane = block->m_pPane) {
            RECT rc = pane->GetRectInFrame();
            shift(rc, side);
            pane->MoveTo(rc, batch);
            pane->ComputeSizes();
        }
        return;
    }
    OffsetBlockTree(block->m_pFirst, delta, side, batch);
    OffsetBlockTree(block->m_pSecond, delta, side, batch);
    const bool both = block->m_pFirst && block->m_pSecond && !block->m_pFirst->m_bVacant && !block->m_pSecond->m_bVacant;
    if (block->m_pSplitter && both) {
        RECT rc = block->m_pSplitter->m_rc;
        shift(rc, side);
        block->m_pSplitter->MoveTo(rc, batch);
    }
}

void CDockFrameBase::OffsetSections(int side, int start, int delta, HDWP* batch)
{
    for (int i = std::max(0, start); i < SectionCount(side); ++i)
        SectionAt(side, i)->MoveBy(this, side, delta, batch);
}

void CDockFrameBase::FitSections(int side, int low, int high, HDWP* batch)
{
    const RECT client = FrameClientRect();
    for (int i = 0; i < SectionCount(side); ++i)
        SectionAt(side, i)->FitToFrame(this, client, side, low, high, batch);
}

void CDockFrameBase::ResizeSection(CDockSection* section, int delta)
{
    int side = -1;
    for (int s = 0; s < 4 && side < 0; ++s)
        if (FindSectionIndex(s, section) >= 0) side = s;
    if (side < 0 || !section->m_bShown || !section->m_pRoot)
        return;
    RECT rc;
    section->m_pRoot->GetBlockRect(rc);
    if (rc.left == kNoRect)
        rc = section->m_rc;
    switch (side) {
    case 0: rc.right += delta; break;
    case 2: rc.left -= delta; break;
    case 1: rc.bottom += delta; break;
    default: rc.top -= delta; break;
    }
    if (section->m_pSplitter)
        section->m_pSplitter->Offset((side == 0 || side == 1) ? delta : -delta, nullptr);
    LayoutBlockTree(section->m_pRoot, rc, IsStacked(side) ? 1 : 0, nullptr);
    section->ComputeBlockRect(this);
    const int index = FindSectionIndex(side, section);
    OffsetSections(side, index + 1, delta, nullptr);
    if (section->m_pSplitter) {
        const RECT& bar = section->m_pSplitter->m_rc;
        const bool vertical = !IsStacked(side);
        const int low = vertical ? bar.top : bar.left, high = vertical ? bar.bottom : bar.right;
        FitSections(vertical ? 1 : 0, low, high, nullptr);
        FitSections(vertical ? 3 : 2, low, high, nullptr);
    }
}

void CDockFrameBase::ShrinkSections(int axis, int amount, int& takenStart, int& takenEnd)
{
    int missing = -amount;
    const int sides[2] = {axis == 0 ? 0 : 1, axis == 0 ? 2 : 3};
    for (int k = 0; k < 2 && missing > 0; ++k) {
        const int side = sides[k];
        for (int i = SectionCount(side) - 1; i >= 0 && missing > 0; --i) {
            CDockSection* s = SectionAt(side, i);
            if (!s->m_bShown || s->m_bRow)
                continue;
            const int can = ExtentAcross(s->m_rc, side) - kMinShrunkSection;
            if (can <= 0)
                continue;
            const int give = std::min(can, missing);
            ResizeSection(s, -give);
            missing -= give;
            (k == 0 ? takenStart : takenEnd) += give;
        }
    }
}

// ---- panes and sections -----------------------------------------------------------------

void CDockFrameBase::RenumberFrom(int side, int start)
{
    for (int i = std::max(0, start); i < SectionCount(side); ++i)
        RenumberPanes(SectionAt(side, i)->m_pRoot, i);
}

void CDockFrameBase::DockPane(CPaneBase* pane, int, CDockSection** newSection)
{
    if (newSection)
        *newSection = nullptr;
    if (!pane || pane->m_nSide < 0 || pane->m_nSide > 3)
        return;
    const int side = pane->m_nSide;
    CDockSection* section = nullptr;
    CLayoutBlock* block = pane->m_pBlock;
    int index = pane->m_nSectionIndex;
    // A remembered place is used only when it still names a section of this frame.
    if (block && !ValidPlacement(side, index))
        block = pane->m_pBlock = nullptr;
    if (block) {
        if (block->HasSlots() && block->m_pPane && block->m_pPane != pane) {
            block->AddPaneAsTab(pane, !m_bMainFrame);
            return;
        }
        block->m_pPane = pane;
        block->m_bVacant = false;
        pane->m_pFrame = this;
        section = SectionAt(side, index);
        if (!section->IsEmpty() && section->m_bShown) {
            ClearVacancyUp(block);
            section->RestoreBlock(this, pane);
            return;
        }
        ClearVacancyUp(block);
        if (!section->m_pSplitter)
            section->CreateSplitter(this, side);
    } else {
        block = new CLayoutBlock();
        block->m_pPane = pane;
        pane->m_pBlock = block;
        pane->m_pFrame = this;
        section = pane->MakeSection();
        if (newSection)
            *newSection = section;
        section->m_pRoot = block;
        index = InsertSection(section, side, index);
        pane->m_nSectionIndex = index;
        RenumberFrom(side, index);
    }
    int width, height;
    const RECT& sr = section->m_rc;
    if (pane->IsFormPane() && RectWidth(sr) > 0 && RectHeight(sr) > 0 && sr.left >= 0 && sr.top >= 0) {
        width = RectWidth(sr);
        height = RectHeight(sr);
    } else {
        width = pane->m_nDockedWidth;
        height = pane->m_nDockedHeight;
    }
    if (width <= 0) width = 20;
    if (height <= 0) height = 20;
    PlaceSection(section, side, index, pane->IsFormPane(), width, height, section->m_pRoot);
    OnPaneDocked(pane);
}

int CDockFrameBase::InsertSection(CDockSection* section, int side, int index)
{
    const int startSide = StartNeighbourSide(side), endSide = EndNeighbourSide(side);
    if (index < 0 || index > SectionCount(side)) {
        section->m_pStartNeighbour = LastSection(startSide);
        section->m_pEndNeighbour = LastSection(endSide);
        index = SectionCount(side);
    } else {
        CDockSection* before = index > 0 ? SectionAt(side, index - 1) : nullptr;
        if (before) {
            section->m_pStartNeighbour = before->m_pStartNeighbour;
            section->m_pEndNeighbour = before->m_pEndNeighbour;
        }
        // Sections of the perpendicular sides that were bounded by the one before now meet the new one.
        const bool atStart = side == 0 || side == 1;
        for (int perp : {startSide == 1 ? 1 : 0, startSide == 1 ? 3 : 2})
            for (int i = 0; i < SectionCount(perp); ++i) {
                CDockSection* s = SectionAt(perp, i);
                CDockSection*& link = atStart ? s->m_pStartNeighbour : s->m_pEndNeighbour;
                if (link == before) link = section;
            }
    }
    section->CreateSplitter(this, side);
    m_pSides[side]->InsertAt(section, index);
    RenumberFrom(side, index);
    return index;
}

CDockSection* CDockFrameBase::InsertBlock(CLayoutBlock* block, int side, int index, SIZE proposed)
{
    if (!block || side < 0 || side > 3)
        return nullptr;
    auto* section = new CDockSection();
    section->m_pRoot = block;
    block->m_pParent = nullptr;
    index = InsertSection(section, side, index);
    block->AttachTree(this, side);
    RenumberPanes(block, index);
    RECT rc;
    block->GetBlockRect(rc);
    int width = rc.left == kNoRect ? 0 : RectWidth(rc), height = rc.left == kNoRect ? 0 : RectHeight(rc);
    if (width <= 0 || height <= 0) {
        width = proposed.cx;
        height = proposed.cy;
    }
    if (width <= 0) width = 20;
    if (height <= 0) height = 20;
    PlaceSection(section, side, index, true, width, height, block);
    return section;
}

namespace {
bool SameTitle(const std::string& a, const std::string& b) { return lstrcmpiA(a.c_str(), b.c_str()) == 0; }

CLayoutBlock* FindTitle(CLayoutBlock* block, const CPaneBase* pane, const std::string& title,
                        CDockFrameBase::Placement& out, TabSlot*& slotOut)
{
    if (!block)
        return nullptr;
    if (block->IsLeaf()) {
        if (block->m_bHasPlaceholderTitle && SameTitle(block->m_placeholderTitle, title)) {
            out.flags = pane->IsFormPane() ? 3 : (block->m_nPlaceholderFloating ? 0 : 2);
            out.position = block->m_placeholderPos;
            return block;
        }
        if (block->m_pSlots)
            for (TabSlot& slot : *block->m_pSlots)
                if (slot.hasTitle && SameTitle(slot.title, title)) {
                    out.flags = slot.misc;
                    out.position = POINT{slot.left, slot.top};
                    out.size = SIZE{slot.width, slot.height};
                    slotOut = &slot;
                    return block;
                }
        return nullptr;
    }
    if (CLayoutBlock* b = FindTitle(block->m_pFirst, pane, title, out, slotOut)) return b;
    return FindTitle(block->m_pSecond, pane, title, out, slotOut);
}
}  // namespace

CLayoutBlock* CDockFrameBase::FindPlacement(CPaneBase* pane, const std::string& title, Placement& out)
{
    out = Placement();
    if (!pane || title.empty())
        return nullptr;
    for (int side = 0; side < 4; ++side)
        for (int i = 0; i < SectionCount(side); ++i) {
            CDockSection* section = SectionAt(side, i);
            TabSlot* slot = nullptr;
            CLayoutBlock* block = FindTitle(section->m_pRoot, pane, title, out, slot);
            if (!block)
                continue;
            if ((section->m_bRow != 0) == pane->IsFormPane()) {
                // A place of the other kind: forget it rather than put the pane there.
                RemovePaneFromSection(block, nullptr, title.c_str(), side, i);
                out = Placement();
                return nullptr;
            }
            if (slot) {
                slot->title.clear();
                slot->hasTitle = false;
                slot->pane = pane;
            }
            out.block = block;
            out.side = side;
            out.index = i;
            if (out.flags & 2) {
                pane->m_pBlock = block;
                pane->m_nSide = side;
                pane->m_nSectionIndex = i;
                pane->m_pFrame = this;
            } else {
                pane->m_pFloatBlock = block;
                pane->m_nFloatSectionIndex = i;
                pane->m_pFloatFrame = this;
            }
            return block;
        }
    return nullptr;
}

void CDockFrameBase::AddPaneSection(CPaneBase* pane)
{
    if (!pane || pane->m_pBlock || pane->m_nSectionIndex >= 0 || pane->m_nSide < 0 || pane->m_nSide > 3)
        return;
    auto* block = new CLayoutBlock();
    block->m_pPane = pane;
    pane->m_pBlock = block;
    pane->m_pFrame = this;
    CDockSection* section = pane->MakeSection();
    section->m_pRoot = block;
    section->m_pStartNeighbour = LastSection(StartNeighbourSide(pane->m_nSide));
    section->m_pEndNeighbour = LastSection(EndNeighbourSide(pane->m_nSide));
    m_pSides[pane->m_nSide]->Add(section);
    pane->m_nSectionIndex = SectionCount(pane->m_nSide) - 1;
    RenumberFrom(pane->m_nSide, pane->m_nSectionIndex);
}

void CDockFrameBase::RemovePaneFromSection(CLayoutBlock* block, CPaneBase* pane, const char* title, int side, int index)
{
    if (index < 0 || !block || !ValidPlacement(side, index))
        return;
    const int remaining = pane ? block->RemoveSlotByPane(pane) : block->RemoveSlotByTitle(title ? title : "");
    if (pane && pane->m_pBlock == block)
        pane->m_pBlock = nullptr;
    if (block->m_pPane == pane && pane)
        block->m_pPane = nullptr;
    if (remaining > 0) {
        // The leaf still stands for other panes (or remembered ones).
        if (!block->m_pPane && block->m_pTabStrip == nullptr)
            for (const TabSlot& s : *block->m_pSlots)
                if (s.pane) { block->m_pPane = s.pane; break; }
        if (!block->m_pPane)
            block->m_bVacant = true;
        return;
    }
    CDockSection* section = SectionAt(side, index);
    if (!section->RemoveBlock(block))
        return;
    CDockSection* before = index > 0 ? SectionAt(side, index - 1) : nullptr;
    m_pSides[side]->RemoveAt(index);
    for (int perp = 0; perp < 4; ++perp)
        if (perp != side && perp != OppositeSide(side))
            ReplaceNeighbour(perp, section, before);
    delete section;
    RenumberFrom(side, index);
}

void CDockFrameBase::RemovePane(CPaneBase* pane)
{
    if (pane)
        RemovePaneFromSection(pane->m_pBlock, pane, nullptr, pane->m_nSide, pane->m_nSectionIndex);
}

void CDockFrameBase::ReleasePane(CPaneBase* pane, CDockFrameBase* newContainer)
{
    if (!pane)
        return;
    const int side = pane->m_nSide;
    CLayoutBlock* block = pane->m_pBlock;
    if (ValidPlacement(side, pane->m_nSectionIndex) && block && !block->m_bVacant) {
        CDockSection* section = SectionAt(side, pane->m_nSectionIndex);
        const RECT rc = pane->GetRectInFrame();
        const bool tabbed = block->m_pPane != pane && block->m_pTabStrip && block->m_pTabStrip->HasPane(pane);
        if (block->RemoveTab(pane) == 0 && !tabbed) {
            block->m_bVacant = true;
            pane->Show(false);
            if (section->CollapseBlock(this, block, rc) && section->m_bShown) {
                section->DestroySplitter();
                const int extent = ExtentAcross(rc, side) + section->SplitterWidth();
                OffsetSections(side, pane->m_nSectionIndex + 1, -extent, nullptr);
                const bool vertical = !IsStacked(side);
                const int low = vertical ? rc.top : rc.left, high = vertical ? rc.bottom : rc.right;
                FitSections(vertical ? 1 : 0, low, high, nullptr);
                FitSections(vertical ? 3 : 2, low, high, nullptr);
                UpdateClientRect(nullptr);
            }
        } else {
            pane->Show(false);
        }
    }
    if (!m_bMainFrame) {
        pane->m_bPlaced = false;
        pane->m_bMoving = true;
        pane->Show(false);
        OnPaneReleased(pane);
        AfterPaneReleased();
    }
    if (newContainer == this)
        RemovePane(pane);
}

void CDockFrameBase::RenumberPanes(CLayoutBlock* block, int index)
{
    if (!block)
        return;
    RenumberPanes(block->m_pFirst, index);
    RenumberPanes(block->m_pSecond, index);
    block->SetSlotsSectionIndex(index, this);
    if (CPaneBase* p = block->m_pPane) {
        // A vacant leaf keeps naming a pane that may live elsewhere now.
        if (p->m_pFrame == this && (p->m_pBlock == block || !p->m_pBlock)) p->m_nSectionIndex = index;
        if (p->m_pFloatFrame == this && (p->m_pFloatBlock == block || !p->m_pFloatBlock)) p->m_nFloatSectionIndex = index;
    }
    if (block->m_pTabStrip)
        for (CPaneBase* p : block->m_pTabStrip->GetPanes()) {
            if (p->m_pFrame == this) p->m_nSectionIndex = index;
            if (p->m_pFloatFrame == this) p->m_nFloatSectionIndex = index;
        }
}

void CDockFrameBase::ReplaceNeighbour(int side, CDockSection* oldSection, CDockSection* newSection)
{
    for (int i = 0; i < SectionCount(side); ++i) {
        CDockSection* s = SectionAt(side, i);
        if (s->m_pStartNeighbour == oldSection) s->m_pStartNeighbour = newSection;
        if (s->m_pEndNeighbour == oldSection) s->m_pEndNeighbour = newSection;
    }
}

namespace {
CLayoutBlock* FindPaneBlock(CLayoutBlock* block, const CPaneBase* pane)
{
    if (!block)
        return nullptr;
    if (block->IsLeaf()) {
        if (block->m_pPane == pane) return block;
        if (block->m_pSlots)
            for (const TabSlot& s : *block->m_pSlots)
                if (s.pane == pane) return block;
        return nullptr;
    }
    if (CLayoutBlock* b = FindPaneBlock(block->m_pFirst, pane)) return b;
    return FindPaneBlock(block->m_pSecond, pane);
}
}  // namespace

int CDockFrameBase::RememberPane(CPaneBase* pane)
{
    if (!pane)
        return 0;
    for (int side = 0; side < 4; ++side)
        for (int i = 0; i < SectionCount(side); ++i) {
            CLayoutBlock* block = FindPaneBlock(SectionAt(side, i)->m_pRoot, pane);
            if (!block)
                continue;
            const RECT sr = pane->GetScreenRect();
            if (!pane->IsFormPane()) {
                if (block->m_pPane == pane) {
                    block->m_pPane = nullptr;
                    block->m_placeholderTitle = pane->m_title;
                    block->m_bHasPlaceholderTitle = true;
                    block->m_pPlaceholderFloat = std::make_unique<RECT>(pane->m_rcFloat);
                    block->m_placeholderPos = POINT{sr.left, sr.top};
                    block->m_nPlaceholderFloating = pane->m_bFloating ? 1 : 0;
                    block->m_nRestore = pane->m_bFloating ? (pane->m_bPlaced ? 1 : 0) : (pane->m_pFrame ? 0 : 1);
                    block->m_bVacant = true;
                    block->m_nPlaceholderExtra = pane->m_nExtra;
                }
                return 1;
            }
            // Remembered under the name the layout store saves and claims panes by, not by
            // caption: a slot named otherwise is never found again in the next start.
            const std::string name = PaneClaim::NameOf(pane);
            int misc = pane->m_pFrame == this ? 3 : 1;
            if (pane->m_bUnpinned)
                misc = (misc & ~1) | 8;
            if (block->m_pSlots && !block->m_pSlots->empty()) {
                for (TabSlot& s : *block->m_pSlots)
                    if (s.pane == pane) {
                        s.title = name;
                        s.hasTitle = true;
                        s.left = pane->m_rcFloat.left;
                        s.top = pane->m_rcFloat.top;
                        s.width = RectWidth(pane->m_rcFloat) <= 10 ? 200 : RectWidth(pane->m_rcFloat);
                        s.height = RectHeight(pane->m_rcFloat) <= 10 ? 200 : RectHeight(pane->m_rcFloat);
                        s.pane = nullptr;
                        s.misc = misc;
                    }
            } else if (block->m_pPane == pane) {
                block->AddTabSlot(name, misc, POINT{pane->m_rcFloat.left, pane->m_rcFloat.top},
                                  RectWidth(pane->m_rcFloat), RectHeight(pane->m_rcFloat));
            }
            return 1;
        }
    return 0;
}

namespace {
void ScrubPane(CLayoutBlock* block, const CPaneBase* pane)
{
    if (!block)
        return;
    ScrubPane(block->m_pFirst, pane);
    ScrubPane(block->m_pSecond, pane);
    if (block->m_pTabStrip && block->m_pTabStrip->HasPane(pane))
        block->RemoveTab(const_cast<CPaneBase*>(pane));
    if (block->m_pSlots) {
        auto& slots = *block->m_pSlots;
        slots.erase(std::remove_if(slots.begin(), slots.end(),
                                   [pane](const TabSlot& s) { return s.pane == pane && !s.hasTitle; }),
                    slots.end());
        for (TabSlot& s : slots)
            if (s.pane == pane)
                s.pane = nullptr;
    }
    if (block->m_pPane == pane) {
        block->m_pPane = nullptr;
        if (block->IsLeaf())
            block->m_bVacant = true;
    }
}
}  // namespace

void CDockFrameBase::ForgetPane(CPaneBase* pane)
{
    if (!pane)
        return;
    RememberPane(pane);
    for (int side = 0; side < 4; ++side)
        for (int i = 0; i < SectionCount(side); ++i)
            ScrubPane(SectionAt(side, i)->m_pRoot, pane);
}

void CDockFrameBase::ClearVacancyUp(CLayoutBlock* block)
{
    if (!block || block->m_bVacant)
        return;
    for (CLayoutBlock* p = block->m_pParent; p; p = p->m_pParent)
        p->m_bVacant = false;
}

void CDockFrameBase::ClearAllSections()
{
    for (auto* list : m_pSides) {
        for (int i = 0; i < list->GetCount(); ++i)
            delete list->At<CDockSection>(i);
        list->RemoveAll();
    }
}

void CDockFrameBase::AddPaneForm(HWND form)
{
    if (form && std::find(m_paneForms.begin(), m_paneForms.end(), form) == m_paneForms.end()) {
        TreeViewReturn::HookTreeViews(form);
        m_paneForms.push_back(form);
    }
}

void CDockFrameBase::RemovePaneForm(HWND form)
{
    m_paneForms.erase(std::remove(m_paneForms.begin(), m_paneForms.end(), form), m_paneForms.end());
}
