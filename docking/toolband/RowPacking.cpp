#include "docking/toolband/RowPacking.h"

#include <algorithm>

namespace RowPacking {

namespace {
int Sum(const std::vector<Item>& items, size_t from, size_t to)
{
  int s = 0;
  for (size_t i = from; i < to && i < items.size(); ++i) s += items[i].length;
  return s;
}

void EndToEnd(std::vector<Item>& items, size_t from, int start)
{
  for (size_t i = from; i < items.size(); ++i) {
    items[i].start = start;
    start += items[i].length;
  }
}
}  // namespace

int PushAside(std::vector<Item>& items, int index, int wanted, int rowLength)
{
  if (index < 0 || index >= static_cast<int>(items.size()))
    return 0;
  const size_t i = static_cast<size_t>(index);
  const int length = items[i].length;
  const int before = Sum(items, 0, i);
  const int prevEnd = i > 0 ? items[i - 1].End() : 0;
  int p = wanted < 0 ? 0 : wanted;
  const int total = Sum(items, 0, items.size());
  if (total >= rowLength) {
    EndToEnd(items, 0, 0);
    return items[i].start;
  }
  const int gap = p - prevEnd;
  const int slack = prevEnd - before;
  // What follows must still fit: the latest start is the row length less the lengths from
  // this item on.
  const int latest = rowLength - (total - before);
  if (p > latest)
    p = latest;
  else if (gap < 0 && slack < -gap)
    p = before;
  if (p < before)
    p = before;
  int pos = p;
  for (size_t j = i; j-- > 0;) {
    if (items[j].End() <= pos)
      break;
    items[j].start = pos - items[j].length;
    pos = items[j].start;
  }
  pos = p + length;
  for (size_t j = i + 1; j < items.size(); ++j) {
    if (items[j].start >= pos)
      break;
    items[j].start = pos;
    pos = items[j].End();
  }
  items[i].start = p;
  return p;
}

void Repack(std::vector<Item>& items, int rowLength)
{
  size_t k = 0;
  while (k < items.size() && items[k].End() <= rowLength) ++k;
  if (k == items.size())
    return;
  const int before = Sum(items, 0, k);
  const int overflow = items[k].start + Sum(items, k, items.size()) - rowLength;
  const int start = items[k].start - std::min(std::max(0, items[k].start - before), std::max(0, overflow));
  EndToEnd(items, k, start);
  int boundary = start;
  for (size_t j = k; j-- > 0;) {
    if (items[j].End() > boundary)
      items[j].start = boundary - items[j].length;
    boundary = items[j].start;
  }
}

void CloseUpAfter(std::vector<Item>& items, int index, int rowLength)
{
  if (index < 0 || index >= static_cast<int>(items.size()))
    return;
  const size_t i = static_cast<size_t>(index);
  const Item& it = items[i];
  if (it.start >= rowLength)
    return;
  const int overflow = Sum(items, i + 1, items.size()) + it.End() - rowLength;
  if (overflow <= 0)
    return;
  EndToEnd(items, i + 1, it.End() - std::min(it.length, overflow));
}

bool JoinsRow(const RECT& rc, int side, POINT pt)
{
  if (side == 1 || side == 3) {
    const int h = rc.bottom - rc.top;
    return pt.y > rc.top + h / 4 && pt.y < rc.top + 3 * h / 4 && pt.x > rc.left && pt.x < rc.right;
  }
  const int w = rc.right - rc.left;
  return pt.x > rc.left + w / 4 && pt.x < rc.left + 3 * w / 4 && pt.y > rc.top && pt.y < rc.bottom;
}

}  // namespace RowPacking
