#include "docking/persist/NeighbourRepair.h"

#include <algorithm>

namespace NeighbourRepair {

void Repair(std::vector<int>& p, std::vector<int>& q)
{
  const int np = static_cast<int>(p.size()), nq = static_cast<int>(q.size());
  int i = 0, j = -1;
  while (i < np) {
    int r = std::min(std::max(p[i], j), nq - 1);
    p[i] = r;
    if (r > j) {
      for (int k = j + 1; k <= r; ++k) q[k] = i - 1;
      ++i;
      j = r;
    } else if (j + 1 < nq) {
      const int s = std::min(std::max(q[j + 1], i), np - 1);
      q[j + 1] = s;
      for (int k = i + 1; k <= s; ++k) p[k] = j;
      i = s + 1;
      ++j;
    } else {
      ++i;
    }
  }
  // Whatever lies beyond the last link points back at the last section of p.
  for (int k = j + 1; k < nq; ++k) q[k] = i - 1;
  for (int& v : p) v = std::min(std::max(v, -1), nq - 1);
  for (int& v : q) v = std::min(std::max(v, -1), np - 1);
}

}  // namespace NeighbourRepair
