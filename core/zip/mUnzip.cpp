#include "core/zip/mUnzip.h"

#include "platform/QlError.h"
#include "core/modMain.h"
#include "core/zip/ZipCallbackText.h"
#include "core/zip/cUnzip.h"
#include "platform/AnsiText.h"
#include "platform/zip/ZipReader.h"
#include "platform/zip/ZipResult.h"

#include <algorithm>

class mUnzipAccess {
public:
    static const cUnzip::Options& Options(const cUnzip& u) { return u.dcl_; }
    static void Cancel(cUnzip& u, const std::string& m, bool& c) { u.RaiseCancel(m, c); }
    static void Overwrite(cUnzip& u, const std::string& f, int32_t& r) { u.RaiseOverwritePrompt(f, r); }
    static void Password(cUnzip& u, std::string& p, bool& c) { u.RaisePasswordRequest(p, c); }
    static void Progress(cUnzip& u, int32_t n, const std::string& m) { u.RaiseProgress(n, m); }

    static void AddListed(cUnzip& u, const std::string& folder, const std::string& name, uint32_t size,
                          int16_t ratio, const std::string& method, double date, uint32_t crc, bool encrypted,
                          int64_t packed)
    {
        cUnzip::Entry e;
        e.filename = name;
        e.directory = folder;
        e.size = int32_t(size);
        e.ratio = ratio;
        e.method = method;
        e.date = date;
        e.crc = crc;
        e.encrypted = encrypted;
        e.selected = true;
        e.packed = packed;
        u.AddEntry(std::move(e));
    }
};

