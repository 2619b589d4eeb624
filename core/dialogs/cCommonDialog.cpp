#include "core/dialogs/cCommonDialog.h"

#include <cderr.h>
#include <ole2.h>
#include <olectl.h>

#include <cstring>

#include "core/files/modFileFunctions.h"
#include "core/print/PrinterDevice.h"

namespace {

std::vector<std::string> SplitAtNul(const std::string& text)
{
    std::vector<std::string> parts;
    size_t start = 0;
    while (start < text.size()) {
        size_t nul = text.find('\0', start);
        if (nul == std::string::npos) {
            parts.push_back(text.substr(start));
            break;
        }
        parts.push_back(text.substr(start, nul - start));
        start = nul + 1;
    }
    return parts;
}

std::string CutAtNul(const char* p, size_t max)
{
    size_t n = 0;
    while (n < max && p[n])
        ++n;
    return std::string(p, n);
}

template <class F>
void Ignoring(F f)
{
    try {
        f();
    } catch (...) {
    }
}

}  // namespace

cCommonDialog::Api cCommonDialog::SystemApi()
{
    return {GetOpenFileNameA, GetSaveFileNameA, CommDlgExtendedError, SHBrowseForFolderA,
            SHGetPathFromIDListA, PrintDlgA, PageSetupDlgA, ChooseColorA};
}

HWND cCommonDialog::Owner() const { return owner_ ? owner_ : GetActiveWindow(); }

// ---- filter and buffers ----

std::string cCommonDialog::ConvertFilter(const std::string& filter)
{
    std::string out;
    if (filter.empty())
        return out;
    size_t start = 0;
    while (true) {
        size_t bar = filter.find('|', start);
        if (bar == std::string::npos) {
            if (start < filter.size())
                out += filter.substr(start) + '\0';
            break;
        }
        out += filter.substr(start, bar - start) + '\0';
        start = bar + 1;
    }
    out += '\0';
    return out;
}

void cCommonDialog::SetFilter(const std::string& v)
{
    filter_ = v;
    convertedFilter_ = ConvertFilter(v);
}

void cCommonDialog::SetMaxFileSize(int16_t chars)
{
    maxFileSize_ = chars;
    filename_.assign(chars > 0 ? static_cast<size_t>(chars) : 0, '\0');
}

// ---- file dialogs ----

int32_t cCommonDialog::ShowOpen() { return ShowFileDialog(true); }
int32_t cCommonDialog::ShowSave() { return ShowFileDialog(false); }

int32_t cCommonDialog::ShowFileDialog(bool open)
{
    SetMaxFileSize((flags_ & OFN_ALLOWMULTISELECT) ? kMultiBuffer : kSingleBuffer);
    std::vector<char> file(static_cast<size_t>(maxFileSize_) + 1, '\0');
    std::vector<char> title(static_cast<size_t>(maxFileSize_) + 1, '\0');

    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = Owner();
    if (open)
        ofn.hInstance = GetModuleHandleA(nullptr);
    // An empty filter has no pairs to show: the dialog then lists every file.
    ofn.lpstrFilter = convertedFilter_.empty() ? nullptr : convertedFilter_.c_str();
    ofn.nFilterIndex = static_cast<DWORD>(filterIndex_ < 0 ? 0 : filterIndex_);
    ofn.lpstrFile = file.data();
    ofn.nMaxFile = static_cast<DWORD>(maxFileSize_);
    ofn.lpstrFileTitle = title.data();
    ofn.nMaxFileTitle = static_cast<DWORD>(maxFileSize_);
    ofn.lpstrInitialDir = initDir_.empty() ? nullptr : initDir_.c_str();
    ofn.lpstrTitle = title_.empty() ? nullptr : title_.c_str();
    ofn.Flags = flags_;
    ofn.lpstrDefExt = defaultExt_.empty() ? nullptr : defaultExt_.c_str();

    BOOL ok = open ? api.OpenFileDlg(&ofn) : api.SaveFileDlg(&ofn);
    if (!ok)
        return -static_cast<int32_t>(api.ExtendedError());

    std::string buf(file.data(), static_cast<size_t>(maxFileSize_));
    if (open) {
        size_t end = buf.find(std::string("\0\0", 2), ofn.nFileOffset);
        filename_ = buf.substr(0, end == std::string::npos ? buf.size() : end);
        while (!filename_.empty() && filename_.back() == '\0')
            filename_.pop_back();
    } else {
        filename_ = CutAtNul(buf.data(), buf.size());
    }
    fileTitle_ = CutAtNul(title.data(), title.size());
    path_ = CutAtNul(filename_.data(), std::min<size_t>(ofn.nFileOffset, filename_.size()));
    return ok;
}

