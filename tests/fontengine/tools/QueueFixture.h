#pragma once
// A throw-away font installation for the uninstall queue: a program folder (with its
// backup and archive folders), a Fonts folder, a Fonts key under HKEY_CURRENT_USER and
// a model root pointed at them; fonts are renamed DejaVu copies loaded by the test.
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "fontengine/qlMain.h"
#include "fontengine/tools/ToolsPlaces.h"

namespace queuetest {

struct TestFont {
    std::string face;      // "<tag> Sans", the queue key
    std::string fileName;  // bare name, as registered
    std::string path;      // full path in the scratch Fonts folder
    std::string value;     // its registry value name
};

class QueueTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Points the model at another program folder (one that another process shares).
    void UseProgramFolder(const std::string& folder);
    // Copies, loads, registers and records a font; source is a DejaVu Unix path.
    TestFont Install(const std::string& fileName, const char* source = nullptr);
    // Runs the queue as the queue window does: each entry once, code-0 successes taken
    // off, then one archive.
    void RunQueue();

    bool ValuePresent(const std::string& name) const;
    std::string ValueData(const std::string& name) const;
    std::string Backup(const std::string& fileName) const { return program_ + "\\Fonts\\" + fileName; }
    std::string Archives() const { return program_ + "\\Archives"; }
    std::vector<std::string> ArchiveFiles() const;
    std::string LogText() const;
    static bool Exists(const std::string& path);
    // Starts a host program (Wine starts Unix executables too) and waits for it; true
    // when it started (its exit code does not come back reliably).
    static bool RunUnix(const std::string& program, const std::string& args);
    static std::string UnixPath(const std::string& win);

    std::string tag_;
    std::string root_;     // scratch root
    std::string program_;  // the program folder
    std::string fonts_;    // the Fonts folder, no trailing backslash
    std::string keyPath_;  // HKCU path of the Fonts key
    std::string logKey_;
    qlToolsPlaces::Registration where_;
    std::unique_ptr<qlMain> main_;
    std::vector<std::string> loaded_;
};

}  // namespace queuetest
