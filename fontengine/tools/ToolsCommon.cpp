#include "fontengine/tools/ToolsCommon.h"

#include <windows.h>

#include "platform/QlError.h"
#include "fontengine/FontModel.h"
#include "fontengine/install/FontsKey.h"
#include "fontengine/qlMain.h"

namespace qlToolsCommon {

qlMain& RootOf(qlMain* parent)
{
    if (!parent)
        parent = modMain::FontModel.get();
    if (!parent)
        throw QlError(91, "qlTools", "Object variable not set: the tools have no model root");
    return *parent;
}

std::shared_ptr<qlFont> FontOf(qlMain& root, const std::string& faceName)
{
    auto font = root.Fonts()->Item(faceName);
    if (!font)
        throw QlError(91, "qlTools", "No font record for " + faceName);
    return font;
}

std::string FileOf(const qlFont& font, const qlToolsPlaces::Registration& where)
{
    if (font.FontFilename().empty())
        return {};
    return qlInstall::ResolveFontPath(font.FontFilename(), where.fontFolder);
}

void BroadcastFontChange() { SendMessageA(HWND_BROADCAST, WM_FONTCHANGE, 0, 0); }

}  // namespace qlToolsCommon
