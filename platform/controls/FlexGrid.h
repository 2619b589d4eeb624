#pragma once
// An owner-drawn grid of text cells: fixed rows and columns, widths and heights in twips,
// centred or left columns, one current cell. Text is drawn with the grid's font, so a
// font with a symbol or other charset shows the ANSI codes as that charset's glyphs.
#include <string>
#include <vector>

#include "platform/forms/Control.h"

namespace platform::forms {

enum FlexAlignConstants { flexAlignLeftCenter = 1, flexAlignCenterCenter = 4, flexAlignRightCenter = 7 };

class FlexGrid : public Control {
public:
    FlexGrid(Form& form, std::string name, int index = -1);
    int Rows() const { return rows_; }
    void Rows(int v);
    int Cols() const { return cols_; }
    void Cols(int v);
    int FixedRows() const { return fixedRows_; }
    void FixedRows(int v);
    int FixedCols() const { return fixedCols_; }
    void FixedCols(int v);
    int Row() const { return row_; }
    void Row(int v);
    int Col() const { return col_; }
    void Col(int v);
    // The current cell's text.
    std::string Text() const { return TextMatrix(row_, col_); }
    void Text(const std::string& v) { TextMatrix(row_, col_, v); }
    std::string TextMatrix(int row, int col) const;
    void TextMatrix(int row, int col, const std::string& v);
    // Empties every cell (the sizes stay).
    void Clear();
    int ColWidth(int col) const;
    void ColWidth(int col, int twips);
    int RowHeight(int row) const;
    void RowHeight(int row, int twips);
    void ColAlignment(int col, int align);
    int TopRow() const { return top_; }
    void TopRow(int v);
    void GridColor(OleColor c) { grid_ = c; Redraw(); }
    void BackColorFixed(OleColor c) { fixedBack_ = c; Redraw(); }
    void BackColorSel(OleColor c) { selBack_ = c; Redraw(); }
    // The cell under a client point (pixels); false when none.
    bool CellAt(int x, int y, int& row, int& col) const;
    // The cell's rectangle in client pixels (empty when scrolled away).
    RECT CellRect(int row, int col) const;

    Event<> Click;
    Event<> RowColChange;

protected:
    HWND CreateWindowFor(HWND parent, int id) override;
    bool OnOwnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
    void AfterMouseUp(int button) override
    {
        if (button == vbLeftButton)
            Click.Raise(Source("Click"));
    }

private:
    void Resize();
    void Redraw();
    void UpdateScroll();
    void Paint(HDC dc);
    int ColPx(int c) const;
    int RowPx(int r) const;
    void SetCurrent(int row, int col, bool raise);
    int rows_ = 2, cols_ = 2, fixedRows_ = 1, fixedCols_ = 1, row_ = 1, col_ = 1, top_ = 1, left_ = 1;
    std::vector<std::string> cells_;
    std::vector<int> widths_, heights_, aligns_;
    OleColor grid_ = SysColor(COLOR_BTNSHADOW), fixedBack_ = SysColor(COLOR_BTNFACE),
             selBack_ = SysColor(COLOR_HIGHLIGHT);
};

}  // namespace platform::forms