namespace mUnzip {

namespace {

struct State {
    cUnzip* current = nullptr;
    bool cancelled = false;
} g;

using zipcallback::InWindow;
using zipcallback::Trim;

// Days from 1970-01-01 of a proleptic Gregorian date.
int64_t DaysFromCivil(int64_t y, int64_t m, int64_t d)
{
    y -= m <= 2;
    int64_t era = (y >= 0 ? y : y - 399) / 400;
    int64_t yoe = y - era * 400;
    int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

class Bridge : public qlzip::UnzipEvents {
public:
    int32_t Replace(const std::string& path) override { return ReplaceCallback(path); }
    bool Password(std::string& password) override { return PasswordCallback(password) == 0; }
    void Progress(const std::string& message) override { PrintCallback(message.data(), message.size()); }
    bool Service(const std::string& name) override { return ServiceCallback(name.data(), name.size()) == 1; }
};

}  // namespace

double DateValue(int year, int month, int day, int hour, int minute, int second)
{
    // OLE dates count days from 1899-12-30.
    double days = double(DaysFromCivil(year, month, day) - DaysFromCivil(1899, 12, 30));
    return days + (hour * 3600 + minute * 60 + second) / 86400.0;
}

Scope::Scope(cUnzip& unzip)
{
    if (g.current) {
        refused_ = true;
        return;
    }
    g = State{&unzip, false};
}

Scope::~Scope()
{
    if (!refused_)
        g = State{};
}

int32_t PrintCallback(const char* text, size_t length)
{
    if (!g.current || !InWindow(length))
        return 0;
    std::string msg(text, length);
    std::replace(msg.begin(), msg.end(), '/', '\\');
    mUnzipAccess::Progress(*g.current, 1, msg);
    return 0;
}

// The owner's answers travel to the engine unchanged.
static_assert(+cUnzipEvents::OverwriteNo == +qlzip::OverwriteSkip &&
              +cUnzipEvents::OverwriteYes == +qlzip::OverwriteReplace &&
              +cUnzipEvents::OverwriteYesToAll == +qlzip::OverwriteReplaceAll &&
              +cUnzipEvents::OverwriteNone == +qlzip::OverwriteReplaceNone);

int32_t ReplaceCallback(const std::string& file)
{
    int32_t response = cUnzipEvents::OverwriteNo;
    if (!g.current)
        return response;
    std::string name = platform::CutAtNul(file);
    std::replace(name.begin(), name.end(), '/', '\\');
    mUnzipAccess::Overwrite(*g.current, name, response);
    return response;
}

int32_t PasswordCallback(std::string& password)
{
    if (!g.current || g.cancelled)
        return 1;
    std::string answer;
    bool cancel = false;
    mUnzipAccess::Password(*g.current, answer, cancel);
    answer = Trim(answer);
    if (answer.empty() || cancel) {
        g.cancelled = true;
        return 1;
    }
    // The same limit the writer puts on a password.
    if (answer.size() > 254)
        answer.resize(254);
    password = answer;
    return 0;
}

void MessageCallback(uint32_t size, int16_t ratio, int month, int day, int year, int hour, int minute,
                     const std::string& name, const std::string& method, uint32_t crc, uint8_t flags,
                     int64_t packedSize)
{
    if (!g.current)
        return;
    std::string full = platform::CutAtNul(name);
    // Only a "/" splits folder and name; a "\" already in the name does not.
    size_t cut = full.rfind('/');
    std::replace(full.begin(), full.end(), '/', '\\');
    std::string folder = cut == std::string::npos ? std::string() : full.substr(0, cut);
    std::string file = cut == std::string::npos ? full : full.substr(cut + 1);
    if (file.empty())
        return;
    mUnzipAccess::AddListed(*g.current, folder, file, size, ratio, platform::CutAtNul(method),
                            DateValue(year, month, day, hour, minute, 0), crc, (flags & 64) != 0, packedSize);
}

int32_t ServiceCallback(const char* text, size_t length)
{
    if (!g.current || !InWindow(length))
        return 0;
    std::string msg = platform::CutAtNul(std::string_view(text, length));
    std::replace(msg.begin(), msg.end(), '\\', '/');
    bool cancel = false;
    mUnzipAccess::Cancel(*g.current, msg, cancel);
    return cancel ? 1 : 0;
}

int32_t VBUnzip(cUnzip& unzip, const std::vector<std::string>& include, const std::string& source)
{
    Scope scope(unzip);
    if (scope.Refused()) {
        modMain::LogError(source, qlzip::ZipBusy, qlzip::ZipResultText(qlzip::ZipBusy));
        return qlzip::ZipBusy;
    }
    try {
        const auto& o = mUnzipAccess::Options(unzip);
        std::string text;
        int32_t rc;
        if (o.listMode) {
            std::vector<qlzip::ZipEntryInfo> list;
            rc = qlzip::ListArchive(unzip.ZipFile(), list, &text);
            for (const qlzip::ZipEntryInfo& e : list)
                MessageCallback(e.size, int16_t(std::min(e.ratio, 32767)), e.time.month, e.time.day, e.time.year,
                                e.time.hour, e.time.minute, e.name, e.methodName, e.crc, e.encrypted ? 64 : 0,
                                e.packedSize);
        } else {
            qlzip::UnzipOptions options;
            options.folder = unzip.UnzipFolder();
            options.useFolderNames = o.folderNames != 0;
            options.overwriteExisting = o.overwrite != 0;
            options.promptToOverwrite = o.prompt != 0;
            options.caseSensitive = o.caseSensitive != 0;
            options.testOnly = o.test != 0;
            Bridge bridge;
            rc = qlzip::ExtractArchive(unzip.ZipFile(), include, options, bridge, &text);
        }
        if (rc != qlzip::ZipOk)
            modMain::LogError(source, rc, text.empty() ? qlzip::ZipResultText(rc) : text);
        return rc;
    } catch (const QlError& e) {
        throw QlError(e.Number, "QuilleryPro.VBUnzip", e.Description);
    } catch (const std::bad_alloc&) {
        throw QlError(7, "QuilleryPro.VBUnzip", "Out of memory");
    }
}

}  // namespace mUnzip
