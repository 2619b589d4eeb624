#pragma once
// The pane-window side of a loaded layout: the name a pane window is stored under, and its
// return into the place the layout keeps under that name when its form is first shown.
#include <string>

class CDockFrameBase;
class CPaneBase;
class CPaneWnd;

namespace PaneClaim {

// The owner's layout name; the title when the owner gives none (a host without extender).
std::string NameOf(const CPaneBase* pane);

// Docks pane into the leaf frame keeps under its name. False when there is none, or the
// place is one the pane's usual placement must handle (hidden, unpinned, a toolbar row).
bool Claim(CDockFrameBase& frame, CPaneWnd* pane);

}  // namespace PaneClaim
