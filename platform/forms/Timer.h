#pragma once
// A timer of a form: ticks while enabled with a non-zero interval; a tick never re-enters
// its own running handler (a message box inside it keeps the loop going).
#include "platform/forms/Component.h"
#include "platform/forms/Dispatch.h"

namespace platform::forms {

class Timer : public Component {
public:
    Timer(Form& form, std::string name, int index = -1) : Component(form, std::move(name), index) {}
    ~Timer() override;

    int Interval() const { return interval_; }
    // 0..65535 ms (error 380 otherwise); a change restarts the count.
    void Interval(int ms);
    bool Enabled() const { return enabled_; }
    void Enabled(bool v);

    Event<> Tick;
    // Called by the form for WM_TIMER.
    void Fire();

protected:
    void Create() override;
    void Destroy() override;

private:
    void Restart();
    int interval_ = 0;
    bool enabled_ = true;
    bool running_ = false;
    bool armed_ = false;
};

}  // namespace platform::forms
