#include "platform/forms/App.h"

#include <windows.h>

#include <vector>

namespace platform::forms::App {

static std::string ModulePath()
{
    char buf[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, buf, MAX_PATH);
    return buf;
}

std::string Path()
{
    std::string p = ModulePath();
    size_t s = p.find_last_of("\\/");
    return s == std::string::npos ? std::string() : p.substr(0, s);
}

std::string EXEName()
{
    std::string p = ModulePath();
    size_t s = p.find_last_of("\\/");
    std::string n = s == std::string::npos ? p : p.substr(s + 1);
    size_t d = n.rfind('.');
    return d == std::string::npos ? n : n.substr(0, d);
}

static bool Version(int& major, int& minor, int& rev)
{
    std::string p = ModulePath();
    DWORD dummy = 0;
    DWORD n = GetFileVersionInfoSizeA(p.c_str(), &dummy);
    if (!n)
        return false;
    std::vector<char> data(n);
    if (!GetFileVersionInfoA(p.c_str(), 0, n, data.data()))
        return false;
    VS_FIXEDFILEINFO* fi = nullptr;
    UINT len = 0;
    if (!VerQueryValueA(data.data(), "\\", reinterpret_cast<void**>(&fi), &len) || !fi)
        return false;
    major = HIWORD(fi->dwFileVersionMS);
    minor = LOWORD(fi->dwFileVersionMS);
    rev = LOWORD(fi->dwFileVersionLS);
    return true;
}

int Major() { int a = 0, b = 0, c = 0; Version(a, b, c); return a; }
int Minor() { int a = 0, b = 0, c = 0; Version(a, b, c); return b; }
int Revision() { int a = 0, b = 0, c = 0; Version(a, b, c); return c; }

std::string CommandTail(const std::string& line)
{
    size_t i = 0;
    while (i < line.size() && line[i] == ' ')
        ++i;
    if (i < line.size() && line[i] == '"') {
        size_t close = line.find('"', i + 1);
        i = close == std::string::npos ? line.size() : close + 1;
    } else {
        while (i < line.size() && line[i] != ' ' && line[i] != '\t')
            ++i;
    }
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t'))
        ++i;
    return line.substr(i);
}

std::string Command() { return CommandTail(GetCommandLineA()); }

}  // namespace platform::forms::App
