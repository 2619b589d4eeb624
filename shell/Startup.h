#pragma once
// The program's start: the font model, the view settings, the splash window that reads
// the installed fonts, the command line, and the main window.
#include <string>

namespace modMain {

// The program's major and minor version ("4.0"), set at start.
extern std::string AppVersion;

// Runs the start-up; the program then lives in its windows. Each step that fails is
// skipped and the next one runs.
void Main(const std::string& commandTail);

}  // namespace modMain
