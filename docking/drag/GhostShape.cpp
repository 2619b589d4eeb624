#include "docking/drag/GhostShape.h"

#include <algorithm>

namespace GhostShape {

namespace {
void Push(std::vector<Bar>& out, int x, int y, int w, int h) {
  out.push_back(Bar{x, y, std::max(0, w), std::max(0, h)});
}
}  // namespace

std::vector<Bar> Bars(int x, int y, int w, int h, int t, bool asTab) {
  std::vector<Bar> out;
  if (!asTab) {
    Push(out, x, y, w, t);
    Push(out, x, y, t, h);
    Push(out, x + w - t, y, t, h);
    Push(out, x, y + h - t, w, t);
    return out;
  }
  int a = 40, b = 10;
  if (w < 50) {
    a = w * 4 / 6;
    b = w / 6;
  }
  int c = 26 - t;
  if (h < c) c = 0;
  const int body = h - 3;
  const int y3 = y + body - c - t;
  Push(out, x, y, w, t);
  Push(out, x, y, t, body - c);
  Push(out, x + w - t, y, t, body - c);
  Push(out, x + t, y3, b, t);
  Push(out, x + t + b, y3, t, c + t - 1);
  Push(out, x + a + b - t, y3, t, c + t - 1);
  Push(out, x + a + b, y3, w - a - b - 1, t);
  Push(out, x + t + b, y + body - t, a - t, t);
  return out;
}

void Invert(HDC dc, const std::vector<Bar>& bars) {
  if (!dc) return;
  for (const Bar& bar : bars)
    if (bar.w > 0 && bar.h > 0) PatBlt(dc, bar.x, bar.y, bar.w, bar.h, PATINVERT);
}

}  // namespace GhostShape
