// The main frame's auto-hide strips: each is a section of its side, 22 pixels across, made when
// the first pane of the side is unpinned and removed with the last tab.
#include "docking/autohide/CPinPopupFrame.h"
#include "docking/frame/MainDockFrame.h"
#include "docking/layout/Geometry.h"
#include "docking/layout/LayoutBlock.h"
#include "docking/layout/SplitterBar.h"
#include "docking/pane/CPaneWnd.h"
#include "docking/pane/CaptionFonts.h"
#include "docking/pane/PaneOwner.h"
#include "docking/framework/PointerArray.h"

namespace {
constexpr int kStripSize = 22;

// A strip has no splitter bar: the room it takes is its own 22 pixels.
void PlaceStrip(CMainDockFrame& frame, CAutoHideBar* strip, int side, int index)
{
    frame.PlaceSection(strip, side, index, true, kStripSize, kStripSize, nullptr);
    delete strip->m_pSplitter;
    strip->m_pSplitter = nullptr;
    frame.UpdateClientRect(nullptr);
    strip->MovePane(nullptr, strip->m_rc);
    if (strip->m_hWnd)
        ShowWindow(strip->m_hWnd, SW_SHOWNA);
}
}  // namespace

CPinPopupFrame* CMainDockFrame::TrackedPopup() { return dynamic_cast<CPinPopupFrame*>(m_pTrackedPopup); }

void CMainDockFrame::TrackPopup(CPinPopupFrame* popup) { SetTrackedPopup(popup); }

void CMainDockFrame::PopupMouseMove(HWND under, POINT screen)
{
    MOUSEHOOKSTRUCT info = {};
    info.pt = screen;
    info.hwnd = under;
    info.wHitTestCode = HTCLIENT;
    TrackMouse(WM_MOUSEMOVE, &info);
}

HFONT CMainDockFrame::CaptionFont() { return CaptionFonts::Normal(); }

IUnknown* CMainDockFrame::PaneImage(CPaneBase* pane)
{
    auto* wnd = dynamic_cast<CPaneWnd*>(pane);
    return wnd && wnd->owner ? wnd->owner->TabPicture() : nullptr;
}

void CMainDockFrame::AddAutoHideStrip(int side, int index)
{
    if (side < 0 || side > 3 || m_pStrips[side])
        return;
    auto* strip = new CAutoHideBar(side, this);
    strip->m_hWndParent = m_hWndFrame;
    const int at = InsertSection(strip, side, index);
    m_pStrips[side] = strip;
    PlaceStrip(*this, strip, side, at);
}

void CMainDockFrame::UnpinPane(int side, CPaneBase* pane, int force)
{
    if (side < 0 || side > 3 || !pane)
        return;
    CAutoHideBar* strip = m_pStrips[side];
    if (!strip) {
        // After the leading toolbar rows, or outermost when forced.
        int index = 0;
        if (!force)
            while (index < SectionCount(side) && SectionAt(side, index)->m_bRow)
                ++index;
        AddAutoHideStrip(side, index);
        strip = m_pStrips[side];
    } else if (!strip->m_bShown) {
        PlaceStrip(*this, strip, side, FindSectionIndex(side, strip));
    }
    if (strip)
        strip->AddTab(pane);
}

void CMainDockFrame::RemoveFromAutoHide(int side, CPaneBase* pane)
{
    if (side < 0 || side > 3 || !m_pStrips[side])
        return;
    CAutoHideBar* strip = m_pStrips[side];
    if (CPinPopupFrame* open = TrackedPopup(); open && open->m_pStrip == strip && (!pane || open->m_pPane == pane))
        CloseTrackedPopup();
    if (strip->RemoveTab(pane) > 0)
        return;
    // The last tab went: the strip's room goes back to the layout.
    const int index = FindSectionIndex(side, strip);
    const RECT rc = strip->m_rc;
    m_pStrips[side] = nullptr;
    if (index >= 0) {
        CDockSection* before = index > 0 ? SectionAt(side, index - 1) : nullptr;
        m_pSides[side]->RemoveAt(index);
        ReplaceNeighbour(StartNeighbourSide(side) == 1 ? 1 : 0, strip, before);
        ReplaceNeighbour(EndNeighbourSide(side) == 3 ? 3 : 2, strip, before);
        RenumberFrom(side, index);
        if (strip->m_bShown) {
            const int extent = (side == 1 || side == 3 ? rc.bottom - rc.top : rc.right - rc.left) + strip->SplitterWidth();
            OffsetSections(side, index, -extent, nullptr);
            const bool vertical = side == 0 || side == 2;
            const int low = vertical ? rc.top : rc.left, high = vertical ? rc.bottom : rc.right;
            FitSections(vertical ? 1 : 0, low, high, nullptr);
            FitSections(vertical ? 3 : 2, low, high, nullptr);
        }
    }
    delete strip;
    UpdateClientRect(nullptr);
}

void CMainDockFrame::RecalcAutoHideStrips()
{
    for (CAutoHideBar* strip : m_pStrips)
        if (strip)
            strip->Recalc();
}

