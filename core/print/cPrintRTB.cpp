#include "core/print/cPrintRTB.h"

#include <cmath>

#include "platform/QlError.h"
#include "core/print/TargetDevice.h"

namespace {

constexpr int32_t kPrinterError = 482;

}  // namespace

cPrintRTB::Rects cPrintRTB::PageRects(ql::print::IPrinter& printer, HDC dc, int32_t left, int32_t top,
                                      int32_t right, int32_t bottom)
{
    auto offX = static_cast<LONG>(std::lround(GetDeviceCaps(dc, PHYSICALOFFSETX) * printer.TwipsPerPixelX()));
    auto offY = static_cast<LONG>(std::lround(GetDeviceCaps(dc, PHYSICALOFFSETY) * printer.TwipsPerPixelY()));
    Rects r{};
    r.rc.left = left - offX;
    r.rc.top = top - offY;
    r.rc.right = static_cast<LONG>(std::lround(printer.PaperWidthTwips() - right)) - offX;
    r.rc.bottom = static_cast<LONG>(std::lround(printer.PaperHeightTwips() - bottom)) - offY;
    r.rcPage = {0, 0, static_cast<LONG>(std::lround(printer.PrintableWidthTwips())),
                static_cast<LONG>(std::lround(printer.PrintableHeightTwips()))};
    return r;
}

LONG cPrintRTB::TextLength(HWND rtb)
{
    // The length of the plain text counts CR LF as two while positions count one:
    // the last page would never seem reached.
    GETTEXTLENGTHEX gtl{GTL_NUMCHARS | GTL_PRECISE, 1200};
    LRESULT n = SendMessageA(rtb, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&gtl), 0);
    return n > 0 ? static_cast<LONG>(n) : 0;
}

LONG cPrintRTB::SendFormatRange(HWND rtb, WPARAM render, FORMATRANGE* range)
{
    return static_cast<LONG>(SendMessageA(rtb, EM_FORMATRANGE, render, reinterpret_cast<LPARAM>(range)));
}

bool cPrintRTB::PrintRTF(HWND rtb, int32_t LeftMarginWidth, int32_t TopMarginHeight, int32_t RightMarginWidth,
                         int32_t BottomMarginHeight)
{
    cCommonDialog dialog;
    dialog.api = dialogApi;
    if (!dialog.ShowPrinter(0))
        return false;

    auto& printer = ql::print::Printers().Current();
    printer.PrintBlank();
    HDC dc = printer.hDC();
    Rects rects = PageRects(printer, dc, LeftMarginWidth, TopMarginHeight, RightMarginWidth, BottomMarginHeight);

    FORMATRANGE fr{};
    fr.hdc = dc;
    fr.hdcTarget = dc;
    fr.rc = rects.rc;
    fr.rcPage = rects.rcPage;
    fr.chrg.cpMin = 0;
    fr.chrg.cpMax = -1;
    const LONG length = TextLength(rtb);

    for (int32_t pages = 1;; ++pages) {
        LONG next = formatRange(rtb, TRUE, &fr);
        // Done, or a page that placed nothing (Wine's control formats nothing at all):
        // repeating it would print the same page for ever.
        if (next >= length || next <= fr.chrg.cpMin || pages >= kMaxPages)
            break;
        fr.chrg.cpMin = next;
        fr.rc = rects.rc;  // the control shortens rc to what it used
        printer.NewPage();
        printer.PrintBlank();
        fr.hdc = printer.hDC();
        fr.hdcTarget = fr.hdc;
    }
    dialog.PrintDoc();
    formatRange(rtb, FALSE, nullptr);
    return true;
}

HDC cPrintRTB::CreatePrinterDc(const std::string& driver, const std::string& device)
{
    return CreateDCA(driver.c_str(), device.c_str(), nullptr, nullptr);
}

void cPrintRTB::WYSIWYG_RTF(HWND rtb, int32_t LeftMarginWidth, int32_t RightMarginWidth, int32_t TopMarginWidth,
                            int32_t BottomMarginWidth, int32_t& PrintableWidth, int32_t& PrintableHeight)
{
    auto& printer = ql::print::Printers().Current();
    // The job exists only to measure: it is aborted however this ends.
    struct Abort {
        ql::print::IPrinter& printer;
        ~Abort() { printer.KillDoc(); }
    } abort{printer};
    printer.PrintBlank();
    Rects rects = PageRects(printer, printer.hDC(), LeftMarginWidth, TopMarginWidth, RightMarginWidth,
                            BottomMarginWidth);
    PrintableWidth = rects.rc.right - rects.rc.left;
    PrintableHeight = rects.rc.bottom - rects.rc.top;
    HDC target = createTargetDc(printer.DriverName(), printer.DeviceName());
    if (!target)
        throw QlError(kPrinterError, "cPrintRTB", "Cannot create a device context for " + printer.DeviceName());
    ql::print::GiveTargetDevice(rtb, target, PrintableWidth);
}
