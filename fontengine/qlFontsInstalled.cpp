// The enumeration of the Windows font registration. Until the registry pass is
// written, a run leaves an empty collection and reports nothing.
#include "fontengine/qlFonts.h"

void qlFonts::GetInstalledFonts(IProgressSink*)
{
    items_ = std::make_shared<Collection>();
}

bool qlFonts::GetExtendedInfo(const std::string&, bool)
{
    return false;
}
