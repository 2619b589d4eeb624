#include "docking/layout/TabStrip.h"

#include "docking/layout/LayoutBlock.h"
#include "docking/layout/PaneBase.h"

#include <algorithm>

namespace {
int g_liveStrips = 0;
}

CTabStrip::CTabStrip(CLayoutBlock* block) : m_pBlock(block) { ++g_liveStrips; }

CTabStrip::~CTabStrip() { --g_liveStrips; }

int CTabStrip::LiveCount() { return g_liveStrips; }

int CTabStrip::IndexOf(const CPaneBase* pane) const
{
    for (size_t i = 0; i < m_tabs.size(); ++i)
        if (m_tabs[i].pane == pane)
            return static_cast<int>(i);
    return -1;
}

int CTabStrip::AddTab(CPaneBase* pane) { return InsertTab(pane, TabCount()); }

int CTabStrip::InsertTab(CPaneBase* pane, int index)
{
    if (!pane || IndexOf(pane) >= 0)
        return TabCount();
    index = std::clamp(index, 0, TabCount());
    CTabEntry entry;
    entry.caption = pane->m_title;
    entry.pane = pane;
    m_tabs.insert(m_tabs.begin() + index, entry);
    if (index <= m_nSelected && TabCount() > 1 && index < TabCount() - 1)
        ++m_nSelected;
    return TabCount();
}

int CTabStrip::RemoveTab(CPaneBase* pane)
{
    const int index = IndexOf(pane);
    if (index < 0)
        return TabCount() > 0 ? 1 : 0;
    RECT kept = {};
    const bool keep = TabCount() >= 2 && PaneAt(m_nSelected);
    if (keep)
        kept = PaneAt(m_nSelected)->GetRectInFrame();
    m_tabs.erase(m_tabs.begin() + index);
    if (index <= m_nSelected)
        m_nSelected = std::max(0, m_nSelected - 1);
    if (m_tabs.empty()) {
        Hide();
        return 0;
    }
    m_nSelected = std::min(m_nSelected, TabCount() - 1);
    CPaneBase* current = PaneAt(m_nSelected);
    if (m_pBlock)
        m_pBlock->m_pPane = current;
    m_pCurrent = current;
    if (keep && current != pane)
        current->MoveTo(kept, nullptr);
    current->Show(true);
    current->RelayContent();
    if (TabCount() >= 2) {
        AttachTo(current);
    } else {
        m_tabs.clear();
        m_nSelected = 0;
        Hide();
    }
    return 1;
}

void CTabStrip::SelectTab(int index)
{
    if (index < 0 || index >= TabCount())
        return;
    CPaneBase* previous = PaneAt(m_nSelected);
    m_nSelected = index;
    CPaneBase* pane = PaneAt(index);
    if (previous && previous != pane) {
        pane->MoveTo(previous->GetRectInFrame(), nullptr);
        previous->Show(false);
    }
    pane->Show(true);
    if (m_pBlock)
        m_pBlock->m_pPane = pane;
    m_pCurrent = pane;
    AttachTo(pane);
}

void CTabStrip::SelectPane(CPaneBase* pane)
{
    const int index = IndexOf(pane);
    if (index >= 0)
        SelectTab(index);
}

bool CTabStrip::SetTabText(const CPaneBase* pane, const std::string& text)
{
    const int index = IndexOf(pane);
    if (index < 0)
        return false;
    m_tabs[index].caption = text;
    if (m_hWnd)
        InvalidateRect(m_hWnd, nullptr, TRUE);
    return true;
}

std::string CTabStrip::TabText(const CPaneBase* pane) const
{
    const int index = IndexOf(pane);
    return index >= 0 ? m_tabs[index].caption : std::string();
}

int CTabStrip::HasPane(const CPaneBase* pane) const { return IndexOf(pane) >= 0 ? 1 : 0; }

CPaneBase* CTabStrip::PaneAt(int index) const
{
    return index >= 0 && index < TabCount() ? m_tabs[index].pane : nullptr;
}

std::vector<CPaneBase*> CTabStrip::GetPanes() const
{
    std::vector<CPaneBase*> panes;
    for (const CTabEntry& e : m_tabs)
        panes.push_back(e.pane);
    return panes;
}

void CTabStrip::SwapTabs(const CPaneBase* a, const CPaneBase* b)
{
    const int ia = IndexOf(a), ib = IndexOf(b);
    if (ia >= 0 && ib >= 0)
        std::swap(m_tabs[ia], m_tabs[ib]);
}

void CTabStrip::AttachTo(CPaneBase* pane)
{
    m_pCurrent = pane;
    m_bShown = true;
    if (m_hWnd && pane && pane->GetWindow()) {
        SetParent(m_hWnd, pane->GetWindow());
        ShowWindow(m_hWnd, SW_SHOWNA);
    }
}

void CTabStrip::Hide()
{
    m_bShown = false;
    if (m_hWnd)
        ShowWindow(m_hWnd, SW_HIDE);
}
