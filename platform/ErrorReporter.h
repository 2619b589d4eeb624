#pragma once
// The platform layers report errors (an event handler that threw, say) through a hook
// that the program points at modMain::LogError; until then reports are dropped.
#include <cstdint>
#include <string>

namespace platform {

using ErrorReporter = void (*)(const std::string& source, int32_t number, const std::string& description);

void SetErrorReporter(ErrorReporter reporter);
void ReportError(const std::string& source, int32_t number, const std::string& description);

}  // namespace platform
