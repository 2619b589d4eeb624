#pragma once
// A pane that hosts a toolbar form: docked in a toolbar row with a grip and a raised edge,
// floating without a caption strip of its own; it lays the toolbar out again on a short timer.
#include <windows.h>

#include <functional>

#include "docking/pane/CPaneWnd.h"

class CToolBand;

class CToolbarPaneWnd : public CPaneWnd {
public:
  static constexpr UINT_PTR kRelayoutTimer = 1;
  static constexpr UINT kRelayoutDelay = 40;

  CToolbarPaneWnd();

  CToolBand* band = nullptr;  // the row this pane opened for itself
  // The owner's fitted toolbar size for a zone (pixels).
  std::function<SIZE(int zone)> fittedSize;

  CDockSection* MakeSection() override;
  void LayoutContent() override;
  void OnTimer() override;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

  void StartRelayoutTimer();
  SIZE AdjustDropSize(int zone) const;

private:
  void DrawGrip();
};
