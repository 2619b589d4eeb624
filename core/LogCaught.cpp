#include "core/LogCaught.h"

#include <exception>

#include "core/QlError.h"
#include "core/modMain.h"

namespace modMain {

void LogCaught(const std::string& source)
{
    try {
        throw;
    } catch (const QlError& e) {
        LogError(source, e.Number, e.Description);
    } catch (const std::exception& e) {
        LogError(source, 0, e.what());
    } catch (...) {
        LogError(source, 0, "unknown error");
    }
}

}  // namespace modMain