std::vector<std::string> cCommonDialog::ParseFileNames() const
{
    std::string text = filename_;
    while (!text.empty() && text.back() == '\0')
        text.pop_back();
    std::vector<std::string> parts = SplitAtNul(text);
    if (parts.size() <= 1)
        return parts;
    // A drive root already ends with its separator.
    std::string folder = modFileFunctions::AppendIfMissing(parts[0], "\\");
    std::vector<std::string> out;
    for (size_t i = 1; i < parts.size(); ++i)
        out.push_back(folder + parts[i]);
    return out;
}

// ---- folder browser ----

int32_t cCommonDialog::Browse()
{
    BROWSEINFOA bi{};
    bi.hwndOwner = Owner();
    bi.lpszTitle = title_.c_str();
    bi.ulFlags = BIF_RETURNONLYFSDIRS;
    LPITEMIDLIST list = api.BrowseForFolder(&bi);
    if (!list)
        return 0;
    char buf[MAX_PATH + 1] = {};
    if (api.PathFromIDList(list, buf))
        path_ = CutAtNul(buf, MAX_PATH);
    CoTaskMemFree(list);
    return static_cast<int32_t>(reinterpret_cast<intptr_t>(list));
}

// ---- printing ----

std::vector<uint8_t> cCommonDialog::BuildDevNames(const std::string& driver, const std::string& device,
                                                  const std::string& port)
{
    std::string text = driver + '\0' + device + '\0' + port + '\0';
    std::vector<uint8_t> block(sizeof(DEVNAMES) + text.size(), 0);
    DEVNAMES dn{};
    dn.wDriverOffset = sizeof(DEVNAMES);
    dn.wDeviceOffset = static_cast<WORD>(dn.wDriverOffset + driver.size() + 1);
    dn.wOutputOffset = static_cast<WORD>(dn.wDeviceOffset + device.size() + 1);
    dn.wDefault = 0;
    std::memcpy(block.data(), &dn, sizeof dn);
    std::memcpy(block.data() + sizeof dn, text.data(), text.size());
    return block;
}

std::string cCommonDialog::DevNamesDevice(const uint8_t* block, size_t size)
{
    if (!block || size < sizeof(DEVNAMES))
        return {};
    DEVNAMES dn;
    std::memcpy(&dn, block, sizeof dn);
    if (dn.wDeviceOffset >= size)
        return {};
    return CutAtNul(reinterpret_cast<const char*>(block) + dn.wDeviceOffset, size - dn.wDeviceOffset);
}

namespace {

HGLOBAL CopyToGlobal(const void* data, size_t size)
{
    HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
    if (!h)
        return nullptr;
    if (void* p = GlobalLock(h)) {
        std::memcpy(p, data, size);
        GlobalUnlock(h);
    }
    return h;
}

}  // namespace

