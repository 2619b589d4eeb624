#pragma once
// The current printer and the list of printers, as the dialogs and the print code see
// them. The program's printer object plugs in through SetPrinters; tests give fakes
// (there are no printers under Wine). Members that fail throw QlError.
#include <windows.h>

#include <cstdint>
#include <string>

namespace ql::print {

class IPrinter {
public:
    virtual ~IPrinter() = default;

    virtual std::string DeviceName() const = 0;
    virtual std::string DriverName() const = 0;
    virtual std::string Port() const = 0;
    virtual int32_t Orientation() const = 0;
    virtual int32_t Duplex() const = 0;
    virtual void SetOrientation(int32_t v) = 0;
    virtual void SetDuplex(int32_t v) = 0;
    virtual void SetCopies(int32_t v) = 0;
    virtual void SetPaperSize(int32_t v) = 0;
    virtual void SetPrintQuality(int32_t v) = 0;
    virtual void SetColorMode(int32_t v) = 0;
    virtual void SetPaperBin(int32_t v) = 0;

    // Output: the job starts with the first output (a blank printed at the top).
    virtual void PrintBlank() = 0;
    virtual HDC hDC() = 0;
    virtual void NewPage() = 0;
    virtual int32_t Page() const = 0;
    virtual void EndDoc() = 0;   // the pages go to the printer
    virtual void KillDoc() = 0;  // nothing is printed

    // Twips per device pixel, the paper's size and the printable area, in twips.
    virtual double TwipsPerPixelX() const = 0;
    virtual double TwipsPerPixelY() const = 0;
    virtual double PaperWidthTwips() const = 0;
    virtual double PaperHeightTwips() const = 0;
    virtual double PrintableWidthTwips() const = 0;
    virtual double PrintableHeightTwips() const = 0;
};

class IPrinters {
public:
    virtual ~IPrinters() = default;
    virtual int32_t Count() = 0;
    virtual IPrinter& Item(int32_t index) = 0;  // 0-based
    virtual IPrinter& Current() = 0;
    virtual void SetCurrent(int32_t index) = 0;
};

// The printers in use: the system's (over the spooler) unless another set was given.
IPrinters& Printers();
// Replaces the set (not owned); nullptr goes back to the system's printers.
void SetPrinters(IPrinters* printers);

}  // namespace ql::print
