#include "docking/tabs/CaptionText.h"

#include <algorithm>

namespace CaptionText {

void Measure(HDC dc, HFONT font, const std::string& text, SIZE& size) {
  if (!font) return;
  if (text.empty()) {
    size.cx = 0;
    size.cy = 0;
    return;
  }
  HDC use = dc;
  if (!use) use = GetWindowDC(nullptr);
  if (!use) return;
  int oldMode = SetMapMode(use, MM_TEXT);
  HGDIOBJ oldFont = SelectObject(use, font);
  SIZE s{0, 0};
  GetTextExtentPoint32A(use, text.data(), static_cast<int>(text.size()), &s);
  size = s;
  SelectObject(use, oldFont);
  SetMapMode(use, oldMode);
  if (!dc) ReleaseDC(nullptr, use);
}

MeasureFn FontMeasure(HFONT font) {
  return [font](const std::string& text) {
    SIZE s{0, 0};
    Measure(nullptr, font, text, s);
    return static_cast<int>(s.cx);
  };
}

std::string FitWithEllipsis(const MeasureFn& measure, const std::string& text, int width,
                            int naturalWidth, int padLeft, int padRight) {
  if (width >= naturalWidth) return text;
  const int room = width - (padLeft + padRight + 3);
  if (room < 0) return std::string();
  std::string dots;
  for (int k = 0; k < 3; ++k) {
    dots.push_back('.');
    if (measure(dots) > room) {
      dots.pop_back();
      return dots;
    }
  }
  for (size_t n = 1; n <= text.size(); ++n) {
    std::string candidate = text.substr(0, n) + "...";
    if (measure(candidate) > room) return text.substr(0, n) + "..";
  }
  // The whole text with its dots fits after all (callers pass a natural width that says otherwise).
  return text;
}

std::string FitWithEllipsis(HFONT font, const std::string& text, int width, int naturalWidth,
                            int padLeft, int padRight) {
  return FitWithEllipsis(FontMeasure(font), text, width, naturalWidth, padLeft, padRight);
}

void ComputeTabExtents(std::vector<TabExtent*>& tabs, const MeasureFn& measure, int stripExtent,
                       int start, bool fit) {
  if (tabs.empty()) return;
  const int available = std::max(0, stripExtent - start - 2);
  int x = start;
  for (TabExtent* tab : tabs) {
    tab->left = x;
    tab->right = x + measure(tab->fullCaption) + 8 + (tab->hasPicture ? 18 : 0);
    tab->naturalWidth = tab->right - tab->left;
    x = tab->right;
  }
  if (!fit || x <= start) return;
  if (available < x) {
    const long long span = x - start;
    for (TabExtent* tab : tabs) {
      tab->left = start + static_cast<int>((tab->left - start) * static_cast<long long>(available) / span);
      tab->right = start + static_cast<int>((tab->right - start) * static_cast<long long>(available) / span);
    }
  }
  for (TabExtent* tab : tabs)
    tab->shownCaption = FitWithEllipsis(measure, tab->fullCaption, tab->right - tab->left,
                                        tab->naturalWidth, 8, 18);
}

void ComputeTabExtents(std::vector<TabExtent*>& tabs, HWND window, HFONT font, int orientation,
                       int start, bool fit) {
  if (tabs.empty()) return;
  RECT client{0, 0, 0, 0};
  if (window) GetClientRect(window, &client);
  const int extent = (orientation == 1 || orientation == 3) ? client.right - client.left
                                                            : client.bottom - client.top;
  ComputeTabExtents(tabs, FontMeasure(font), extent, start, fit);
}

}  // namespace CaptionText
