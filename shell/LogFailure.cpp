#include "shell/LogFailure.h"

#include "platform/QlError.h"
#include "core/modMain.h"

namespace {
std::function<void(const std::string&, const std::string&)>& Observer()
{
    static std::function<void(const std::string&, const std::string&)> o;
    return o;
}
}  // namespace

void LogFailure(const std::string& source, const std::exception& e)
{
    if (auto* q = dynamic_cast<const QlError*>(&e))
        modMain::LogError(source, q->Number, q->Description);
    else
        modMain::LogError(source, 0, e.what());
    if (Observer())
        Observer()(source, e.what());
}

void SetFailureObserver(std::function<void(const std::string&, const std::string&)> observer)
{
    Observer() = std::move(observer);
}
