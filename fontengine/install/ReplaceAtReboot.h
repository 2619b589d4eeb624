#pragma once
// Replacing a font file that is in use when Windows next starts.
#include <string>

#include "fontengine/install/InstallEnvironment.h"

namespace qlInstall {

// Stages a copy of source in the temporary folder and asks Windows to move it onto
// target at the next start. True only when the move was really scheduled.
bool ReplaceAtReboot(const std::string& source, const std::string& target, const OsInfo& os);
// The 9x form: a "Rename" entry in WININIT.INI (short names, as its start-up expects).
bool WriteWininitRename(const std::string& target, const std::string& staged, const std::string& iniFile);

}  // namespace qlInstall
