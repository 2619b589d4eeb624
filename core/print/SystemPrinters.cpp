// The system's printers over the spooler and GDI.
#include <windows.h>
#include <winspool.h>

#include <memory>
#include <vector>

#include "platform/QlError.h"
#include "core/print/PrinterDevice.h"

namespace ql::print {

namespace {

constexpr int32_t kErrPrinter = 482;  // printer error, as the platform raises it

[[noreturn]] void Fail(const std::string& what)
{
    throw QlError(kErrPrinter, "Printer", "Printer error: " + what);
}

class SystemPrinter : public IPrinter {
public:
    SystemPrinter(std::string device, std::string driver, std::string port)
        : device_(std::move(device)), driver_(std::move(driver)), port_(std::move(port))
    {
        LoadDevMode();
    }
    ~SystemPrinter() override
    {
        if (dc_) {
            AbortDoc(dc_);
            DeleteDC(dc_);
        }
    }

    std::string DeviceName() const override { return device_; }
    std::string DriverName() const override { return driver_; }
    std::string Port() const override { return port_; }
    int32_t Orientation() const override { return Dm() ? Dm()->dmOrientation : 0; }
    int32_t Duplex() const override { return Dm() ? Dm()->dmDuplex : 0; }
    void SetOrientation(int32_t v) override { Set(DM_ORIENTATION, [v](DEVMODEA& d) { d.dmOrientation = static_cast<short>(v); }); }
    void SetDuplex(int32_t v) override { Set(DM_DUPLEX, [v](DEVMODEA& d) { d.dmDuplex = static_cast<short>(v); }); }
    void SetCopies(int32_t v) override { Set(DM_COPIES, [v](DEVMODEA& d) { d.dmCopies = static_cast<short>(v); }); }
    void SetPaperSize(int32_t v) override { Set(DM_PAPERSIZE, [v](DEVMODEA& d) { d.dmPaperSize = static_cast<short>(v); }); }
    void SetPrintQuality(int32_t v) override { Set(DM_PRINTQUALITY, [v](DEVMODEA& d) { d.dmPrintQuality = static_cast<short>(v); }); }
    void SetColorMode(int32_t v) override { Set(DM_COLOR, [v](DEVMODEA& d) { d.dmColor = static_cast<short>(v); }); }
    void SetPaperBin(int32_t v) override { Set(DM_DEFAULTSOURCE, [v](DEVMODEA& d) { d.dmDefaultSource = static_cast<short>(v); }); }

    void PrintBlank() override { StartJob(); }
    HDC hDC() override
    {
        StartJob();
        return dc_;
    }
    void NewPage() override
    {
        StartJob();
        EndPage(dc_);
        StartPage(dc_);
        ++page_;
    }
    int32_t Page() const override { return page_; }
    void EndDoc() override
    {
        if (!dc_)
            return;
        EndPage(dc_);
        ::EndDoc(dc_);
        Close();
    }
    void KillDoc() override
    {
        if (!dc_)
            return;
        AbortDoc(dc_);
        Close();
    }

