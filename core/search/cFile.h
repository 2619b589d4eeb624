#pragma once
// One found file: a plain record of properties.
#include <cstdint>
#include <string>

struct cFile {
    int32_t ItemsFound = 0;
    std::string Filetype;
    std::string SIZE;      // size text, e.g. "1.50KB"
    std::string Filename;  // name without folder
    std::string RootPath;  // folder, ending with "\"
    double CreationTime = 0;  // OLE date, UTC
    double AccessTime = 0;
    double ModifiedTime = 0;
};
