#include "core/print/cReport.h"

#include <commctrl.h>

#include <algorithm>
#include <cmath>

#include "core/print/PrinterDevice.h"

namespace {

// Drawing on the printer's device context in inches from the printable area's corner.
class InchCanvas {
public:
    InchCanvas(ql::print::IPrinter& p) : printer_(p)
    {
        dpiX_ = 1440.0 / p.TwipsPerPixelX();
        dpiY_ = 1440.0 / p.TwipsPerPixelY();
    }
    ~InchCanvas() { DropFont(); }

    void SetFont(int points, bool bold)
    {
        DropFont();
        font_ = CreateFontA(-static_cast<int>(std::lround(points * dpiY_ / 72.0)), 0, 0, 0, bold ? FW_BOLD : FW_NORMAL,
                            0, 0, 0, ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                            DEFAULT_PITCH | FF_SWISS, "Arial");
        dc_ = printer_.hDC();
        old_ = SelectObject(dc_, font_);
    }
    double TextWidth(const std::string& t)
    {
        SIZE s{};
        GetTextExtentPoint32A(Dc(), t.c_str(), static_cast<int>(t.size()), &s);
        return s.cx / dpiX_;
    }
    double TextHeight(const std::string& t)
    {
        SIZE s{};
        GetTextExtentPoint32A(Dc(), t.empty() ? "V" : t.c_str(), t.empty() ? 1 : static_cast<int>(t.size()), &s);
        return s.cy / dpiY_;
    }
    void Text(double x, double y, const std::string& t)
    {
        SetBkMode(Dc(), TRANSPARENT);
        TextOutA(Dc(), X(x), Y(y), t.c_str(), static_cast<int>(t.size()));
    }
    void Box(double x1, double y1, double x2, double y2, COLORREF fill, int rop = R2_COPYPEN)
    {
        HBRUSH b = CreateSolidBrush(fill);
        int oldRop = SetROP2(Dc(), rop);
        HGDIOBJ oldBrush = SelectObject(Dc(), b);
        HGDIOBJ oldPen = SelectObject(Dc(), GetStockObject(NULL_PEN));
        Rectangle(Dc(), X(x1), Y(y1), X(x2) + 1, Y(y2) + 1);
        SelectObject(Dc(), oldPen);
        SelectObject(Dc(), oldBrush);
        SetROP2(Dc(), oldRop);
        DeleteObject(b);
    }
    void Line(double x1, double y1, double x2, double y2, int width)
    {
        HPEN pen = CreatePen(PS_SOLID, width, 0);
        HGDIOBJ old = SelectObject(Dc(), pen);
        MoveToEx(Dc(), X(x1), Y(y1), nullptr);
        LineTo(Dc(), X(x2), Y(y2));
        SelectObject(Dc(), old);
        DeleteObject(pen);
    }
    void CheckBox(double x, double y, double size, bool ticked)
    {
        Box(x, y, x + size, y + size, ticked ? RGB(128, 128, 128) : RGB(255, 255, 255));
        Line(x, y, x + size, y, 1);
        Line(x + size, y, x + size, y + size, 1);
        Line(x + size, y + size, x, y + size, 1);
        Line(x, y + size, x, y, 1);
        if (ticked) {
            Line(x, y, x + size, y + size, 1);
            Line(x + size, y, x, y + size, 1);
        }
    }
    // The page changes the device context on some printers: fonts move along.
    void PageChanged()
    {
        if (font_ && dc_ != printer_.hDC()) {
            dc_ = printer_.hDC();
            old_ = SelectObject(dc_, font_);
        }
    }

private:
    HDC Dc()
    {
        PageChanged();
        if (!dc_)
            dc_ = printer_.hDC();
        return dc_;
    }
    int X(double in) const { return static_cast<int>(std::lround(in * dpiX_)); }
    int Y(double in) const { return static_cast<int>(std::lround(in * dpiY_)); }
    void DropFont()
    {
        if (font_) {
            if (dc_)
                SelectObject(dc_, old_);
            DeleteObject(font_);
            font_ = nullptr;
        }
    }

    ql::print::IPrinter& printer_;
    double dpiX_, dpiY_;
    HDC dc_ = nullptr;
    HFONT font_ = nullptr;
    HGDIOBJ old_ = nullptr;
};

std::string ShortDate()
{
    char buf[64] = {};
    GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, nullptr, nullptr, buf, sizeof buf);
    return buf;
}

}  // namespace

