#pragma once
// Every event handler runs through Dispatch: whatever it throws is reported (the program
// logs it) and the message loop goes on.
#include <functional>
#include <string>
#include <utility>

namespace platform::forms {

// Runs fn; an exception is reported under source ("frmX: cmdOK_Click") and swallowed.
// Returns false when fn threw.
bool Dispatch(const std::string& source, const std::function<void()>& fn);

// One event of a form or control: at most one handler, called through Dispatch.
template <class... Args>
class Event {
public:
    using Handler = std::function<void(Args...)>;

    Event& operator=(Handler h)
    {
        handler_ = std::move(h);
        return *this;
    }
    explicit operator bool() const { return static_cast<bool>(handler_); }

    void Raise(const std::string& source, Args... args) const
    {
        if (!handler_)
            return;
        Handler copy = handler_;  // the handler may replace itself
        Dispatch(source, [&] { copy(args...); });
    }

private:
    Handler handler_;
};

}  // namespace platform::forms
