#include "ChildTest.h"

namespace queuetest {

ChildTest::ChildTest(const std::string& testName, const std::vector<std::pair<std::string, std::string>>& env)
{
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string cmd = "\"" + std::string(self) + "\" --gtest_also_run_disabled_tests --gtest_filter=" + testName;
    for (const auto& [name, value] : env)
        SetEnvironmentVariableA(name.c_str(), value.c_str());
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (CreateProcessA(self, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
        CloseHandle(pi.hThread);
        process_ = pi.hProcess;
    }
    for (const auto& entry : env)
        SetEnvironmentVariableA(entry.first.c_str(), nullptr);
}

ChildTest::~ChildTest()
{
    if (!process_)
        return;
    if (WaitForSingleObject(process_, 0) == WAIT_TIMEOUT)
        TerminateProcess(process_, 99);
    CloseHandle(process_);
}

int ChildTest::Wait(DWORD milliseconds)
{
    if (!process_ || WaitForSingleObject(process_, milliseconds) != WAIT_OBJECT_0)
        return -1;
    DWORD code = 0;
    GetExitCodeProcess(process_, &code);
    return int(code);
}

Signal::Signal(const std::string& name) : name_(name)
{
    event_ = CreateEventA(nullptr, TRUE, FALSE, name_.c_str());
}

Signal::~Signal()
{
    if (event_)
        CloseHandle(event_);
}

std::string ChildVariable(const char* name)
{
    char buffer[1024];
    DWORD n = GetEnvironmentVariableA(name, buffer, sizeof buffer);
    return n > 0 && n < sizeof buffer ? std::string(buffer, n) : std::string();
}

}  // namespace queuetest
