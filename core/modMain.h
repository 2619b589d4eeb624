#pragma once
// The one error reporter and the shared window helpers.
#include <cstdint>
#include <string>

namespace modMain {

// Appends one line to the error log when the setting "logging" is "True" (any case).
void LogError(const std::string& source, const std::string& number, const std::string& description);
void LogError(const std::string& source, int32_t number, const std::string& description);

// Whether a window of that name is loaded (case-insensitive), from the forms registry.
bool IsLoaded(const std::string& formName);

}  // namespace modMain
