#pragma once
// Where the toolbars of one row go, as numbers along the row: apart from windows, so the
// rules can be checked on their own. Starts are offsets from the row's start.
#include <windows.h>

#include <vector>

namespace RowPacking {

struct Item {
  int start = 0;
  int length = 0;
  int End() const { return start + length; }
};

// Places item index (its length already set) as near to wanted as the row allows, pushing the
// ones before it back and the ones after it on just enough. A row too short for all lays them
// end to end from 0. Returns the start given to the item.
int PushAside(std::vector<Item>& items, int index, int wanted, int rowLength);

// After the row became rowLength long: the first item that ends beyond it and those after it
// are pulled back inside, and the ones before make room as far as needed.
void Repack(std::vector<Item>& items, int rowLength);

// The item at index leaves: when the ones after it overflow the row, they close up over the
// room it frees, laid end to end.
void CloseUpAfter(std::vector<Item>& items, int index, int rowLength);

// A dragged toolbar joins the row at rc (screen) only in the middle half of its thickness and
// strictly inside its length. Sides 1 and 3 are horizontal rows.
bool JoinsRow(const RECT& rc, int side, POINT pt);

}  // namespace RowPacking
