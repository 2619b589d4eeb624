#include "docking/tabs/TabOrder.h"

namespace TabOrder {

int SelectedAfterRemoval(int removed, int selected) {
  if (removed < selected) return selected - 1;
  if (removed == selected) return removed > 0 ? removed - 1 : 0;
  return selected;
}

}  // namespace TabOrder
