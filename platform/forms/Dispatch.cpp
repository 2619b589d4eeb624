#include "platform/forms/Dispatch.h"

#include <exception>

#include "platform/QlError.h"
#include "platform/ErrorReporter.h"

namespace platform::forms {

bool Dispatch(const std::string& source, const std::function<void()>& fn)
{
    try {
        fn();
        return true;
    } catch (const QlError& e) {
        ReportError(source, e.Number, e.Description);
    } catch (const std::exception& e) {
        ReportError(source, 0, e.what());
    } catch (...) {
        ReportError(source, 0, "unknown failure");
    }
    return false;
}

}  // namespace platform::forms
