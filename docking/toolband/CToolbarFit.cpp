#include "docking/toolband/CToolbarFit.h"

#include <algorithm>
#include <cmath>

CToolbarFit::CToolbarFit()
{
  toPixels = [](float w, float h) { return SIZE{static_cast<LONG>(w), static_cast<LONG>(h)}; };
}

void CToolbarFit::AddButton(float width, int kind)
{
  Button b;
  b.position = buttons.empty() ? 0.0f : buttons.back().position + buttons.back().width;
  b.width = width < 0 ? 0 : width;
  b.kind = kind;
  buttons.push_back(b);
  if (kind != 4)
    columnWidth = std::max(columnWidth, b.width);
}

void CToolbarFit::ClearButtons()
{
  buttons.clear();
  groups.clear();
  columnWidth = 0;
}

void CToolbarFit::BuildGroups()
{
  groups.clear();
  Group current;
  for (int i = 0; i < static_cast<int>(buttons.size()); ++i) {
    current.buttons.push_back(i);
    if (IsSeparator(buttons[i].kind)) {
      groups.push_back(current);
      current = Group();
    }
  }
  if (!current.buttons.empty())
    groups.push_back(current);
  ComputeRows();
}

void CToolbarFit::ComputeRows()
{
  for (Group& g : groups) {
    g.start = g.end = 0;
    if (g.buttons.empty())
      continue;
    g.start = buttons[g.buttons.front()].position;
    g.end = g.start;
    for (int i : g.buttons)
      if (!IsSeparator(buttons[i].kind))
        g.end = buttons[i].position + buttons[i].width;
  }
}

float CToolbarFit::WrapAt(float maxLength, Wrap* out) const
{
  float widest = 0, used = 0, content = 0;
  int breaks = 0;
  bool rowHasButton = false;
  auto newRow = [&]() {
    widest = std::max(widest, content);
    used = content = 0;
    rowHasButton = false;
    ++breaks;
  };
  for (const Group& g : groups) {
    float full = 0;
    for (int i : g.buttons) full += buttons[i].width;
    const float length = g.end - g.start;
    if (rowHasButton && used + length > maxLength)
      newRow();
    if (used + length <= maxLength) {
      if (std::any_of(g.buttons.begin(), g.buttons.end(), [&](int i) { return !IsSeparator(buttons[i].kind); })) {
        content = used + length;
        rowHasButton = true;
      }
      used += full;
      continue;
    }
    // Longer than a row: broken after its last button that still fits.
    for (int i : g.buttons) {
      const Button& b = buttons[i];
      if (IsSeparator(b.kind)) {
        used += b.width;  // a separator never opens a row and does not count at its end
        continue;
      }
      if (rowHasButton && used + b.width > maxLength)
        newRow();
      content = used + b.width;
      used += b.width;
      rowHasButton = true;
    }
  }
  widest = std::max(widest, content);
  if (out) {
    // A break after the last row (nothing on it) is no break.
    if (!rowHasButton && breaks > 0) --breaks;
    const float weight = rowStyle == 1 ? 1.0f : 0.66f;
    out->width = widest;
    out->height = rowHeight + breaks * rowHeight * weight;
    out->rows = breaks + 1;
    out->rowsHeight = out->rows * rowHeight;
  }
  return widest - 1;
}

void CToolbarFit::BuildCandidates(int limitWidth, int limitHeight)
{
  candidates.clear();
  ComputeRows();
  float total = 0, startWidth = 0;
  for (auto it = buttons.rbegin(); it != buttons.rend(); ++it)
    if (it->kind != 3) { total = it->position + it->width; break; }
  for (auto it = buttons.rbegin(); it != buttons.rend(); ++it)
    if (!IsSeparator(it->kind)) { startWidth = it->position + 1; break; }
  candidates.push_back(toPixels(total, rowHeight));
  float maxLength = startWidth;
  for (int guard = 0; guard < 100000 && maxLength > 0; ++guard) {
    Wrap w;
    const float next = WrapAt(maxLength, &w);
    const SIZE s = toPixels(w.width, w.height);
    const bool tooBig = (limitWidth > 0 && s.cx > limitWidth) || (limitHeight > 0 && s.cy > limitHeight);
    if (!tooBig && s.cx < candidates.front().cx)
      candidates.insert(candidates.begin(), s);
    if (!(next < maxLength))
      break;
    maxLength = next;
  }
}

void CToolbarFit::FitAtLeast(SIZE& size) const
{
  if (candidates.empty())
    return;
  for (const SIZE& c : candidates)
    if (c.cx >= size.cx) { size = c; return; }
  size = candidates.back();
}

bool CToolbarFit::FitByDimension(SIZE* out, const int* request, bool byWidth) const
{
  if (!out || !request || candidates.empty())
    return false;
  if (byWidth) {
    for (auto it = candidates.rbegin(); it != candidates.rend(); ++it)
      if (it->cx < *request) { *out = *it; return true; }
    *out = candidates.front();
  } else {
    for (const SIZE& c : candidates)
      if (c.cy < *request) { *out = c; return true; }
    *out = candidates.back();
  }
  return true;
}

SIZE CToolbarFit::GetFittedSize(int zone)
{
  if (zone == 1 || zone == 3) {
    float sum = 0;
    for (const Button& b : buttons) sum += b.width;
    return toPixels(sum, rowHeight);
  }
  ComputeRows();
  Wrap w;
  WrapAt(3.0f, &w);
  // A column: as wide as the widest button, as high as the stacked rows.
  return toPixels(columnWidth, w.height);
}
