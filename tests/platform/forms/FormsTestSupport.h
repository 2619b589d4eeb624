#pragma once
// Shared helpers of the forms tests: a recorder of reported errors and of events.
#include <windows.h>

#include <string>
#include <vector>

namespace formstest {

struct Reported {
    std::string source;
    int number;
    std::string description;
};

// Points the platform's error hook at a list for the test's lifetime.
class ErrorCapture {
public:
    ErrorCapture();
    ~ErrorCapture();
    const std::vector<Reported>& Errors() const;
    void Clear();
};

// Handles what is waiting in the queue.
void Pump();

// Sends a left click (press and release) at a window's client point.
void ClickAt(HWND hwnd, int x, int y);

}  // namespace formstest
