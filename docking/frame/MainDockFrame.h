#pragma once
// The one docking frame of the process around the host's MDI client: subclasses the host and
// its MDI client, keeps the host's menu accelerators working in floating frames and closes a
// tracked pane popup when the mouse goes away.
#include "docking/autohide/CAutoHideBar.h"
#include "docking/frame/Accelerators.h"
#include "docking/frame/DockFrameBase.h"
#include "docking/framework/Subclass.h"

#include <oaidl.h>

#include <memory>
#include <string>
#include <vector>

class CDockFrameCtl;
class CMenuImageStore;
class CPaneWnd;
class CFloatingLayouts;

// What the frame needs of the popup that shows an unpinned pane.
class CTrackedPopup {
public:
    virtual ~CTrackedPopup() = default;
    virtual HWND Window() const = 0;
    virtual HWND StripWindow() const = 0;
    virtual bool StripHitTab(POINT screen) const = 0;
    virtual void SlideBack() = 0;
};

// Whether a mouse message closes the tracked popup.
struct PopupMouseEvent {
    UINT message;
    UINT hitTest;
    bool targetInPopup;      // the target window, one of its parents or owners is the popup
    bool onStripTab;         // over a tab of the strip that opened the popup
    bool targetInFrame;      // the target is the frame window or a descendant
    bool comboList;          // the target's class is "ComboLBox"
    DWORD now;
};
struct PopupTracking {
    bool touched = false;
    bool suspended = false;
    DWORD lastInsideTick = 0;
};
bool PopupShouldClose(PopupTracking& state, const PopupMouseEvent& e);
// A host menu opened (tracked popups stay open meanwhile) or closed.
void DockFrameMenuOpen(bool open);

class CMainDockFrame : public CDockFrameBase, public CSubclassOwner, public CAutoHideHost {
public:
    explicit CMainDockFrame(CDockFrameCtl* owner);
    ~CMainDockFrame() override;

    void Attach(HWND host);
    void Detach();
    void SetClientWindow(HWND window);
    // Takes every pane out of its place; each is placed again at its next show or hide through
    // its control, or when the current message is done, with the control's values of then.
    void ClearLayout();
    // Places the panes a reset took out and nothing has placed since, in the order they were made.
    void PlaceResetPanes();
    HRESULT SaveStates(const std::string& key);
    HRESULT LoadStates(const std::string& key);
    bool KeepHiddenPlace(CPaneWnd* pane, const std::string& name);
    // A pane that starts hidden keeps the docked place a loaded layout has under its name.
    bool ReserveSavedPlace(CPaneWnd* pane);
    // A pane window whose form is first shown takes its place of the loaded layout, if any.
    // True when the pane took a place: docked or floating as saved, or kept hidden (its
    // window then stays hidden).
    bool ClaimPlace(CPaneWnd* pane);
    void OnPaneDocked(CPaneBase*) override { m_bLoadPending = 0; }
    void NudgeHost();
    HMENU GetHostMenu() const;
    HWND FocusedMiniFrame() const;
    void ComputeWorkArea();
    // The DockFrame control's DragAreaStyle, which every new pane window copies.
    int DragAreaStyle() const;
    void ReadHostForm(int insets[4]);
    void SetTrackedPopup(CTrackedPopup* popup);
    void CloseTrackedPopup();
    void RebuildAccelerators();

    // Auto-hide strips: unpinned panes show as tabs along the side they were docked at.
    void UnpinPane(int side, CPaneBase* pane, int force);
    void RemoveFromAutoHide(int side, CPaneBase* pane);
    void AddAutoHideStrip(int side, int index);
    void RecalcAutoHideStrips();
    void PinAllOfSide(int side);
    // Pins or unpins a pane window of this frame; false when the pane's own state change is all.
    bool ChangePinState(CPaneWnd* pane, int state);
    // An unpinned pane shown by the program: its popup opens and stays until a click elsewhere.
    void ShowAutoHidden(CPaneWnd* pane);
    // An unpinned pane hidden by the program: its tab goes, it is pinned and stays hidden.
    void RepinHidden(CPaneWnd* pane);
    // A section new at an edge must not reach over a perpendicular side's strip: when one of
    // its neighbours lies outside that strip (or it has none), the strip's panes are pinned.
    void RecheckAutoHide(int side, int index);
    // Removes an unpinned pane's tab and gives it the pin state, hidden and unplaced.
    void TakeOffStrip(CPaneWnd* pane, int state);
    CAutoHideBar* m_pStrips[4] = {nullptr, nullptr, nullptr, nullptr};

    // CAutoHideHost
    HWND FrameWindow() override { return m_hWndFrame; }
    CPinPopupFrame* TrackedPopup() override;
    void TrackPopup(CPinPopupFrame* popup) override;
    void ClearPopupTouched() override { m_tracking.touched = false; }
    void PopupMouseMove(HWND under, POINT screen) override;
    CAutoHideBar* StripOf(int side) override { return side >= 0 && side < 4 ? m_pStrips[side] : nullptr; }
    // Strip tabs speak the panes' caption font and show their owners' pictures.
    HFONT CaptionFont() override;
    IUnknown* PaneImage(CPaneBase* pane) override;

    LRESULT SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override;

    static CMainDockFrame* Current();
    static HWND RegisteredHost();

    int m_lastClientX = 0, m_lastClientY = 0, m_lastClientCx = 0, m_lastClientCy = 0;
    int m_bSizing = 0;
    int m_bSuppressActivate = 0;
    CDockFrameCtl* m_pOwner;
    CMenuImageStore* m_pImageStore = nullptr;
    int m_bTreeReturnQuery = 0;
    PopupTracking m_tracking;
    CTrackedPopup* m_pTrackedPopup = nullptr;
    int m_bBoundaryCheck = 1;
    RECT m_rcWork = {0, 0, 0, 0};
    int m_osMajor = 4, m_osMinor = 0, m_osPlatform = 0;
    int m_bDesignerHostMode = 0;
    HKEY m_registryRoot = HKEY_LOCAL_MACHINE;
    std::vector<AccelRecord> m_accelerators;
    int m_bAttached = 0;
    HHOOK m_hMouseHook = nullptr;
    int m_bLayoutLoaded = 0;
    // A loaded layout no pane has docked into yet: the host's start-up clear keeps it.
    int m_bLoadPending = 0;
    std::unique_ptr<CFloatingLayouts> m_pFloatLayouts;
    int m_bHostNudged = 0;
    // Guards the auto-hide re-check after edge drops; set once and never cleared.
    int m_bRecheckAutoHide = 1;
    bool m_bDestroying = false;
    // The message that places reset panes is on its way.
    bool m_bResetPlacePosted = false;

private:
    LRESULT HostProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT MdiClientProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK KeyboardHook(int code, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK MouseHook(int code, WPARAM wParam, LPARAM lParam);
    void TrackMouse(UINT message, const MOUSEHOOKSTRUCT* info);
    HWND m_hWndHost = nullptr;
};