void CMainDockFrame::PinAllOfSide(int side)
{
    if (side < 0 || side > 3 || !m_pStrips[side])
        return;
    std::vector<CPaneBase*> panes;
    for (const CAutoHideBar::Tab& t : m_pStrips[side]->Tabs())
        panes.push_back(t.pane);
    for (CPaneBase* p : panes)
        if (auto* wnd = dynamic_cast<CPaneWnd*>(p))
            ChangePinState(wnd, 1);
        else
            RemoveFromAutoHide(side, p);
}

bool CMainDockFrame::ChangePinState(CPaneWnd* pane, int state)
{
    if (!pane || state < 0 || state > 2 || state == pane->pinState || !pane->m_bFormPane)
        return false;
    if (state == 2 && pane->hwnd && (pane->container == this || pane->miniFrame)) {
        // Docked here or floating: the pane goes to the strip of the side it was docked at.
        int side = pane->container == this ? pane->side : pane->prevSide;
        if (side < 0 || side > 3 || (pane->owner && !pane->owner->CanDock(side)))
            side = pane->side >= 0 && pane->side <= 3 ? pane->side : 0;
        // Its leaf remembers it as unpinned, for the layout store.
        pane->m_bUnpinned = true;
        if (pane->container == this)
            RememberPane(pane);
        pane->LeavePlace();
        pane->hiddenFloating = false;
        pane->side = side;
        pane->m_nSide = side;
        pane->ReparentTo(m_hWndFrame);
        pane->Show(false);
        pane->SetPinState(2);
        UnpinPane(side, pane, 1);
        RecalcAutoHideStrips();
        if (pane->owner)
            pane->owner->FireHidden();
        return true;
    }
    if (state == 2 && pane->hwnd && !pane->container && !pane->miniFrame && !pane->m_bUnpinned) {
        // A hidden pane goes onto its strip directly: no unpinned pane is without a tab.
        int side = pane->side >= 0 && pane->side <= 3 ? pane->side : pane->prevSide;
        if (side < 0 || side > 3)
            side = 0;
        pane->m_bUnpinned = true;
        pane->side = side;
        pane->m_nSide = side;
        pane->hiddenFloating = false;
        pane->ReparentTo(m_hWndFrame);
        pane->Show(false);
        pane->SetPinState(2);
        UnpinPane(side, pane, 1);
        RecalcAutoHideStrips();
        return true;
    }
    if (pane->pinState == 2 && pane->m_bUnpinned) {
        const int side = pane->side;
        TakeOffStrip(pane, state);
        // Back into the block it left when that is still there, else a new section at its side.
        if (!pane->ReturnToPrevious())
            pane->DockTo(this, side);
        if (pane->owner)
            pane->owner->FireShown();
        return true;
    }
    return false;
}

void CMainDockFrame::TakeOffStrip(CPaneWnd* pane, int state)
{
    RemoveFromAutoHide(pane->side, pane);
    RecalcAutoHideStrips();
    pane->m_bUnpinned = false;
    pane->SetPinState(state);
    pane->Show(false);
    pane->placed = 0;
    // The name its leaf kept while it was away would otherwise be saved beside the pane.
    if (CLayoutBlock* left = pane->prevBlock)
        if (left->m_pSlots)
            for (const TabSlot& s : *left->m_pSlots)
                if (!s.pane && s.hasTitle && lstrcmpiA(s.title.c_str(), pane->m_title.c_str()) == 0) {
                    left->RemoveSlotByTitle(pane->m_title);
                    break;
                }
}

void CMainDockFrame::RecheckAutoHide(int side, int index)
{
    const CDockSection* section = side >= 0 && side <= 3 ? SectionAt(side, index) : nullptr;
    if (!section || !m_bRecheckAutoHide)
        return;
    const int first = StartNeighbourSide(side), second = EndNeighbourSide(side);
    const int starts[2] = {FindSectionIndex(first, section->m_pStartNeighbour),
                           FindSectionIndex(second, section->m_pEndNeighbour)};
    const int sides[2] = {first, second};
    for (int k = 0; k < 2; ++k) {
        CAutoHideBar* strip = m_pStrips[sides[k]];
        if (strip && starts[k] < FindSectionIndex(sides[k], strip))
            PinAllOfSide(sides[k]);
    }
}

void CMainDockFrame::ShowAutoHidden(CPaneWnd* pane)
{
    if (!pane || !pane->m_bUnpinned || pane->side < 0 || pane->side > 3 || !m_pStrips[pane->side])
        return;
    if (CPinPopupFrame* open = TrackedPopup(); open && open->m_pPane == pane)
        return;
    m_pStrips[pane->side]->ShowPopup(pane);
    m_tracking.touched = true;
    if (pane->owner)
        pane->owner->FireShown();
}

void CMainDockFrame::RepinHidden(CPaneWnd* pane)
{
    if (!pane || !pane->m_bUnpinned)
        return;
    if (CPinPopupFrame* open = TrackedPopup(); open && open->m_pPane == pane)
        CloseTrackedPopup();
    TakeOffStrip(pane, 1);
}
