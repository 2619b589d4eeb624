#pragma once
// What the program knows of the docking library's two controls: their class and event
// identifiers, the dispatch identifiers it calls late-bound, and the named values of
// their properties.
#include <windows.h>

namespace dock {

// {16DDE9F0-55CB-44D3-8F72-D18FE3EC069D}
inline constexpr CLSID kClsidDockFrame = {0x16DDE9F0, 0x55CB, 0x44D3, {0x8F, 0x72, 0xD1, 0x8F, 0xE3, 0xEC, 0x06, 0x9D}};
// {16DDE9F5-55CB-44D3-8F72-D18FE3EC069D}
inline constexpr CLSID kClsidFDPane = {0x16DDE9F5, 0x55CB, 0x44D3, {0x8F, 0x72, 0xD1, 0x8F, 0xE3, 0xEC, 0x06, 0x9D}};
// _IFDPaneEvents {16DDE9F6-55CB-44D3-8F72-D18FE3EC069D}
inline constexpr IID kDiidPaneEvents = {0x16DDE9F6, 0x55CB, 0x44D3, {0x8F, 0x72, 0xD1, 0x8F, 0xE3, 0xEC, 0x06, 0x9D}};

}  // namespace dock

enum class DockStyle : long { DockToLeft = 0, DockToTop = 1, DockToRight = 2, DockToBottom = 3, DockToNone = 4 };
enum class PinType : long { PinDisabled = 0, Pinned = 1, UnPinned = 2 };
enum class DragHandle : long { TextDisplay = 0, NoTextDisplay = 1 };
enum class FloatDockType : long { FloatDockForm = 0, FloatDockToolBar = 1 };
enum class RegRootKey : long { KeyCurentUser = static_cast<long>(0x80000001u) };

// Dispatch identifiers of the frame's members.
enum class FrameDispId : DISPID {
    SaveStates = 1, LoadStates = 2, DragAreaStyle = 4, SetRegRootKey = 11, ClearLayout = 12
};
// Dispatch identifiers of the pane's members.
enum class PaneDispId : DISPID {
    FDType = 1, PaneVisible = 2, InitDockStyle = 3, CurrentDockStyle = 4, SetLayoutReference = 15,
    PinState = 17, InitDockHW = 18
};
// Dispatch identifiers of the pane's events.
enum class PaneEventId : DISPID { OnDockStyleChanged = 1, OnHidden = 2, OnShown = 3 };
