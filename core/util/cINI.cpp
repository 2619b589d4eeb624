#include "core/util/cINI.h"

#include <windows.h>

#include <vector>

namespace {

// The profile calls truncate silently and answer size - 2 when a list did not fit;
// the buffer grows until the answer leaves room to spare.
template <class Call>
std::string ReadGrowing(Call call)
{
    for (DWORD size = 256; size <= (1u << 24); size *= 4) {
        std::vector<char> buf(size, '\0');
        DWORD n = call(buf.data(), size);
        if (n + 2 < size)
            return std::string(buf.data(), n);
    }
    return {};
}

}  // namespace

std::string cINI::GetIniSections(const std::string& INIfile) const
{
    return ReadGrowing([&](char* b, DWORD s) { return GetPrivateProfileSectionNamesA(b, s, INIfile.c_str()); });
}

std::string cINI::GetIniSection(const std::string& INIfile, const std::string& section) const
{
    return ReadGrowing(
        [&](char* b, DWORD s) { return GetPrivateProfileSectionA(section.c_str(), b, s, INIfile.c_str()); });
}

std::string cINI::GetIniSetting(const std::string& INIfile, const std::string& section,
                                const std::string& variable) const
{
    return ReadGrowing([&](char* b, DWORD s) {
        return GetPrivateProfileStringA(section.c_str(), variable.c_str(), "", b, s, INIfile.c_str());
    });
}

void cINI::SetIniSetting(const std::string& INIfile, const std::string& section, const std::string& variable,
                         const std::string& value) const
{
    WritePrivateProfileStringA(section.c_str(), variable.c_str(), value.c_str(), INIfile.c_str());
}
