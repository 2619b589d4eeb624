#pragma once
// Runs one (disabled) test of this executable in a second process, for the faults
// that only two processes show: a race between two instances, a file held open.
#include <windows.h>

#include <string>
#include <utility>
#include <vector>

namespace queuetest {

class ChildTest {
public:
    // The child sees the variables in env besides its parent's environment.
    ChildTest(const std::string& testName, const std::vector<std::pair<std::string, std::string>>& env);
    ~ChildTest();
    ChildTest(const ChildTest&) = delete;
    ChildTest& operator=(const ChildTest&) = delete;

    bool Started() const { return process_ != nullptr; }
    // The child's exit code (0: its test passed), or -1 when it did not end in time.
    int Wait(DWORD milliseconds);

private:
    HANDLE process_ = nullptr;
};

// A named event for the two sides to meet; the name is unique to the running test.
class Signal {
public:
    explicit Signal(const std::string& name);
    ~Signal();
    Signal(const Signal&) = delete;
    Signal& operator=(const Signal&) = delete;

    const std::string& Name() const { return name_; }
    void Set() { SetEvent(event_); }
    bool WaitFor(DWORD milliseconds) { return WaitForSingleObject(event_, milliseconds) == WAIT_OBJECT_0; }

private:
    std::string name_;
    HANDLE event_ = nullptr;
};

// The value of a variable the parent gave, "" when it is not there (not a child).
std::string ChildVariable(const char* name);

}  // namespace queuetest
