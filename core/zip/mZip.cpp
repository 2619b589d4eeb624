#include "core/zip/mZip.h"

#include "core/modMain.h"
#include "core/zip/ZipCallbackText.h"
#include "core/zip/cZip.h"
#include "platform/AnsiText.h"
#include "platform/zip/ZipResult.h"
#include "platform/zip/ZipWriter.h"

#include <algorithm>

class mZipAccess {
public:
    static const cZip::Options& Options(const cZip& z) { return z.opt_; }
    static const std::vector<std::string>& Specs(const cZip& z) { return z.specs_; }
    static void Cancel(cZip& z, const std::string& m, bool& c) { z.RaiseCancel(m, c); }
    static void Password(cZip& z, std::string& p, int32_t n, bool confirm, bool& c)
    {
        z.RaisePasswordRequest(p, n, confirm, c);
    }
    static void Comment(cZip& z, std::string& s, bool& c) { z.RaiseCommentRequest(s, c); }
    static void Progress(cZip& z, int32_t n, const std::string& m) { z.RaiseProgress(n, m); }
};

namespace mZip {

namespace {

struct State {
    cZip* current = nullptr;
    bool cancelled = false;
    bool passwordAsked = false;
} g;

using zipcallback::InWindow;
using zipcallback::Trim;

// The engine's questions, answered through the module's callbacks.
class Bridge : public qlzip::ZipWriteEvents {
public:
    bool Password(std::string& password, bool) override
    {
        return PasswordCallback(password, kPasswordBuffer) == 0;
    }
    bool Comment(std::string& comment) override { return CommentCallback(comment) == 0; }
    void Progress(const std::string& message) override { PrintCallback(message.data(), message.size()); }
    bool Service(const std::string& name) override { return ServiceCallback(name.data(), name.size()) == 1; }
};

}  // namespace

Scope::Scope(cZip& zip)
{
    if (g.current) {
        refused_ = true;
        return;
    }
    g = State{&zip, false, false};
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
    std::string msg = platform::CutAtNul(std::string_view(text, length));
    std::replace(msg.begin(), msg.end(), '/', '\\');
    mZipAccess::Progress(*g.current, 1, msg);
    return 0;
}

int32_t ServiceCallback(const char* text, size_t length)
{
    if (!g.current || !InWindow(length))
        return 0;
    bool cancel = false;
    mZipAccess::Cancel(*g.current, platform::CutAtNul(std::string_view(text, length)), cancel);
    if (!cancel)
        return 0;
    g.cancelled = true;
    return 1;
}

int32_t PasswordCallback(std::string& password, int32_t bufferSize)
{
    if (!g.current || g.cancelled)
        return 1;
    std::string answer;
    bool cancel = false;
    mZipAccess::Password(*g.current, answer, bufferSize, g.passwordAsked, cancel);
    answer = Trim(answer);
    if (answer.empty() || cancel) {
        g.cancelled = true;
        return 1;
    }
    // Room for the terminator the library's buffer needs.
    if (bufferSize > 0 && answer.size() > size_t(bufferSize - 1))
        answer.resize(size_t(bufferSize - 1));
    password = answer;
    g.passwordAsked = true;
    return 0;
}

int32_t CommentCallback(std::string& comment)
{
    if (!g.current || g.cancelled)
        return 1;
    std::string answer;
    bool cancel = false;
    mZipAccess::Comment(*g.current, answer, cancel);
    answer = Trim(answer);
    if (answer.empty() || cancel) {
        g.cancelled = true;
        return 1;
    }
    if (answer.size() > 255)
        answer.resize(255);
    comment = answer;
    return 0;
}

int32_t VBZip(cZip& zip, const std::string& source)
{
    Scope scope(zip);
    if (scope.Refused()) {
        modMain::LogError(source, qlzip::ZipBusy, qlzip::ZipResultText(qlzip::ZipBusy));
        return qlzip::ZipBusy;
    }
    const auto& o = mZipAccess::Options(zip);
    qlzip::ZipWriteOptions options;
    options.encrypt = o.encrypt != 0;
    options.addComment = o.addComment != 0;
    options.storeFolderNames = o.dropFolderNames == 0;
    options.deleteEntries = o.deleteEntries == 1;
    // Relative specifications are resolved against BasePath; the process's current
    // folder is left alone.
    options.basePath = Trim(zip.BasePath());

    Bridge bridge;
    std::string text;
    int32_t rc = qlzip::WriteArchive(zip.ZipFile(), mZipAccess::Specs(zip), options, bridge, &text);
    if (rc != qlzip::ZipOk)
        modMain::LogError(source, rc, text.empty() ? qlzip::ZipResultText(rc) : text);
    return rc;
}

}  // namespace mZip
