#include "docking/tabs/TabStripPaint.h"

#include <ocidl.h>
#include <olectl.h>

namespace TabStripPaint {

namespace {

void Line(HDC dc, int x1, int y1, int x2, int y2) {
  MoveToEx(dc, x1, y1, nullptr);
  LineTo(dc, x2, y2);
}

class Pen {
public:
  Pen(HDC dc, int sysColour) : dc_(dc), pen_(CreatePen(PS_SOLID, 1, GetSysColor(sysColour))) {
    old_ = SelectObject(dc_, pen_);
  }
  ~Pen() {
    SelectObject(dc_, old_);
    DeleteObject(pen_);
  }
  Pen(const Pen&) = delete;
  Pen& operator=(const Pen&) = delete;

private:
  HDC dc_;
  HPEN pen_;
  HGDIOBJ old_;
};

void FillSys(HDC dc, const RECT& r, int sysColour) {
  HBRUSH b = CreateSolidBrush(GetSysColor(sysColour));
  FillRect(dc, &r, b);
  DeleteObject(b);
}

}  // namespace

void RenderPicture(HDC dc, IUnknown* unknown, int x, int y) {
  IPicture* pic = nullptr;
  if (!unknown || FAILED(unknown->QueryInterface(IID_IPicture, reinterpret_cast<void**>(&pic))) || !pic) return;
  OLE_XSIZE_HIMETRIC w = 0;
  OLE_YSIZE_HIMETRIC h = 0;
  pic->get_Width(&w);
  pic->get_Height(&h);
  pic->Render(dc, x, y, 16, 16, 0, h, w, -h, nullptr);
  pic->Release();
}

void DrawTab(HDC dc, int left, int right, const char* caption, bool selected, IUnknown* picture, HFONT font) {
  const int B = selected ? 24 : 23;
  {
    Pen p(dc, COLOR_BTNHIGHLIGHT);
    Line(dc, left, 4, left, B - 1);
  }
  {
    Pen p(dc, COLOR_BTNSHADOW);
    Line(dc, left + 2, B - 1, right - 2, B - 1);
    Line(dc, right - 2, 2, right - 2, B - 1);
  }
  {
    Pen p(dc, COLOR_BTNTEXT);
    Line(dc, left + 2, B, right - 2, B);
    Line(dc, left + 1, B - 1, left + 2, B - 1);
    Line(dc, right - 2, B - 1, right - 1, B - 1);
    Line(dc, right - 1, 3, right - 1, B - 1);
  }
  if (selected && right - 2 > left + 2) FillSys(dc, RECT{left + 2, 2, right - 2, B - 2}, COLOR_BTNFACE);
  SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
  const bool withPicture = picture && right - left - 2 > 15;
  if (withPicture) RenderPicture(dc, picture, left + 2, 4);
  if (caption && *caption) {
    HGDIOBJ oldFont = font ? SelectObject(dc, font) : nullptr;
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    const UINT oldAlign = SetTextAlign(dc, TA_CENTER);
    const int from = withPicture ? left + 18 : left;
    TextOutA(dc, (from + right) / 2, (B - 2) / 2 - 4, caption, lstrlenA(caption));
    SetTextAlign(dc, oldAlign);
    SetBkMode(dc, oldMode);
    if (oldFont) SelectObject(dc, oldFont);
  }
}

void Paint(HDC dc, const RECT& client, const std::vector<Tab>& tabs, int selected, HFONT font, bool noDrawing) {
  FillSys(dc, client, COLOR_BTNFACE);
  if (noDrawing) return;
  const int W = client.right - client.left;
  for (size_t i = 0; i < tabs.size(); ++i) {
    if (static_cast<int>(i) == selected || !tabs[i].extent) continue;
    const auto* e = tabs[i].extent;
    DrawTab(dc, e->left, e->right, e->shownCaption.c_str(), false, tabs[i].picture, font);
  }
  if (selected < 0 || selected >= static_cast<int>(tabs.size()) || !tabs[selected].extent) return;
  const auto* s = tabs[selected].extent;
  DrawTab(dc, s->left, s->right, s->shownCaption.c_str(), true, tabs[selected].picture, font);
  for (int y = 2; y <= 3; ++y) {
    Pen p(dc, y == 2 ? COLOR_BTNSHADOW : COLOR_BTNTEXT);
    if (s->left > 1) Line(dc, 0, y, s->left, y);
    Line(dc, s->right - 1, y, W, y);
  }
}

int TabFromX(const std::vector<const CaptionText::TabExtent*>& tabs, int x) {
  for (size_t i = 0; i < tabs.size(); ++i)
    if (tabs[i] && tabs[i]->left <= x && x <= tabs[i]->right) return static_cast<int>(i);
  return -1;
}

int TabUnderDrag(const std::vector<const CaptionText::TabExtent*>& tabs, int x) {
  for (size_t i = 0; i < tabs.size(); ++i)
    if (tabs[i] && tabs[i]->left < x && x < tabs[i]->right) return static_cast<int>(i);
  return -1;
}

}  // namespace TabStripPaint
