#include "docking/pane/CaptionFonts.h"

#include <cstring>

namespace CaptionFonts {

namespace {
// The structure as it was before the padded-border field: what every system accepts.
constexpr UINT kMetricsSize = 340;

HFONT Make(LONG weight) {
  NONCLIENTMETRICSA ncm;
  std::memset(&ncm, 0, sizeof ncm);
  ncm.cbSize = kMetricsSize;
  const bool ok = SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, kMetricsSize, &ncm, 0) != 0;
  const LOGFONTA lf = Describe(ok ? &ncm : nullptr, weight);
  HFONT font = CreateFontIndirectA(&lf);
  return font ? font : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}
}  // namespace

LOGFONTA Describe(const NONCLIENTMETRICSA* metrics, LONG weight) {
  LOGFONTA lf;
  if (metrics) {
    lf = metrics->lfCaptionFont;
  } else {
    std::memset(&lf, 0, sizeof lf);
    lf.lfCharSet = DEFAULT_CHARSET;
    lstrcpynA(lf.lfFaceName, "Times New Roman", LF_FACESIZE);
  }
  lf.lfHeight = kHeight;
  lf.lfWeight = weight;
  return lf;
}

HFONT Normal() {
  static const HFONT font = Make(FW_NORMAL);
  return font;
}

HFONT Bold() {
  static const HFONT font = Make(FW_BOLD);
  return font;
}

}  // namespace CaptionFonts
