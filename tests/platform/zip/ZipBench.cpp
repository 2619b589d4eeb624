// Benchmark driver for scripts/bench-zip.sh (not a test):
//   zip_bench zip <archive> <base folder> <list file of paths below it> [threads]
//   zip_bench unzip <archive> <folder>
// Prints the seconds the engine spent; the peak memory of the run goes to stderr.
#include "platform/zip/ZipReader.h"
#include "platform/zip/ZipResult.h"
#include "platform/zip/ZipWriter.h"

#ifdef _WIN32
#include <windows.h>
#include <psapi.h>
#else
#include <sys/resource.h>
#endif

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

namespace {

double PeakMegabytes()
{
#ifdef _WIN32
    PROCESS_MEMORY_COUNTERS pmc{};
    pmc.cb = sizeof pmc;
    if (!GetProcessMemoryInfo(GetCurrentProcess(), &pmc, sizeof pmc))
        return -1;
    return double(pmc.PeakPagefileUsage) / 1048576.0;
#else
    struct rusage ru;
    getrusage(RUSAGE_SELF, &ru);
    return double(ru.ru_maxrss) / 1024.0;
#endif
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 4) {
        std::fprintf(stderr, "usage: zip_bench zip <archive> <base> <list> [threads] | unzip <archive> <folder>\n");
        return 2;
    }
    std::string mode = argv[1];
    auto start = std::chrono::steady_clock::now();
    int32_t rc;
    std::string text;
    if (mode == "zip" && argc >= 5) {
        std::vector<std::string> specs;
        std::ifstream list(argv[4]);
        for (std::string line; std::getline(list, line);)
            if (!line.empty())
                specs.push_back(line);
        qlzip::ZipWriteOptions o;
        o.storeFolderNames = true;
        o.basePath = argv[3];
        if (argc >= 6)
            o.threads = unsigned(std::atoi(argv[5]));
        qlzip::ZipWriteEvents events;
        rc = qlzip::WriteArchive(argv[2], specs, o, events, &text);
    } else {
        qlzip::UnzipOptions o;
        o.folder = argv[3];
        o.useFolderNames = true;
        o.overwriteExisting = true;
        o.testOnly = mode == "test";
        qlzip::UnzipEvents events;
        rc = qlzip::ExtractArchive(argv[2], {}, o, events, &text);
    }
    double s = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (rc != 0) {
        std::fprintf(stderr, "failed: %d %s\n", int(rc), text.c_str());
        return 1;
    }
    std::printf("%.3f\n", s);
    std::fprintf(stderr, "peak memory: %.0f MB\n", PeakMegabytes());
    return 0;
}
