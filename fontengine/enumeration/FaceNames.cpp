#include "fontengine/enumeration/FaceNames.h"

#include <windows.h>
#include <shlwapi.h>

#include <sstream>

namespace qlEnumeration {

std::string GetRasterFaceName(const std::string& valueName)
{
    size_t open = valueName.rfind('(');
    if (open == std::string::npos || open < 2)
        return {};
    return valueName.substr(0, open - 1);
}

std::string GetPST1FaceName(const std::string& valueName)
{
    std::istringstream words(valueName);
    std::string word, out;
    while (words >> word) {
        if (lstrcmpiA(word.c_str(), "regular") == 0 || lstrcmpiA(word.c_str(), "italic") == 0 ||
            lstrcmpiA(word.c_str(), "semibold") == 0)
            continue;
        if (!out.empty())
            out += ' ';
        out += word;
    }
    return out;
}

std::string GetExtensionPart(const std::string& path)
{
    const char* ext = PathFindExtensionA(path.c_str());
    return ext ? std::string(ext) : std::string();
}

bool IsBareFileName(const std::string& text)
{
    return text.find(':') == std::string::npos && text.find('\\') == std::string::npos;
}

bool FileExists(const std::string& path)
{
    DWORD a = GetFileAttributesA(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

std::string LowerCase(std::string text)
{
    if (!text.empty())
        CharLowerBuffA(text.data(), static_cast<DWORD>(text.size()));
    return text;
}

}  // namespace qlEnumeration
