#pragma once
// ANSI and UTF-16 at the COM boundary of the docking library, which links no other layer.
#include <windows.h>

#include <string>

namespace docktext {

inline std::wstring ToWide(const std::string& s)
{
    if (s.empty()) return {};
    const int n = MultiByteToWideChar(CP_ACP, 0, s.data(), static_cast<int>(s.size()), nullptr, 0);
    std::wstring w(n, L'\0');
    MultiByteToWideChar(CP_ACP, 0, s.data(), static_cast<int>(s.size()), w.data(), n);
    return w;
}

inline std::string ToAnsi(const wchar_t* w, int length = -1)
{
    if (!w) return {};
    if (length < 0) length = lstrlenW(w);
    if (length == 0) return {};
    const int n = WideCharToMultiByte(CP_ACP, 0, w, length, nullptr, 0, nullptr, nullptr);
    std::string s(n, '\0');
    WideCharToMultiByte(CP_ACP, 0, w, length, s.data(), n, nullptr, nullptr);
    return s;
}

inline std::string FromBstr(BSTR b) { return b ? ToAnsi(b, static_cast<int>(SysStringLen(b))) : std::string(); }

}  // namespace docktext
