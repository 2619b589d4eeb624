#pragma once
// The strip of tabs of a leaf that shows two or more panes. This holds the tab list and the
// selection; it gets a window only when the leaf's pane has one.
#include "docking/framework/WinWnd.h"

#include <string>
#include <vector>

class CPaneBase;
class CLayoutBlock;

struct CTabEntry {
    int left = 0;
    int right = 0;
    std::string caption;
    CPaneBase* pane = nullptr;
};

class CTabStrip : public CWinWnd {
public:
    explicit CTabStrip(CLayoutBlock* block);
    ~CTabStrip() override;

    int AddTab(CPaneBase* pane);
    int InsertTab(CPaneBase* pane, int index);
    // 0 when no tab remains, else 1; the selected pane becomes the block's pane.
    int RemoveTab(CPaneBase* pane);
    void SelectPane(CPaneBase* pane);
    void SelectTab(int index);
    int HasPane(const CPaneBase* pane) const;
    // The pane's tab shows text from now on; false when the pane has no tab here.
    bool SetTabText(const CPaneBase* pane, const std::string& text);
    std::string TabText(const CPaneBase* pane) const;
    int TabCount() const { return static_cast<int>(m_tabs.size()); }
    CPaneBase* PaneAt(int index) const;
    std::vector<CPaneBase*> GetPanes() const;
    int Selected() const { return m_nSelected; }
    void SwapTabs(const CPaneBase* a, const CPaneBase* b);

    // Moves the strip's window into the pane's window (when both exist) and shows it.
    void AttachTo(CPaneBase* pane);
    void Hide();

    CLayoutBlock* m_pBlock;
    CPaneBase* m_pCurrent = nullptr;
    bool m_bShown = false;

    static int LiveCount();

private:
    int IndexOf(const CPaneBase* pane) const;
    std::vector<CTabEntry> m_tabs;
    int m_nSelected = 0;
};
