#pragma once
// The one error reporter and the shared window helpers.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

#include "core/modTools.h"

namespace modMain {

// Appends one line to the error log when the setting "logging" is "True" (any case):
// "<short date> <long time>  <source> , Error: <number> - <description>\r\n" in
// Documents\Quillery Pro\quillerypro.log (the folder is created when missing). When the
// entry cannot be written (or the Documents folder is unknown: the log never goes to a
// drive root), the box "There was an error in creating an error log entry" is shown,
// at most once per run. Never throws.
void LogError(const std::string& source, const std::string& number, const std::string& description);
void LogError(const std::string& source, int32_t number, const std::string& description);

// Points the platform layers' error hook (platform/ErrorReporter.h) at LogError.
void InstallErrorReporter();

// Whether a window of that name is loaded (without regard to case), from the
// loaded-window registry. An error is logged and gives false.
bool IsLoaded(const std::string& formName);

// Asks the shell to open a "mailto:" link to the comments address.
void OpenEmail(HWND owner);

// The comments address OpenEmail opens.
inline constexpr const char* kCommentsAddress = "comments@quillerypro.example";

using modTools::UnloadAllForms;

// ---- Seams for tests ------------------------------------------------------------

// The log folder; "" restores Documents\Quillery Pro.
void SetLogFolder(const std::string& folder);
// The Documents lookup LogError uses ("" from it means unknown); empty restores
// modAPI::GetSpecialFolderPath(CSIDL_PERSONAL).
void SetDocumentsLookup(std::function<std::string()> lookup);
// The key the "logging" setting is read from; "" restores modRegistry::kSettingsKey.
void SetLogSettingsKey(const std::string& section);
// Lets the next failed entry show its box again.
void ResetLogErrorBox();
// The log file LogError writes to now; "" when the Documents folder is unknown.
std::string LogFilePath();

}  // namespace modMain
