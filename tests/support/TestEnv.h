#pragma once
// Paths and scratch folders for tests running under Wine.
#include <string>
#include <utility>
#include <vector>

namespace ql::test {

// The Windows form of a Unix path (Wine maps the Unix root to Z:).
std::string WinPath(const std::string& unixPath);

// Source tree and build tree, as Windows paths.
std::string SourceDir();
std::string BinaryDir();

// A fresh empty folder for the running test, as a Windows path ending without a backslash.
std::string MakeScratchDir(const std::string& hint);

// Removes a folder and everything below it (no error when missing).
void RemoveTree(const std::string& winPath);

// Whether a display is there (windows can be created).
bool HaveDisplay();

// Writes bytes to a file (creating or replacing it); true on success.
bool WriteFileBytes(const std::string& path, const std::string& bytes);
// Reads a whole file; empty when it cannot be read.
std::string ReadFileBytes(const std::string& path);

// Runs this test program again with a GoogleTest filter and extra environment variables
// (set for the child only) and waits up to a minute: the child's exit code, or -1 when it
// could not start or did not end.
int RunThisProgram(const std::string& gtestFilter,
                   const std::vector<std::pair<std::string, std::string>>& environment);

}  // namespace ql::test
