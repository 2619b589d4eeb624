#include "platform/controls/FlexGrid.h"

#include <windowsx.h>

#include <algorithm>

#include "platform/QlError.h"
#include "platform/ScopedWin.h"
#include "platform/controls/PaintWhole.h"
#include "platform/forms/Screen.h"
#include "platform/forms/WindowClasses.h"

namespace platform::forms {

static LRESULT CALLBACK GridProc(HWND h, UINT m, WPARAM w, LPARAM l) { return DefWindowProcA(h, m, w, l); }

FlexGrid::FlexGrid(Form& form, std::string name, int index) : Control(form, std::move(name), index)
{
    BackColor(SysColor(COLOR_WINDOW));
    Resize();
}

HWND FlexGrid::CreateWindowFor(HWND parent, int id)
{
    RegisterOwnClass("QlFlexGrid", GridProc, CS_DBLCLKS, nullptr);
    HWND h = MakeWindow("QlFlexGrid", "", WS_TABSTOP | WS_VSCROLL | WS_HSCROLL, WS_EX_CLIENTEDGE, parent, id);
    hwnd_ = h;
    UpdateScroll();
    return h;
}

void FlexGrid::Resize()
{
    std::vector<std::string> old = cells_;
    size_t oldCols = widths_.size();
    size_t oldRows = heights_.size();
    cells_.assign(static_cast<size_t>(rows_ * cols_), std::string());
    for (size_t r = 0; r < std::min<size_t>(oldRows, rows_); ++r)
        for (size_t c = 0; c < std::min<size_t>(oldCols, cols_); ++c)
            cells_[r * cols_ + c] = old[r * oldCols + c];
    widths_.resize(static_cast<size_t>(cols_), 960);
    aligns_.resize(static_cast<size_t>(cols_), flexAlignLeftCenter);
    heights_.resize(static_cast<size_t>(rows_), 240);
    row_ = std::clamp(row_, 0, rows_ - 1);
    col_ = std::clamp(col_, 0, cols_ - 1);
    top_ = std::clamp(top_, fixedRows_, std::max(fixedRows_, rows_ - 1));
    left_ = std::clamp(left_, fixedCols_, std::max(fixedCols_, cols_ - 1));
    UpdateScroll();
    Redraw();
}

void FlexGrid::Rows(int v)
{
    if (v < 0 || v < fixedRows_)
        throw QlError(30009, Name(), "Invalid Row value");
    rows_ = std::max(v, 1);
    Resize();
}

void FlexGrid::Cols(int v)
{
    if (v < 0 || v < fixedCols_)
        throw QlError(30010, Name(), "Invalid Col value");
    cols_ = std::max(v, 1);
    Resize();
}

void FlexGrid::FixedRows(int v)
{
    if (v < 0 || v >= rows_)
        throw QlError(30011, Name(), "Invalid FixedRows value");
    fixedRows_ = v;
    top_ = v;
    Resize();
}

void FlexGrid::FixedCols(int v)
{
    if (v < 0 || v >= cols_)
        throw QlError(30012, Name(), "Invalid FixedCols value");
    fixedCols_ = v;
    left_ = v;
    Resize();
}

void FlexGrid::SetCurrent(int row, int col, bool raise)
{
    if (row == row_ && col == col_)
        return;
    row_ = row;
    col_ = col;
    Redraw();
    if (raise)
        RowColChange.Raise(Source("RowColChange"));
}

void FlexGrid::Row(int v)
{
    if (v < 0 || v >= rows_)
        throw QlError(30009, Name(), "Invalid Row value");
    SetCurrent(v, col_, true);
}

void FlexGrid::Col(int v)
{
    if (v < 0 || v >= cols_)
        throw QlError(30010, Name(), "Invalid Col value");
    SetCurrent(row_, v, true);
}

std::string FlexGrid::TextMatrix(int row, int col) const
{
    if (row < 0 || row >= rows_ || col < 0 || col >= cols_)
        throw QlError(381, Name(), "Subscript out of range");
    return cells_[static_cast<size_t>(row * cols_ + col)];
}

void FlexGrid::TextMatrix(int row, int col, const std::string& v)
{
    if (row < 0 || row >= rows_ || col < 0 || col >= cols_)
        throw QlError(381, Name(), "Subscript out of range");
    cells_[static_cast<size_t>(row * cols_ + col)] = v;
    Redraw();
}

void FlexGrid::Clear()
{
    std::fill(cells_.begin(), cells_.end(), std::string());
    Redraw();
}

int FlexGrid::ColWidth(int col) const { return col >= 0 && col < cols_ ? widths_[static_cast<size_t>(col)] : 0; }

void FlexGrid::ColWidth(int col, int twips)
{
    if (col < 0 || col >= cols_)
        throw QlError(381, Name(), "Subscript out of range");
    widths_[static_cast<size_t>(col)] = std::max(0, twips);
    UpdateScroll();
    Redraw();
}

int FlexGrid::RowHeight(int row) const { return row >= 0 && row < rows_ ? heights_[static_cast<size_t>(row)] : 0; }

void FlexGrid::RowHeight(int row, int twips)
{
    if (row < 0 || row >= rows_)
        throw QlError(381, Name(), "Subscript out of range");
    heights_[static_cast<size_t>(row)] = std::max(0, twips);
    UpdateScroll();
    Redraw();
}

void FlexGrid::ColAlignment(int col, int align)
{
    if (col < 0 || col >= cols_)
        throw QlError(381, Name(), "Subscript out of range");
    aligns_[static_cast<size_t>(col)] = align;
    Redraw();
}

void FlexGrid::TopRow(int v)
{
    top_ = std::clamp(v, fixedRows_, std::max(fixedRows_, rows_ - 1));
    UpdateScroll();
    Redraw();
}

int FlexGrid::ColPx(int c) const { return TwipsToPixelsX(widths_[static_cast<size_t>(c)]); }
int FlexGrid::RowPx(int r) const { return TwipsToPixelsY(heights_[static_cast<size_t>(r)]); }

RECT FlexGrid::CellRect(int row, int col) const
{
    RECT none{0, 0, 0, 0};
    if (row < 0 || row >= rows_ || col < 0 || col >= cols_)
        return none;
    if ((row >= fixedRows_ && row < top_) || (col >= fixedCols_ && col < left_))
        return none;
    int y = 0;
    for (int r = 0; r < fixedRows_ && r < row; ++r)
        y += RowPx(r);
    if (row >= fixedRows_)
        for (int r = top_; r < row; ++r)
            y += RowPx(r);
    int x = 0;
    for (int c = 0; c < fixedCols_ && c < col; ++c)
        x += ColPx(c);
    if (col >= fixedCols_)
        for (int c = left_; c < col; ++c)
            x += ColPx(c);
    return RECT{x, y, x + ColPx(col), y + RowPx(row)};
}

bool FlexGrid::CellAt(int x, int y, int& row, int& col) const
{
    for (int r = 0; r < rows_; ++r)
        for (int c = 0; c < cols_; ++c) {
            RECT rc = CellRect(r, c);
            if (rc.right > rc.left && x >= rc.left && x < rc.right && y >= rc.top && y < rc.bottom) {
                row = r;
                col = c;
                return true;
            }
        }
    return false;
}

void FlexGrid::Redraw()
{
    if (hwnd_)
        InvalidateRect(hwnd_, nullptr, FALSE);
}

void FlexGrid::UpdateScroll()
{
    if (!hwnd_)
        return;
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_RANGE | SIF_POS | SIF_PAGE | SIF_DISABLENOSCROLL;
    si.nMin = fixedRows_;
    si.nMax = std::max(fixedRows_, rows_ - 1);
    si.nPage = 1;
    si.nPos = top_;
    SetScrollInfo(hwnd_, SB_VERT, &si, TRUE);
    si.nMin = fixedCols_;
    si.nMax = std::max(fixedCols_, cols_ - 1);
    si.nPos = left_;
    SetScrollInfo(hwnd_, SB_HORZ, &si, TRUE);
}

void FlexGrid::Paint(HDC dc)
{
    RECT client;
    GetClientRect(hwnd_, &client);
    FillRect(dc, &client, GdiObject<HBRUSH>(CreateSolidBrush(TranslateColor(BackColor()))).Get());
    Selection font(dc, Font().Handle());
    GdiObject<HPEN> pen(CreatePen(PS_SOLID, 1, TranslateColor(grid_)));
    Selection selectedPen(dc, pen.Get());
    SetBkMode(dc, TRANSPARENT);
    for (int r = 0; r < rows_; ++r) {
        for (int c = 0; c < cols_; ++c) {
            RECT rc = CellRect(r, c);
            if (rc.right <= rc.left || rc.bottom <= rc.top || rc.top > client.bottom || rc.left > client.right)
                continue;
            bool fixed = r < fixedRows_ || c < fixedCols_;
            bool current = r == row_ && c == col_ && !fixed;
            if (fixed || current) {
                GdiObject<HBRUSH> b(CreateSolidBrush(TranslateColor(fixed ? fixedBack_ : selBack_)));
                FillRect(dc, &rc, b.Get());
            }
            SetTextColor(dc, current ? GetSysColor(COLOR_HIGHLIGHTTEXT) : TranslateColor(ForeColor()));
            const std::string& t = cells_[static_cast<size_t>(r * cols_ + c)];
            RECT tr{rc.left + 2, rc.top, rc.right - 2, rc.bottom};
            int a = aligns_[static_cast<size_t>(c)];
            UINT fmt = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS |
                       (a == flexAlignCenterCenter ? DT_CENTER : a == flexAlignRightCenter ? DT_RIGHT : DT_LEFT);
            DrawTextA(dc, t.c_str(), static_cast<int>(t.size()), &tr, fmt);
            MoveToEx(dc, rc.right - 1, rc.top, nullptr);
            LineTo(dc, rc.right - 1, rc.bottom - 1);
            LineTo(dc, rc.left - 1, rc.bottom - 1);
        }
    }
}

bool FlexGrid::OnOwnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result)
{
    if (PaintWhole(hwnd_, msg, result, [this](HDC dc) { Paint(dc); }))
        return true;
    switch (msg) {
    case WM_LBUTTONDOWN: {
        ::SetFocus(hwnd_);
        int r, c;
        if (CellAt(GET_X_LPARAM(lp), GET_Y_LPARAM(lp), r, c) && r >= fixedRows_ && c >= fixedCols_)
            SetCurrent(r, c, true);
        return false;
    }
    case WM_GETDLGCODE:
        result = DLGC_WANTARROWS;
        return true;
    case WM_KEYDOWN: {
        int r = row_, c = col_;
        switch (wp) {
        case VK_UP: r = std::max(fixedRows_, r - 1); break;
        case VK_DOWN: r = std::min(rows_ - 1, r + 1); break;
        case VK_LEFT: c = std::max(fixedCols_, c - 1); break;
        case VK_RIGHT: c = std::min(cols_ - 1, c + 1); break;
        default: return false;
        }
        if (r < top_)
            TopRow(r);
        SetCurrent(r, c, true);
        return false;
    }
    case WM_VSCROLL:
    case WM_HSCROLL: {
        bool v = msg == WM_VSCROLL;
        int& pos = v ? top_ : left_;
        int lo = v ? fixedRows_ : fixedCols_, hi = std::max(lo, (v ? rows_ : cols_) - 1);
        switch (LOWORD(wp)) {
        case SB_LINEUP: pos -= 1; break;
        case SB_LINEDOWN: pos += 1; break;
        case SB_PAGEUP: pos -= 8; break;
        case SB_PAGEDOWN: pos += 8; break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: pos = HIWORD(wp); break;
        default: break;
        }
        pos = std::clamp(pos, lo, hi);
        UpdateScroll();
        Redraw();
        result = 0;
        return true;
    }
    default:
        return false;
    }
}

}  // namespace platform::forms
