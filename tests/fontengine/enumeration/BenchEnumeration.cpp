// Times the installed-font enumeration over a registration of the given font files
// (run by scripts/bench-enumeration.sh; not a test).
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "fontengine/IProgressSink.h"
#include "fontengine/enumeration/EnumerationSource.h"
#include "fontengine/qlFonts.h"

namespace {

struct CountingSink : IProgressSink {
    void ProgressUpdate(int32_t, int32_t, const std::string&) override { ++calls; }
    long calls = 0;
};

double Seconds()
{
    static LARGE_INTEGER frequency{};
    if (!frequency.QuadPart)
        QueryPerformanceFrequency(&frequency);
    LARGE_INTEGER now{};
    QueryPerformanceCounter(&now);
    return double(now.QuadPart) / double(frequency.QuadPart);
}

double TimeRun(qlFonts& fonts, IProgressSink* sink)
{
    double start = Seconds();
    fonts.GetInstalledFonts(sink);
    return Seconds() - start;
}

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    size_t mid = v.size() / 2;
    return v.size() % 2 ? v[mid] : (v[mid - 1] + v[mid]) / 2;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s <list of font files> <count> [runs, at least 7]\n", argv[0]);
        return 2;
    }
    std::vector<std::string> files;
    std::ifstream list(argv[1]);
    for (std::string line; std::getline(list, line);)
        if (!line.empty())
            files.push_back(line);
    size_t count = std::min<size_t>(files.size(), std::strtoul(argv[2], nullptr, 10));
    int runs = std::max(7, argc > 3 ? std::atoi(argv[3]) : 7);

    std::string root = "Software\\QlTest\\bench-" + std::to_string(GetCurrentProcessId());
    qlEnumeration::Source source;
    source.root = HKEY_CURRENT_USER;
    source.fontsKey = root + "\\Fonts";
    source.type1Key = root + "\\Type 1 Fonts";
    source.fontFolder = "C:\\windows\\Fonts\\";
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, source.fontsKey.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        return 1;
    for (size_t i = 0; i < count; ++i) {
        std::string name = std::to_string(i) + " " + files[i].substr(files[i].find_last_of('\\') + 1) + " (TrueType)";
        RegSetValueExA(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(files[i].c_str()),
                       DWORD(files[i].size() + 1));
    }
    RegCloseKey(key);
    qlEnumeration::SetSourceOverride(&source);

    qlFonts fonts;
    std::vector<double> bareRuns, sinkRuns;
    CountingSink sink;
    TimeRun(fonts, nullptr);  // warms the file cache and the font mapper
    for (int r = 0; r < runs; ++r) {
        bareRuns.push_back(TimeRun(fonts, nullptr));
        sinkRuns.push_back(TimeRun(fonts, &sink));
    }
    double bare = Median(bareRuns), withSink = Median(sinkRuns);
    std::printf("values %zu  records %d  median of %d runs: no sink %.1f ms (%.3f ms/font)  with sink %.1f ms"
                " (%.3f ms/font)\n",
                count, fonts.Count(), runs, bare * 1000, bare * 1000 / double(count), withSink * 1000,
                withSink * 1000 / double(count));
    RegDeleteTreeA(HKEY_CURRENT_USER, root.c_str());
    return 0;
}
