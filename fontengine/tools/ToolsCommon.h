#pragma once
// Small steps the tools' operations share.
#include <memory>
#include <string>

#include "fontengine/qlFont.h"
#include "fontengine/tools/ToolsPlaces.h"

class qlMain;

namespace qlToolsCommon {

// The parent, or the program's model root when the tools have none; throws without either.
qlMain& RootOf(qlMain* parent);
// The installed font of that face; fails with the collection's error when it is not there.
std::shared_ptr<qlFont> FontOf(qlMain& root, const std::string& faceName);
// The full path of the font's file (a bare name lives in the Fonts folder).
std::string FileOf(const qlFont& font, const qlToolsPlaces::Registration& where);
// Tells every top-level window that the installed fonts changed.
void BroadcastFontChange();

}  // namespace qlToolsCommon
