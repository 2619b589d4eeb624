// Interim reporter: replaced by the full error log.
#include "core/modMain.h"

namespace modMain {

void LogError(const std::string&, const std::string&, const std::string&) {}
void LogError(const std::string& source, int32_t number, const std::string& description)
{
    LogError(source, std::to_string(number), description);
}
bool IsLoaded(const std::string&) { return false; }

}  // namespace modMain
