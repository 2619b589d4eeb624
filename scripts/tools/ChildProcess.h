#pragma once
// A program started by the probe: its handles, its clock from the start, its end.
#include <windows.h>

#include <optional>
#include <string>

namespace qlprobe {

class ChildProcess {
public:
    ChildProcess() = default;
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;
    ~ChildProcess();

    // Starts the command line; false with the system's reason in error.
    bool Start(const std::string& commandLine, std::string& error);
    // Milliseconds since just before the start.
    double ElapsedMs() const;
    bool Running() const;
    // The exit code once the process has ended within timeoutMs, else nothing.
    std::optional<DWORD> WaitForExit(DWORD timeoutMs) const;
    void Terminate() const;

    DWORD Id() const { return info_.dwProcessId; }
    HANDLE Handle() const { return info_.hProcess; }

private:
    PROCESS_INFORMATION info_{};
    LARGE_INTEGER started_{};
};

// Joins program and arguments into one command line, quoting as the C runtime parses it.
std::string QuoteArgument(const std::string& arg);

}  // namespace qlprobe
