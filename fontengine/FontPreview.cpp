#include "fontengine/FontPreview.h"

#include <windows.h>

#include "fontengine/FaceProbe.h"
#include "fontengine/FontFile.h"
#include "fontengine/SfntFile.h"
#include "platform/AnsiText.h"

FontPreview::FontPreview() : systemLocale_(GetSystemDefaultLCID()) {}

FontPreview::~FontPreview()
{
    if (!alreadyInstalled_)
        UnloadFontFile();
}

void FontPreview::FontFile(const std::string& path)
{
    UnloadFontFile();
    if (!fontengine::FileExists(path))
        return;
    fontFile_ = path;
    info_ = fontparsers::SfntInfo();
    faceName_.clear();
    installed_ = false;
    probePending_ = false;
    ReadTables();
    if (alreadyInstalled_) {
        // Nothing will be loaded, so the probe can wait until its answer is wanted.
        probePending_ = true;
        return;
    }
    installed_ = ProbeFaceName();
    // Without names there is nothing to find the loaded font under.
    if (!installed_ && !info_.names.empty() && LoadFontFile())
        ProbeFaceName();
}

bool FontPreview::ReadTables()
{
    info_ = fontengine::ReadSfntFile(fontFile_);
    return info_.validTrueType;
}

std::string FontPreview::GetNameString(std::uint16_t nameID) const
{
    return platform::ToAnsi(fontparsers::GetNameString(info_.names, nameID, systemLocale_));
}

std::string FontPreview::VendorID() const
{
    if (!info_.hasOS2)
        return {};
    return platform::CutAtNul(std::string_view(info_.vendorID.data(), info_.vendorID.size()));
}

void FontPreview::ProbeOnce() const
{
    if (probePending_) {
        probePending_ = false;
        installed_ = ProbeFaceName();
    }
}

bool FontPreview::Installed() const
{
    ProbeOnce();
    return installed_;
}

const std::string& FontPreview::FaceName() const
{
    ProbeOnce();
    return faceName_;
}

bool FontPreview::ProbeFaceName() const
{
    std::string family = FamilyName();
    std::string candidates[] = {family, family + " " + SubFamilyName(), FullName()};
    for (const auto& candidate : candidates) {
        if (candidate.find_first_not_of(' ') == std::string::npos)
            continue;
        if (fontengine::IsFaceKnown(candidate)) {
            faceName_ = fontengine::CutFaceNameAnsi(candidate);
            return true;
        }
    }
    return false;
}

bool FontPreview::LoadFontFile()
{
    if (AddFontResourceA(fontFile_.c_str()) == 0)
        return false;
    loaded_ = true;
    if (broadcast_)
        BroadcastFontChange();
    return true;
}

void FontPreview::UnloadFontFile()
{
    if (!loaded_)
        return;
    RemoveFontResourceA(fontFile_.c_str());
    loaded_ = false;
    if (broadcast_)
        BroadcastFontChange();
    faceName_.clear();
    info_.validTrueType = false;
}

void FontPreview::BroadcastFontChange() const
{
    SendMessageA(HWND_BROADCAST, WM_FONTCHANGE, 0, 0);
}
