#include "platform/ErrorReporter.h"

namespace platform {

static ErrorReporter g_reporter = nullptr;

void SetErrorReporter(ErrorReporter reporter) { g_reporter = reporter; }

void ReportError(const std::string& source, int32_t number, const std::string& description)
{
    if (g_reporter)
        g_reporter(source, number, description);
}

}  // namespace platform
