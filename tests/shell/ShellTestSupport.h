#pragma once
// The main window's tests: settings and the saved layout in keys of this process (test
// processes share the prefix's registry), the font model created, everything unloaded
// afterwards.
#include <windows.h>
#include <shlwapi.h>

#include <memory>
#include <cstdio>
#include <string>
#include <vector>

#include "core/modMain.h"
#include "fontengine/FontModel.h"
#include "fontengine/qlMain.h"
#include "platform/ErrorReporter.h"
#include "shell/LogFailure.h"
#include "shell/ShellSettings.h"
#include "support/WindowTest.h"

class ShellTest : public WindowTest {
    static inline std::vector<std::string> failures_;

public:
    // Below HKCU\Software; both keys are kept for the whole process, so a second start
    // (a second process) can be given them.
    static std::string SettingsKey() { return "Software\\QlTest\\shell-" + Id() + "\\Settings"; }
    static std::string LayoutKey() { return "QlTest\\shell-" + Id() + "\\Layouts"; }
    static std::string Id()
    {
        const char* given = std::getenv("QL_SHELL_TEST_ID");
        return given && *given ? given : std::to_string(GetCurrentProcessId());
    }
    static void PutSetting(const std::string& name, const std::string& value)
    {
        ShellSettings::Save(name, value);
    }
    static void ClearKeys()
    {
        SHDeleteKeyA(HKEY_CURRENT_USER, ("Software\\QlTest\\shell-" + Id()).c_str());
    }

protected:
    void SetUp() override
    {
        ShellSettings::SetKeyForTests(SettingsKey());
        ShellSettings::SetLayoutKeyForTests(LayoutKey());
        if (!std::getenv("QL_SHELL_TEST_ID"))
            ClearKeys();
        if (!modMain::FontModel)
            modMain::FontModel = std::make_shared<qlMain>();
        failures_.clear();
        SetFailureObserver([this](const std::string& source, const std::string& what) {
            failures_.push_back(source + ": " + what);
        });
        platform::SetErrorReporter([](const std::string& source, int32_t number, const std::string& what) {
            Failures().push_back(source + " (" + std::to_string(number) + "): " + what);
        });
    }
    // What the windows reported as failed during the test.
    static std::vector<std::string>& Failures() { return failures_; }
    static std::string FailureText()
    {
        std::string all;
        for (const auto& f : failures_)
            all += f + "\n";
        return all;
    }
    void TearDown() override
    {
        WindowTest::TearDown();
        SetFailureObserver(nullptr);
        if (!failures_.empty())
            std::fprintf(stderr, "reported failures:\n%s", FailureText().c_str());
        if (!std::getenv("QL_SHELL_TEST_ID"))
            ClearKeys();
    }
};
