#pragma once
// One row of toolbars along a side of the main frame: a section whose blocks form a chain
// through their second-child links, one pane each, laid side by side in a band window.
#include <windows.h>

#include <vector>

#include "docking/layout/DockSection.h"

class CToolBand : public CDockSection {
public:
  static constexpr const char* kClassName = "ZEDUREZAVIZADADOVUDOZO";

  explicit CToolBand(int side = 1);
  ~CToolBand() override;

  int m_nSide;                // the side the row runs along
  HWND m_hWnd = nullptr;
  HWND m_hWndParent = nullptr;  // the main frame window, for a band made without a pane
  int m_nValid = 1;
  int m_nWantedStart = -1;    // where the next placed pane should start, band coordinates

  struct RowPane {
    CPaneBase* pane;
    int start, length, thickness;
  };
  // Visible panes of the row in order; the position of pane in it, or -1.
  int CollectRowPanes(std::vector<RowPane>& list, const CPaneBase* pane) const;
  bool Horizontal() const { return m_nSide == 1 || m_nSide == 3; }
  int BandLength() const;
  int BandThickness() const;

  bool CreateBandWindow(HWND parent);
  void ReparentPane(CPaneBase* pane);
  void ReparentBand(HWND frameWindow);
  // Before the block for sides 0 and 1, after it otherwise.
  void InsertPaneNear(CPaneBase* pane, CLayoutBlock* block, int side);
  // Before the first pane that starts beyond (x, y), band coordinates.
  void InsertPaneAtPoint(CPaneBase* pane, int x, int y);
  // A pane of this row moves along it: before the first other pane that starts beyond (x, y),
  // band coordinates, then placed there as near as the row allows.
  void InsertNear(CPaneBase* pane, int x, int y);

  void MovePane(CPaneBase* pane, const RECT& rc) override;
  void ComputeBlockRect(CDockFrameBase* frame) override;
  void DestroySplitter() override;
  int RemoveBlock(CLayoutBlock* block) override;
  int CollapseBlock(CDockFrameBase* frame, CLayoutBlock* block, const RECT& vacated) override;
  void RestoreBlock(CDockFrameBase* frame, CPaneBase* pane) override;
  void GetPaneWindowRect(CPaneBase* pane, RECT& rc) override;
  void Layout(CDockFrameBase* frame, int axis, HDWP* batch) override;
  void Offset(CDockFrameBase* frame, int delta, int side, HDWP* batch) override;
  // A form pane docks beside the row; a toolbar joins it only in the middle half of its
  // thickness and only when its fitted thickness matches (2 x side + 1), else 255.
  int HitTest(CDockFrameBase* frame, DockDragInfo& drag, int x, int y, SIZE& size, CPaneBase*& target) override;
  RECT ScreenRect(const CDockFrameBase* frame) const;

  virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
  static CToolBand* FromHandle(HWND hwnd);
  static int ListedBands();

protected:
  void Apply(const std::vector<RowPane>& list, const std::vector<int>& starts);
  HWND FrameWindowFor(const CPaneBase* pane) const;

private:
  static LRESULT CALLBACK ClassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
};
