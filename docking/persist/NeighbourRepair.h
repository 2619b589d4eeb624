#pragma once
// Neighbour links read back from a stored layout, made consistent between two perpendicular
// sides: p[i] is the index of section i's neighbour among q, q[j] the index of section j's
// neighbour among p; -1 is none. Out-of-range links are pulled into range.
#include <vector>

namespace NeighbourRepair {

void Repair(std::vector<int>& p, std::vector<int>& q);

}  // namespace NeighbourRepair
