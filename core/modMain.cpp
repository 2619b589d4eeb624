#include "core/modMain.h"

#include <shellapi.h>
#include <shlobj.h>

#include <atomic>
#include <mutex>

#include "core/KeyedCollection.h"
#include "core/files/modFileFunctions.h"
#include "core/modAPI.h"
#include "core/registry/modRegistry.h"
#include "platform/ErrorReporter.h"
#include "platform/LoadedForms.h"
#include "platform/forms/Seams.h"

namespace modMain {

namespace {

struct LogState {
    std::mutex lock;
    std::string folder;
    std::string settingsKey;
    std::function<std::string()> documents;
};

LogState& State()
{
    static LogState state;
    return state;
}

std::atomic<bool> g_boxShown{false};

std::string DocumentsFolder()
{
    std::function<std::string()> lookup;
    {
        std::lock_guard<std::mutex> g(State().lock);
        lookup = State().documents;
    }
    return lookup ? lookup() : modAPI::GetSpecialFolderPath(CSIDL_PERSONAL);
}

std::string LogFolder()
{
    {
        std::lock_guard<std::mutex> g(State().lock);
        if (!State().folder.empty())
            return State().folder;
    }
    std::string documents = DocumentsFolder();
    if (documents.empty())
        return {};
    return modFileFunctions::AppendIfMissing(documents, "\\") + "Quillery Pro";
}

std::string SettingsKey()
{
    std::lock_guard<std::mutex> g(State().lock);
    return State().settingsKey.empty() ? std::string(modRegistry::kSettingsKey) : State().settingsKey;
}

// The system's general date text: short date, a blank, long time.
std::string GeneralDateNow()
{
    SYSTEMTIME now;
    GetLocalTime(&now);
    char date[128] = {}, time[128] = {};
    GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &now, nullptr, date, sizeof date);
    GetTimeFormatA(LOCALE_USER_DEFAULT, 0, &now, nullptr, time, sizeof time);
    return std::string(date) + " " + time;
}

bool AppendLine(const std::string& file, const std::string& line)
{
    HANDLE h = CreateFileA(file.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    BOOL ok = WriteFile(h, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    BOOL closed = CloseHandle(h);
    return ok && closed && written == line.size();
}

bool WriteEntry(const std::string& source, const std::string& number, const std::string& description)
{
    std::string folder = LogFolder();
    if (folder.empty())
        return false;
    if (!modFileFunctions::FolderExists(folder) && !CreateDirectoryA(folder.c_str(), nullptr) &&
        !modFileFunctions::FolderExists(folder))
        return false;
    std::string line = GeneralDateNow() + "  " + source + " , Error: " + number + " - " + description + "\r\n";
    return AppendLine(folder + "\\quillerypro.log", line);
}

void ReportThroughLog(const std::string& source, int32_t number, const std::string& description)
{
    LogError(source, number, description);
}

}  // namespace

void LogError(const std::string& source, const std::string& number, const std::string& description)
{
    bool written = false;
    try {
        std::string on = modRegistry::GetSetting(SettingsKey(), "logging", "False");
        if (ql::FoldKey(on) != "true")
            return;
        written = WriteEntry(source, number, description);
    } catch (...) {
        written = false;
    }
    if (written)
        return;
    // One box per run: with the log folder unwritable, every later error would bring
    // up another modal box.
    if (g_boxShown.exchange(true))
        return;
    try {
        platform::forms::MsgBox("There was an error in creating an error log entry",
                                platform::forms::vbOKOnly | platform::forms::vbInformation, "Log Error");
    } catch (...) {
    }
}

void LogError(const std::string& source, int32_t number, const std::string& description)
{
    LogError(source, std::to_string(number), description);
}

void InstallErrorReporter() { platform::SetErrorReporter(&ReportThroughLog); }

bool IsLoaded(const std::string& formName)
{
    try {
        const std::string wanted = ql::FoldKey(formName);
        for (platform::LoadedForm* form : platform::LoadedFormsSnapshot())
            if (ql::FoldKey(form->FormName()) == wanted)
                return true;
    } catch (const QlError& e) {
        LogError("modMain: IsLoaded", e.Number, e.Description);
    } catch (const std::exception& e) {
        LogError("modMain: IsLoaded", 0, e.what());
    }
    return false;
}

void OpenEmail(HWND owner)
{
    std::string link = std::string("mailto:") + kCommentsAddress;
    HINSTANCE r = ShellExecuteA(owner, nullptr, link.c_str(), nullptr, "C:\\", SW_SHOWNORMAL);
    INT_PTR code = reinterpret_cast<INT_PTR>(r);
    if (code <= 32)
        LogError("modMain: OpenEmail", static_cast<int32_t>(code), "The mail program could not be started");
}

void SetLogFolder(const std::string& folder)
{
    std::lock_guard<std::mutex> g(State().lock);
    State().folder = folder;
}

void SetDocumentsLookup(std::function<std::string()> lookup)
{
    std::lock_guard<std::mutex> g(State().lock);
    State().documents = std::move(lookup);
}

void SetLogSettingsKey(const std::string& section)
{
    std::lock_guard<std::mutex> g(State().lock);
    State().settingsKey = section;
}

void ResetLogErrorBox() { g_boxShown = false; }

std::string LogFilePath()
{
    std::string folder = LogFolder();
    return folder.empty() ? std::string() : folder + "\\quillerypro.log";
}

}  // namespace modMain
