#pragma once
// A pane without a window: the rectangle, visibility and parent live in memory, with the frame
// client area at the screen origin and a 16-pixel caption strip at the top.
#include "docking/layout/PaneBase.h"

#include <string>

class FakePane : public CPaneBase {
public:
    explicit FakePane(const std::string& title, int width = 150, int height = 120);
    RECT GetRectInFrame() const override { return m_rc; }
    RECT GetScreenRect() const override { return m_rc; }
    RECT GetClientScreenRect() const override;
    void MoveTo(const RECT& rc, HDWP*) override { m_rc = rc; }
    void Show(bool show) override { m_shown = show; }
    bool IsShown() const override { return m_shown; }
    void ReparentTo(HWND parent) override { m_parent = parent; }

    RECT m_rc = {0, 0, 0, 0};
    bool m_shown = false;
    HWND m_parent = nullptr;
};
