#pragma once
// Window subclassing over SetWindowSubclass: a handler sees each message first and may
// take it; exceptions from it are reported, not passed into the window procedure.
#include <windows.h>

#include <functional>
#include <string>

namespace platform::forms {

class Subclass {
public:
    // Returns true when it handled the message (result set).
    using Handler = std::function<bool(HWND, UINT, WPARAM, LPARAM, LRESULT&)>;
    Subclass() = default;
    ~Subclass() { Detach(); }
    Subclass(const Subclass&) = delete;
    Subclass& operator=(const Subclass&) = delete;

    bool Attach(HWND hwnd, Handler handler, std::string source = "Subclass");
    void Detach();
    HWND Window() const { return hwnd_; }

private:
    static LRESULT CALLBACK Proc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
    HWND hwnd_ = nullptr;
    Handler handler_;
    std::string source_;
};

}  // namespace platform::forms
