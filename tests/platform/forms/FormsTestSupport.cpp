#include "FormsTestSupport.h"

#include "platform/ErrorReporter.h"
#include "platform/forms/MessageLoop.h"

namespace formstest {

static std::vector<Reported> g_errors;

static void Record(const std::string& source, int32_t number, const std::string& description)
{
    g_errors.push_back({source, number, description});
}

ErrorCapture::ErrorCapture()
{
    g_errors.clear();
    platform::SetErrorReporter(Record);
}

ErrorCapture::~ErrorCapture() { platform::SetErrorReporter(nullptr); }
const std::vector<Reported>& ErrorCapture::Errors() const { return g_errors; }
void ErrorCapture::Clear() { g_errors.clear(); }

void Pump() { platform::forms::DoEvents(); }

void ClickAt(HWND hwnd, int x, int y)
{
    SendMessageA(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    SendMessageA(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

}  // namespace formstest
