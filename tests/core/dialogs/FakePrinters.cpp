#include "FakePrinters.h"

#include "platform/QlError.h"

namespace ql::test {

FakePrinter::~FakePrinter()
{
    if (dc_)
        DeleteDC(dc_);
}

void FakePrinter::SetPaperSize(int32_t v)
{
    log.push_back("paper");
    if (failPaperSize)
        throw QlError(380, "Printer", "Invalid property value");
    paperSize = v;
}

void FakePrinter::PrintBlank()
{
    log.push_back("blank");
    if (failOutput)
        throw QlError(482, "Printer", "Printer error");
    hDC();
}

HDC FakePrinter::hDC()
{
    if (!dc_) {
        dc_ = CreateCompatibleDC(nullptr);
        page = 1;
        pageDcs.push_back(dc_);
    }
    return dc_;
}

void FakePrinter::NewPage()
{
    log.push_back("newpage");
    // A printer may hand out a new device context on each page.
    if (dc_)
        DeleteDC(dc_);
    dc_ = CreateCompatibleDC(nullptr);
    pageDcs.push_back(dc_);
    ++page;
}

void FakePrinter::EndDoc() { log.push_back("enddoc"); }
void FakePrinter::KillDoc() { log.push_back("killdoc"); }

FakePrinters::FakePrinters()
{
    list.push_back(new FakePrinter("Office Laser"));
    list.push_back(new FakePrinter("A printer with a rather long name of forty-two", "drv2", "\\\\server\\queue"));
    list.push_back(new FakePrinter("Plotter"));
    ql::print::SetPrinters(this);
}

FakePrinters::~FakePrinters()
{
    ql::print::SetPrinters(nullptr);
    for (auto* p : list)
        delete p;
}

}  // namespace ql::test
