#pragma once
// Prints the whole content of a rich-text control, page by page, with margins, through
// the current printer.
#include <windows.h>
#include <richedit.h>

#include <cstdint>
#include <functional>
#include <string>

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

    // Makes the device context that WYSIWYG_RTF hands to the control; a test puts its own in.
    using CreateTargetDc = std::function<HDC(const std::string& driver, const std::string& device)>;
    CreateTargetDc createTargetDc = CreatePrinterDc;

    // A runaway document stops here (a page costs paper).
    static constexpr int32_t kMaxPages = 5000;

    // Lays the control's text out as the current printer will print it: the control's
    // target device becomes a device context of the printer, with the line width of the
    // printable width between the margins (twips). Answers that width and height. The
    // device context stays with the control: it goes when the control is destroyed or
    // gets another one from here. The print job it opens to measure is aborted.
    void WYSIWYG_RTF(HWND rtb, int32_t LeftMarginWidth, int32_t RightMarginWidth, int32_t TopMarginWidth,
                     int32_t BottomMarginWidth, int32_t& PrintableWidth, int32_t& PrintableHeight);

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
    static HDC CreatePrinterDc(const std::string& driver, const std::string& device);
};
