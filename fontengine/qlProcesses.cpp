#include "fontengine/qlProcesses.h"

std::shared_ptr<qlProcess> qlProcesses::Add(const std::string& faceName, const std::string& filename,
                                            std::int32_t process)
{
    auto entry = std::make_shared<qlProcess>();
    entry->FaceName(faceName);
    entry->Filename(filename);
    entry->Process(process);
    items_.Add(entry, faceName);
    return entry;
}
