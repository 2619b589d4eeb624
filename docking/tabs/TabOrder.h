#pragma once
// Index bookkeeping of a tab strip, kept apart from its window.

namespace TabOrder {

// Selected index after the tab at removed left the strip: the tab that was shown stays
// selected; removing the selected tab selects the one before it (or the first).
int SelectedAfterRemoval(int removed, int selected);

}  // namespace TabOrder