    double TwipsPerPixelX() const override { return 1440.0 / Caps(LOGPIXELSX); }
    double TwipsPerPixelY() const override { return 1440.0 / Caps(LOGPIXELSY); }
    double PaperWidthTwips() const override { return Caps(PHYSICALWIDTH) * TwipsPerPixelX(); }
    double PaperHeightTwips() const override { return Caps(PHYSICALHEIGHT) * TwipsPerPixelY(); }
    double PrintableWidthTwips() const override { return Caps(HORZRES) * TwipsPerPixelX(); }
    double PrintableHeightTwips() const override { return Caps(VERTRES) * TwipsPerPixelY(); }

private:
    const DEVMODEA* Dm() const
    {
        return devmode_.empty() ? nullptr : reinterpret_cast<const DEVMODEA*>(devmode_.data());
    }
    void LoadDevMode()
    {
        HANDLE h = nullptr;
        if (!OpenPrinterA(const_cast<char*>(device_.c_str()), &h, nullptr))
            return;
        LONG size = DocumentPropertiesA(nullptr, h, const_cast<char*>(device_.c_str()), nullptr, nullptr, 0);
        if (size > 0) {
            devmode_.assign(static_cast<size_t>(size), 0);
            if (DocumentPropertiesA(nullptr, h, const_cast<char*>(device_.c_str()),
                                    reinterpret_cast<DEVMODEA*>(devmode_.data()), nullptr, DM_OUT_BUFFER) != IDOK)
                devmode_.clear();
        }
        ClosePrinter(h);
    }
    template <class F>
    void Set(DWORD field, F apply)
    {
        if (devmode_.empty())
            Fail("no settings for " + device_);
        auto* d = reinterpret_cast<DEVMODEA*>(devmode_.data());
        apply(*d);
        d->dmFields |= field;
    }
    int Caps(int index) const
    {
        HDC dc = dc_ ? dc_ : CreateICA(driver_.c_str(), device_.c_str(), nullptr, Dm());
        if (!dc)
            Fail("no device context for " + device_);
        int v = GetDeviceCaps(dc, index);
        if (dc != dc_)
            DeleteDC(dc);
        return v > 0 ? v : 1;
    }
    void StartJob()
    {
        if (dc_)
            return;
        dc_ = CreateDCA(driver_.c_str(), device_.c_str(), nullptr, Dm());
        if (!dc_)
            Fail("cannot open " + device_);
        DOCINFOA di{};
        di.cbSize = sizeof di;
        di.lpszDocName = "Quillery Pro";
        if (StartDocA(dc_, &di) <= 0 || StartPage(dc_) <= 0) {
            DeleteDC(dc_);
            dc_ = nullptr;
            Fail("cannot start a job on " + device_);
        }
        page_ = 1;
    }
    void Close()
    {
        DeleteDC(dc_);
        dc_ = nullptr;
        page_ = 0;
    }

    std::string device_, driver_, port_;
    std::vector<uint8_t> devmode_;
    HDC dc_ = nullptr;
    int32_t page_ = 0;
};

class SystemPrinters : public IPrinters {
public:
    int32_t Count() override
    {
        Load();
        return static_cast<int32_t>(list_.size());
    }
    IPrinter& Item(int32_t index) override
    {
        Load();
        if (index < 0 || index >= static_cast<int32_t>(list_.size()))
            throw QlError(9, "Printers", "Subscript out of range");
        return *list_[static_cast<size_t>(index)];
    }
    IPrinter& Current() override
    {
        Load();
        if (current_ < 0)
            throw QlError(484, "Printer", "Problem getting printer information from the system");
        return *list_[static_cast<size_t>(current_)];
    }
    void SetCurrent(int32_t index) override
    {
        Item(index);
        current_ = index;
    }

private:
    void Load()
    {
        if (loaded_)
            return;
        loaded_ = true;
        DWORD needed = 0, count = 0;
        DWORD flags = PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS;
        EnumPrintersA(flags, nullptr, 2, nullptr, 0, &needed, &count);
        if (!needed)
            return;
        std::vector<uint8_t> buf(needed);
        if (!EnumPrintersA(flags, nullptr, 2, buf.data(), needed, &needed, &count))
            return;
        char defName[512] = {};
        DWORD defLen = sizeof defName;
        GetDefaultPrinterA(defName, &defLen);
        auto* info = reinterpret_cast<PRINTER_INFO_2A*>(buf.data());
        for (DWORD i = 0; i < count; ++i) {
            auto s = [](const char* p) { return std::string(p ? p : ""); };
            list_.push_back(std::make_unique<SystemPrinter>(s(info[i].pPrinterName), s(info[i].pDriverName),
                                                            s(info[i].pPortName)));
            if (lstrcmpiA(defName, s(info[i].pPrinterName).c_str()) == 0 || current_ < 0)
                current_ = static_cast<int32_t>(i);
        }
    }

    bool loaded_ = false;
    int32_t current_ = -1;
    std::vector<std::unique_ptr<SystemPrinter>> list_;
};

IPrinters* g_override = nullptr;

}  // namespace

IPrinters& Printers()
{
    if (g_override)
        return *g_override;
    static SystemPrinters system;
    return system;
}

void SetPrinters(IPrinters* printers) { g_override = printers; }

}  // namespace ql::print
