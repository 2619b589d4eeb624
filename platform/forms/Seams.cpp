#include "platform/forms/Seams.h"

#include <windows.h>
#include <htmlhelp.h>
#include <shellapi.h>

#include <cstdint>
#include <deque>

namespace platform::forms {

namespace {
std::string g_title;
bool g_scripted = false;
std::deque<int> g_answers;
std::vector<ShownCall> g_log;

int FirstAnswer(int buttons)
{
    switch (buttons & 0xF) {
    case vbYesNo:
    case vbYesNoCancel: return vbYes;
    case vbAbortRetryIgnore: return vbAbort;
    case vbRetryCancel: return vbRetry;
    default: return vbOK;
    }
}
}  // namespace

void SetAppTitle(const std::string& title) { g_title = title; }

const std::string& AppTitle()
{
    if (g_title.empty()) {
        char path[MAX_PATH] = {};
        GetModuleFileNameA(nullptr, path, MAX_PATH);
        std::string p = path;
        size_t s = p.find_last_of("\\/");
        p = s == std::string::npos ? p : p.substr(s + 1);
        size_t d = p.rfind('.');
        g_title = d == std::string::npos ? p : p.substr(0, d);
    }
    return g_title;
}

int MsgBox(const std::string& prompt, int buttons, const std::string& title)
{
    const std::string& t = title.empty() ? AppTitle() : title;
    if (g_scripted) {
        g_log.push_back({"MsgBox", prompt, t, buttons});
        if (g_answers.empty())
            return FirstAnswer(buttons);
        int a = g_answers.front();
        g_answers.pop_front();
        return a;
    }
    HWND owner = GetActiveWindow();
    return MessageBoxA(owner, prompt.c_str(), t.c_str(), static_cast<UINT>(buttons) | MB_SETFOREGROUND);
}

bool ShellOpen(const std::string& verb, const std::string& file, const std::string& parameters,
               const std::string& directory, int show)
{
    if (g_scripted) {
        g_log.push_back({"Shell", file, verb + " " + parameters, show});
        return true;
    }
    HINSTANCE r = ShellExecuteA(GetActiveWindow(), verb.empty() ? nullptr : verb.c_str(), file.c_str(),
                                parameters.empty() ? nullptr : parameters.c_str(),
                                directory.empty() ? nullptr : directory.c_str(), show);
    return reinterpret_cast<INT_PTR>(r) > 32;
}

bool ShowHelp(const std::string& helpFile, unsigned command, uintptr_t data)
{
    if (g_scripted) {
        g_log.push_back({"Help", helpFile, std::to_string(command) + " " + std::to_string(data), 0});
        return true;
    }
    return HtmlHelpA(GetDesktopWindow(), helpFile.c_str(), command, data) != nullptr;
}

void BeginScript(std::vector<int> answers)
{
    g_scripted = true;
    g_answers.assign(answers.begin(), answers.end());
    g_log.clear();
}

void EndScript()
{
    g_scripted = false;
    g_answers.clear();
}

bool Scripted() { return g_scripted; }
const std::vector<ShownCall>& ScriptLog() { return g_log; }

}  // namespace platform::forms
