#include "fontengine/enumeration/EnumerationSource.h"

#include "platform/QlError.h"
#include "fontengine/FontModel.h"
#include "fontengine/qlMain.h"

namespace qlEnumeration {

namespace {
const Source* g_override = nullptr;
}

void SetSourceOverride(const Source* source) { g_override = source; }

Source SourceFor(const qlMain* root)
{
    if (g_override)
        return *g_override;
    if (!root)
        root = modMain::FontModel.get();
    if (!root)
        throw QlError(91, "qlFonts", "The font collection has no model root");
    Source s;
    s.fontsKey = root->FontRegistryKey();
    s.type1Key = root->FontRegistryKeyPST1();
    s.fontFolder = root->FontFolder();
    return s;
}

}  // namespace qlEnumeration
