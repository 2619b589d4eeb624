#include "fontengine/tools/ToolsPlaces.h"

#include "platform/QlError.h"
#include "core/registry/cRegistry.h"
#include "fontengine/FontModel.h"
#include "fontengine/qlMain.h"

namespace qlToolsPlaces {

namespace {
const Registration* g_override = nullptr;
std::function<SYSTEMTIME()> g_clock;
}  // namespace

Registration For(const qlMain* root)
{
    if (g_override)
        return *g_override;
    if (!root)
        root = modMain::FontModel.get();
    if (!root)
        throw QlError(91, "qlTools", "Object variable not set: the tools have no model root");
    Registration r;
    r.classKey = kHKeyLocalMachine;
    r.fontsKey = root->FontRegistryKey();
    r.fontFolder = root->FontFolder();
    return r;
}

void SetOverride(const Registration* registration) { g_override = registration; }

SYSTEMTIME Now()
{
    if (g_clock)
        return g_clock();
    SYSTEMTIME t{};
    GetLocalTime(&t);
    return t;
}

void SetClock(std::function<SYSTEMTIME()> clock) { g_clock = std::move(clock); }

}  // namespace qlToolsPlaces
