#pragma once
// Printers that record what was done to them.
#include <string>
#include <vector>

#include "core/print/PrinterDevice.h"

namespace ql::test {

class FakePrinter : public ql::print::IPrinter {
public:
    FakePrinter(std::string device, std::string driver = "winspool", std::string port = "LPT1:")
        : device(std::move(device)), driver(std::move(driver)), port(std::move(port)) {}
    ~FakePrinter() override;

    std::string DeviceName() const override { return device; }
    std::string DriverName() const override { return driver; }
    std::string Port() const override { return port; }
    int32_t Orientation() const override { return orientation; }
    int32_t Duplex() const override { return duplex; }
    void SetOrientation(int32_t v) override { orientation = v; log.push_back("orientation"); }
    void SetDuplex(int32_t v) override { duplex = v; log.push_back("duplex"); }
    void SetCopies(int32_t v) override { copies = v; log.push_back("copies"); }
    void SetPaperSize(int32_t v) override;
    void SetPrintQuality(int32_t v) override { quality = v; log.push_back("quality"); }
    void SetColorMode(int32_t v) override { colorMode = v; log.push_back("color"); }
    void SetPaperBin(int32_t v) override { bin = v; log.push_back("bin"); }

    void PrintBlank() override;
    HDC hDC() override;
    void NewPage() override;
    int32_t Page() const override { return page; }
    void EndDoc() override;
    void KillDoc() override;

    double TwipsPerPixelX() const override { return 1440.0 / 600; }
    double TwipsPerPixelY() const override { return 1440.0 / 600; }
    double PaperWidthTwips() const override { return 12240; }   // 8.5 in
    double PaperHeightTwips() const override { return 15840; }  // 11 in
    double PrintableWidthTwips() const override { return 12240 - 2 * 144; }
    double PrintableHeightTwips() const override { return 15840 - 2 * 144; }

    std::string device, driver, port;
    int32_t orientation = 1, duplex = 1, copies = 0, paperSize = 0, quality = 0, colorMode = 0, bin = 0;
    bool failPaperSize = false;
    bool failOutput = false;
    int32_t page = 0;
    std::vector<std::string> log;
    std::vector<HDC> pageDcs;  // the DC handed out on each page

private:
    HDC dc_ = nullptr;
};

class FakePrinters : public ql::print::IPrinters {
public:
    FakePrinters();
    ~FakePrinters() override;
    int32_t Count() override { return static_cast<int32_t>(list.size()); }
    ql::print::IPrinter& Item(int32_t i) override { return *list.at(static_cast<size_t>(i)); }
    ql::print::IPrinter& Current() override { return *list.at(static_cast<size_t>(current)); }
    void SetCurrent(int32_t i) override { current = i; }
    FakePrinter& At(int i) { return *list.at(static_cast<size_t>(i)); }

    std::vector<FakePrinter*> list;
    int32_t current = 0;
};

}  // namespace ql::test
