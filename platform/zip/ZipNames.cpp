// Output names for extracted entries: nothing an archive says may reach outside the
// target folder, name a device or open an alternate stream.
#include "platform/zip/ZipReader.h"

#include <cctype>

namespace qlzip {

namespace {

bool IsDeviceName(const std::string& component)
{
    std::string base = component.substr(0, component.find('.'));
    while (!base.empty() && base.back() == ' ')
        base.pop_back();
    for (char& c : base)
        c = char(std::toupper((unsigned char)c));
    static const char* const fixed[] = {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$", "CLOCK$"};
    for (const char* f : fixed)
        if (base == f)
            return true;
    return base.size() == 4 && (base.rfind("COM", 0) == 0 || base.rfind("LPT", 0) == 0) && base[3] >= '0' &&
           base[3] <= '9';
}

bool SafeComponent(const std::string& c)
{
    if (c.empty() || c == "." || c == "..")
        return false;
    for (unsigned char ch : c)
        if (ch < 32 || ch == '<' || ch == '>' || ch == ':' || ch == '"' || ch == '|' || ch == '?' || ch == '*')
            return false;
    if (c.back() == '.' || c.back() == ' ')
        return false;
    return !IsDeviceName(c);
}

}  // namespace

std::string SafeOutputName(const std::string& entryName, bool useFolderNames)
{
    std::vector<std::string> parts;
    std::string current;
    for (char ch : entryName) {
        if (ch == '/' || ch == '\\') {
            parts.push_back(current);
            current.clear();
        } else {
            current += ch;
        }
    }
    parts.push_back(current);

    if (!useFolderNames)
        return SafeComponent(parts.back()) ? parts.back() : std::string();

    // A leading drive ("C:") or root only anchors the name: drop it, keep the rest inside.
    size_t first = 0;
    if (!parts.empty() && parts[0].size() == 2 && parts[0][1] == ':' && std::isalpha((unsigned char)parts[0][0]))
        first = 1;
    std::string out;
    for (size_t i = first; i < parts.size(); ++i) {
        const std::string& p = parts[i];
        if (p.empty() || p == ".")
            continue;
        if (!SafeComponent(p))
            return std::string();
        if (!out.empty())
            out += '\\';
        out += p;
    }
    return out;
}

}  // namespace qlzip
