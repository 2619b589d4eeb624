#include "core/search/cFiles.h"

std::string cFiles::KeyOf(const std::string& rootPath, const std::string& filename)
{
    if (!rootPath.empty() && rootPath.back() == '\\')
        return rootPath + filename;
    return rootPath + "\\" + filename;
}

cFiles::Ref cFiles::Add(const std::string& filename, const std::string& rootPath, const std::string& size,
                        double creationTime, std::string_view)
{
    auto rec = std::make_shared<cFile>();
    rec->Filename = filename;
    rec->RootPath = rootPath;
    rec->SIZE = size;
    rec->CreationTime = creationTime;
    items_.Add(rec, KeyOf(rootPath, filename));
    return rec;
}
