// Benchmark driver for scripts/bench-zip.sh (not a test):
//   zip_bench zip <archive> <base folder> <list file of paths below it>
//   zip_bench unzip <archive> <folder>
// Prints the seconds the engine spent.
#include "platform/zip/ZipReader.h"
#include "platform/zip/ZipResult.h"
#include "platform/zip/ZipWriter.h"

#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

int main(int argc, char** argv)
{
    if (argc < 4) {
        std::fprintf(stderr, "usage: zip_bench zip <archive> <base> <list> | unzip <archive> <folder>\n");
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
    return 0;
}
