#pragma once
// Caption measuring and fitting shared by tab strips, auto-hide strips and caption bars.
#include <windows.h>
#include <functional>
#include <string>
#include <vector>

namespace CaptionText {

// One tab of a strip: its extent along the strip and the caption as drawn.
struct TabExtent {
  int left = 0;
  int right = 0;
  std::string shownCaption;
  std::string fullCaption;
  bool hasPicture = false;  // a 16 x 16 picture stands before the caption
  int naturalWidth = 0;     // width that shows the whole caption

  TabExtent() = default;
  explicit TabExtent(const std::string& caption) : shownCaption(caption), fullCaption(caption) {}
};

// Width in pixels of a text; the fitting rules below depend only on this.
using MeasureFn = std::function<int(const std::string&)>;

// Extent of text in font; without a DC the screen's is used. size stays untouched without a font.
void Measure(HDC dc, HFONT font, const std::string& text, SIZE& size);

// The caption shortened to fit width: whole when width >= naturalWidth; else a prefix with "..",
// or only dots, or nothing when not even one dot fits.
std::string FitWithEllipsis(HFONT font, const std::string& text, int width, int naturalWidth,
                            int padLeft, int padRight);
std::string FitWithEllipsis(const MeasureFn& measure, const std::string& text, int width,
                            int naturalWidth, int padLeft, int padRight);

// Lays the tabs out one after the other from start; with fit, squeezes them into
// available pixels and shortens their captions. available is the strip's extent.
void ComputeTabExtents(std::vector<TabExtent*>& tabs, const MeasureFn& measure, int stripExtent,
                       int start, bool fit);
// The same measured in font, with the extent of window's client area along orientation
// (1 and 3 horizontal, 0 and 2 vertical).
void ComputeTabExtents(std::vector<TabExtent*>& tabs, HWND window, HFONT font, int orientation,
                       int start, bool fit);

// A measuring function over a GDI font (the screen DC is taken per call).
MeasureFn FontMeasure(HFONT font);

}  // namespace CaptionText
