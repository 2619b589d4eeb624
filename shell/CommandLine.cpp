#include "shell/CommandLine.h"

#include <windows.h>

namespace CommandLine {

std::string PackagePath(const std::string& commandTail)
{
    std::string path = commandTail;
    if (!path.empty() && path.front() == '"')
        path.erase(0, 1);
    if (!path.empty() && path.back() == '"')
        path.pop_back();
    if (path.size() < 3 || lstrcmpiA(path.substr(path.size() - 3).c_str(), "qlp") != 0)
        return std::string();
    return path;
}

}  // namespace CommandLine