std::vector<std::string> cReport::Chunks(const std::string& text, int perLine)
{
    if (perLine < 1)
        perLine = 1;
    std::vector<std::string> out;
    for (size_t at = 0; at < text.size(); at += static_cast<size_t>(perLine)) {
        std::string piece = text.substr(at, static_cast<size_t>(perLine));
        if (at + static_cast<size_t>(perLine) < text.size())
            piece += "-";
        out.push_back(piece);
    }
    if (out.empty())
        out.push_back("");
    return out;
}

cReport::Rows cReport::ReadListView(HWND lv)
{
    Rows rows;
    HWND header = reinterpret_cast<HWND>(SendMessageA(lv, LVM_GETHEADER, 0, 0));
    int columns = header ? static_cast<int>(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0)) : 0;
    for (int c = 0; c < columns; ++c) {
        char buf[260] = {};
        LVCOLUMNA col{};
        col.mask = LVCF_TEXT;
        col.pszText = buf;
        col.cchTextMax = sizeof buf;
        SendMessageA(lv, LVM_GETCOLUMNA, static_cast<WPARAM>(c), reinterpret_cast<LPARAM>(&col));
        rows.columns.push_back(buf);
    }
    if (rows.columns.empty())
        rows.columns.push_back("");
    rows.checkBoxes = (SendMessageA(lv, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0) & LVS_EX_CHECKBOXES) != 0;
    int count = static_cast<int>(SendMessageA(lv, LVM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        std::vector<std::string> cells;
        for (size_t c = 0; c < rows.columns.size(); ++c) {
            std::vector<char> buf(1024, '\0');
            LVITEMA item{};
            item.iSubItem = static_cast<int>(c);
            item.pszText = buf.data();
            item.cchTextMax = static_cast<int>(buf.size());
            SendMessageA(lv, LVM_GETITEMTEXTA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
            cells.push_back(buf.data());
        }
        rows.items.push_back(std::move(cells));
        LRESULT state = SendMessageA(lv, LVM_GETITEMSTATE, static_cast<WPARAM>(i), LVIS_STATEIMAGEMASK);
        rows.checked.push_back(((state & LVIS_STATEIMAGEMASK) >> 12) == 2);
    }
    return rows;
}

void cReport::PrintListView(HWND lvToPrint, float sngRowSpacing, int16_t intItemFontSize,
                            const std::string& strHeader, int32_t Orientation, bool ShowGrid, bool AutoWidth)
{
    Rows rows;
    try {
        rows = ReadListView(lvToPrint);
    } catch (...) {
        if (PrintError)
            PrintError();
        return;
    }
    PrintRows(rows, sngRowSpacing, intItemFontSize, strHeader, Orientation, ShowGrid, AutoWidth);
}

void cReport::PrintRows(const Rows& rows, float sngRowSpacing, int16_t intItemFontSize, const std::string& strHeader,
                        int32_t Orientation, bool ShowGrid, bool AutoWidth)
{
    ql::print::IPrinter* printer = nullptr;
    try {
        printer = &ql::print::Printers().Current();
        printer->SetOrientation(Orientation == 0 ? DMORIENT_LANDSCAPE : DMORIENT_PORTRAIT);
        InchCanvas pen(*printer);
        const double W = printer->PrintableWidthTwips() / 1440.0;
        const double H = printer->PrintableHeightTwips() / 1440.0;
        const size_t ncols = std::max<size_t>(1, rows.columns.size());
        const double spacing = sngRowSpacing;

        // Column edges.
        std::vector<double> edge(ncols + 1, 0.0);
        if (!AutoWidth) {
            for (size_t i = 0; i <= ncols; ++i)
                edge[i] = W / static_cast<double>(ncols) * static_cast<double>(i);
        } else {
            std::vector<double> width(ncols, 0.0);
            pen.SetFont(12, false);
            for (size_t c = 0; c < ncols && c < rows.columns.size(); ++c)
                width[c] = pen.TextWidth(rows.columns[c]);
            pen.SetFont(intItemFontSize, false);
            for (const auto& item : rows.items)
                for (size_t c = 0; c < ncols && c < item.size(); ++c)
                    width[c] = std::max(width[c], pen.TextWidth(item[c]));
            edge[0] = 0.5;
            for (size_t c = 0; c < ncols; ++c)
                edge[c + 1] = edge[c] + width[c] + 0.25;
        }

        double itemTop = 0;
        auto header = [&] {
            pen.SetFont(25, true);
            pen.Text((W - pen.TextWidth(strHeader)) / 2, 0, strHeader);
            double dateTop = pen.TextHeight(strHeader);
            pen.SetFont(10, false);
            pen.Text(0.25, dateTop, "Date: " + ShortDate());
            std::string count = std::to_string(rows.items.size()) + " Item(s)";
            pen.Text(W - pen.TextWidth("#########"), dateTop, count);
            pen.Box(0, dateTop + 0.35, W, dateTop + 0.40, RGB(192, 192, 192));
            double captionTop = dateTop + 0.5;
            pen.SetFont(12, false);
            for (size_t c = 0; c < rows.columns.size(); ++c)
                pen.Text(c == 0 ? 0.25 : edge[c], captionTop, rows.columns[c]);
            itemTop = captionTop + 0.1;
        };
        auto footer = [&] {
            pen.Box(0, H - 0.75, W, H - 0.70, RGB(192, 192, 192));
            pen.SetFont(12, false);
            pen.Text((W - pen.TextWidth("Page No. ")) / 2, H - 0.5, "Page No. " + std::to_string(printer->Page()));
        };

        pen.SetFont(intItemFontSize, false);
        const double lineH = pen.TextHeight("V");
        std::vector<std::pair<double, double>> shaded;  // even rows of the page
        auto pageEnd = [&] {
            if (ShowGrid) {
                for (size_t c = 0; c <= ncols; ++c)
                    pen.Line(edge[c] - 1.0 / 16, itemTop, edge[c] - 1.0 / 16, H - 0.75, 1);
                // Masked, so that the text on the rows stays visible.
                for (auto& band : shaded)
                    pen.Box(0, band.first, W, band.second, RGB(208, 208, 208), R2_MASKPEN);
            }
            shaded.clear();
            footer();
        };

        printer->PrintBlank();
        header();
        int line = 1;  // row position on the page, in lines
        for (size_t i = 0; i < rows.items.size(); ++i) {
            const auto& item = rows.items[i];
            pen.SetFont(intItemFontSize, false);
            double top = itemTop + line * (lineH + spacing);
            if (ShowGrid)
                pen.Line(0, top - spacing / 2, W, top - spacing / 2, i == 0 ? 6 : 1);
            std::string first = item.empty() ? std::string() : item[0];
            pen.Text(0.25, top, first);
            if (rows.checkBoxes) {
                double size = lineH * 0.6;
                pen.CheckBox(0.25 + pen.TextWidth(first) + 0.05, top + (lineH - size) / 2, size,
                             i < rows.checked.size() && rows.checked[i]);
            }
            int used = 1;
            for (size_t c = 1; c < item.size() && c < ncols; ++c) {
                double colW = edge[c + 1] - edge[c];
                std::vector<std::string> pieces{item[c]};
                if (pen.TextWidth(item[c]) > colW)
                    pieces = Chunks(item[c], static_cast<int>(std::lround(colW / std::max(pen.TextWidth("e"), 1e-6))));
                for (size_t k = 0; k < pieces.size(); ++k)
                    pen.Text(edge[c], top + static_cast<double>(k) * lineH, pieces[k]);
                used = std::max(used, static_cast<int>(pieces.size()));
            }
            if (ShowGrid && (i % 2) == 1)
                shaded.emplace_back(top - spacing / 2, top + used * lineH + spacing / 2);
            // Chunked cells take several lines; the next row starts below them.
            line += used;
            double current = top + used * lineH;
            if (i + 1 < rows.items.size() && current + pen.TextHeight("Test") + 1 > H) {
                pageEnd();
                printer->NewPage();
                pen.PageChanged();
                header();
                line = 1;
            }
        }
        pageEnd();
        printer->EndDoc();
    } catch (...) {
        if (printer) {
            try {
                printer->KillDoc();
            } catch (...) {
            }
        }
        if (PrintError)
            PrintError();
        return;
    }
    if (PrintComplete)
        PrintComplete();
}
