// Native timing driver: reads the metadata the program shows from every font file
// named on standard input (one path a line) and prints files per second.
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "fontengine/parsers/FonFile.h"
#include "fontengine/parsers/Sfnt.h"
#include "fontengine/parsers/Type1.h"

namespace {

bool EndsWith(const std::string& s, const char* tail)
{
    std::string t(tail);
    if (s.size() < t.size())
        return false;
    for (std::size_t i = 0; i < t.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(s[s.size() - t.size() + i])) != t[i])
            return false;
    return true;
}

// Returns how many names or values were found, so the work cannot be optimised away.
std::size_t ReadOne(const std::string& path)
{
    int fd = open(path.c_str(), O_RDONLY);
    if (fd < 0)
        return 0;
    struct stat st {};
    std::size_t found = 0;
    if (fstat(fd, &st) == 0 && st.st_size > 0) {
        void* view = mmap(nullptr, static_cast<std::size_t>(st.st_size), PROT_READ, MAP_PRIVATE, fd, 0);
        if (view != MAP_FAILED) {
            fontparsers::Bytes bytes(static_cast<const std::uint8_t*>(view), static_cast<std::size_t>(st.st_size));
            if (EndsWith(path, ".pfb") || EndsWith(path, ".pfa") || EndsWith(path, ".t1")) {
                auto lines = fontparsers::SplitLines(fontparsers::Type1ClearText(bytes));
                for (const char* key : {"/FontType", "/FamilyName", "/Version", "/UniqueID", "/Notice", "/Weight"})
                    found += fontparsers::Type1Value(lines, key).size();
            } else if (EndsWith(path, ".fon")) {
                found += fontparsers::ReadFon(bytes).faceNames.size();
            } else {
                auto info = fontparsers::ReadSfnt(bytes);
                for (std::uint16_t id = 0; id <= 18; ++id)
                    found += fontparsers::GetNameString(info.names, id, 0x409).size();
                found += info.hasDSIG + info.fsSelection;
            }
            munmap(view, static_cast<std::size_t>(st.st_size));
        }
    }
    close(fd);
    return found;
}

}  // namespace

int main()
{
    std::vector<std::string> paths;
    for (std::string line; std::getline(std::cin, line);)
        if (!line.empty())
            paths.push_back(line);
    std::size_t found = 0;
    auto start = std::chrono::steady_clock::now();
    for (const auto& p : paths)
        found += ReadOne(p);
    double secs = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("%zu %.6f %zu\n", paths.size(), secs, found);
    return 0;
}
