#pragma once
// Drives the platform's modal dialogs in place of a person: a thread hook notices the
// dialog window as it activates, and shortly after a script runs against it.
#include <windows.h>

#include <functional>

namespace ql::test {

class DialogDriver {
public:
    // Runs until it answers true (tried again every 200 ms, at most 50 times): a script
    // can wait for the dialog to be ready.
    using Script = std::function<bool(HWND dialog)>;
    explicit DialogDriver(Script script);
    ~DialogDriver();

    HWND Dialog() const { return dialog_; }
    HWND DialogOwner() const { return owner_; }
    bool Ran() const { return ran_; }

    // Helpers for scripts.
    static void Press(HWND dialog, int id);
    static void TypeFileName(HWND dialog, const char* text);

private:
    static LRESULT CALLBACK Hook(int code, WPARAM wp, LPARAM lp);
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);

    Script script_;
    HHOOK hook_ = nullptr;
    UINT_PTR timer_ = 0;
    HWND dialog_ = nullptr;
    HWND owner_ = nullptr;
    bool ran_ = false;
    int tries_ = 0;
};

}  // namespace ql::test