bool cCommonDialog::ShowPrinter(uint32_t PrintFlags)
{
    auto& printers = ql::print::Printers();
    std::string device;
    int32_t orientation = 0, duplex = 0;
    Ignoring([&] { device = printers.Current().DeviceName(); });
    Ignoring([&] { orientation = printers.Current().Orientation(); });
    Ignoring([&] { duplex = printers.Current().Duplex(); });
    std::string driver = printers.Current().DriverName();
    std::string port = printers.Current().Port();

    DEVMODEA dm{};
    lstrcpynA(reinterpret_cast<char*>(dm.dmDeviceName), device.c_str(), CCHDEVICENAME);
    dm.dmSize = sizeof dm;
    dm.dmFields = DM_ORIENTATION | DM_DUPLEX;
    dm.dmOrientation = static_cast<short>(orientation);
    dm.dmDuplex = static_cast<short>(duplex);
    std::vector<uint8_t> names = BuildDevNames(driver, device, port);

    PRINTDLGA pd{};
    pd.lStructSize = sizeof pd;
    pd.hwndOwner = Owner();
    pd.hDevMode = CopyToGlobal(&dm, sizeof dm);
    pd.hDevNames = CopyToGlobal(names.data(), names.size());
    pd.Flags = PrintFlags;
    BOOL ok = api.PrintDialog(&pd);

    DEVMODEA chosen{};
    std::string chosenDevice;
    if (ok) {
        if (pd.hDevMode) {
            if (auto* p = static_cast<const uint8_t*>(GlobalLock(pd.hDevMode))) {
                size_t size = GlobalSize(pd.hDevMode);
                std::memcpy(&chosen, p, std::min(size, sizeof chosen));
                GlobalUnlock(pd.hDevMode);
            }
        }
        // The full name comes from the device names: DEVMODE holds only 31 characters.
        if (pd.hDevNames) {
            if (auto* p = static_cast<const uint8_t*>(GlobalLock(pd.hDevNames))) {
                chosenDevice = DevNamesDevice(p, GlobalSize(pd.hDevNames));
                GlobalUnlock(pd.hDevNames);
            }
        }
        if (chosenDevice.empty())
            chosenDevice = CutAtNul(reinterpret_cast<const char*>(chosen.dmDeviceName), CCHDEVICENAME);
    }
    if (pd.hDevMode)
        GlobalFree(pd.hDevMode);
    if (pd.hDevNames)
        GlobalFree(pd.hDevNames);
    if (pd.hDC)
        DeleteDC(pd.hDC);
    if (!ok) {
        printJob_ = false;
        return false;
    }

    std::string current;
    Ignoring([&] { current = printers.Current().DeviceName(); });
    if (lstrcmpiA(current.c_str(), chosenDevice.c_str()) != 0) {
        int32_t count = printers.Count();
        for (int32_t i = 0; i < count; ++i)
            if (lstrcmpiA(printers.Item(i).DeviceName().c_str(), chosenDevice.c_str()) == 0)
                printers.SetCurrent(i);
    }
    auto& p = printers.Current();
    Ignoring([&] { p.SetCopies(chosen.dmCopies); });
    Ignoring([&] { p.SetDuplex(chosen.dmDuplex); });
    Ignoring([&] { p.SetOrientation(chosen.dmOrientation); });
    Ignoring([&] { p.SetPaperSize(chosen.dmPaperSize); });
    Ignoring([&] { p.SetPrintQuality(chosen.dmPrintQuality); });
    Ignoring([&] { p.SetColorMode(chosen.dmColor); });
    Ignoring([&] { p.SetPaperBin(chosen.dmDefaultSource); });
    printJob_ = true;
    return true;
}

void cCommonDialog::PrintDoc()
{
    auto& p = ql::print::Printers().Current();
    if (printJob_)
        p.EndDoc();
    else
        p.KillDoc();
}

// ---- page setup and colour ----

int32_t cCommonDialog::ShowPageSetupDlg(HWND frmOwner)
{
    PAGESETUPDLGA ps{};
    ps.lStructSize = sizeof ps;
    ps.hwndOwner = frmOwner ? frmOwner : Owner();
    ps.hInstance = GetModuleHandleA(nullptr);
    BOOL ok = api.PageSetupDialog(&ps);
    if (ps.hDevMode)
        GlobalFree(ps.hDevMode);
    if (ps.hDevNames)
        GlobalFree(ps.hDevNames);
    return ok ? 0 : -1;
}

int32_t cCommonDialog::ShowColor(bool bFullOpen, int32_t InitColor)
{
    COLORREF initial = 0;
    if (InitColor != 0) {
        COLORREF rgb = 0;
        initial = SUCCEEDED(OleTranslateColor(static_cast<OLE_COLOR>(InitColor), nullptr, &rgb))
                      ? rgb
                      : static_cast<COLORREF>(-1);
    }
    COLORREF custom[16] = {};
    CHOOSECOLORA cc{};
    cc.lStructSize = sizeof cc;
    cc.hwndOwner = Owner();
    cc.hInstance = reinterpret_cast<HWND>(GetModuleHandleA(nullptr));
    cc.rgbResult = initial;
    cc.lpCustColors = custom;
    cc.Flags = CC_RGBINIT | CC_SOLIDCOLOR | CC_ANYCOLOR | (bFullOpen ? CC_FULLOPEN : 0);
    if (!api.ColorDialog(&cc))
        return -1;
    return static_cast<int32_t>(cc.rgbResult);
}
