#pragma once
// Prints the whole content of a rich-text control, page by page, with margins, through
// the current printer.
#include <windows.h>
#include <richedit.h>

#include <cstdint>
#include <functional>

#include "core/dialogs/cCommonDialog.h"
#include "core/print/PrinterDevice.h"

class cPrintRTB {
public:
    // Formats (render = TRUE: and draws) one page; answers the first character that did
    // not fit. Sends EM_FORMATRANGE unless a test puts its own in.
    using FormatRange = std::function<LONG(HWND rtb, WPARAM render, FORMATRANGE* range)>;
    FormatRange formatRange = SendFormatRange;
    // The platform calls of the print dialog that PrintRTF shows.
    cCommonDialog::Api dialogApi = cCommonDialog::SystemApi();

    // A runaway document stops here (a page costs paper).
    static constexpr int32_t kMaxPages = 5000;

    // Shows the print dialog and prints; margins in twips. Returns whether the pages
    // went to the printer; a cancelled dialog returns at once. Printer failures throw.
    bool PrintRTF(HWND rtb, int32_t LeftMarginWidth, int32_t TopMarginHeight, int32_t RightMarginWidth,
                  int32_t BottomMarginHeight);

    struct Rects {
        RECT rc;      // drawing rectangle, twips, relative to the printable area
        RECT rcPage;  // the printable page, twips
    };
    static Rects PageRects(ql::print::IPrinter& printer, HDC dc, int32_t left, int32_t top, int32_t right,
                           int32_t bottom);
    // Characters as the control counts positions (a paragraph end is one).
    static LONG TextLength(HWND rtb);

    static LONG SendFormatRange(HWND rtb, WPARAM render, FORMATRANGE* range);
};
