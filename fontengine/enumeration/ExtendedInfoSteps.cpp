#include "fontengine/enumeration/ExtendedInfoSteps.h"

#include <memory>

#include "core/modMain.h"
#include "fontengine/FontPreview.h"
#include "fontengine/cPostScriptFont.h"
#include "fontengine/qlFonts.h"

namespace qlEnumeration {

bool GetTrueTypeExtInfo(qlFonts& fonts, const std::string& faceName, bool forceRefresh, const FontPreview* read)
{
    try {
        std::shared_ptr<qlFont> font = fonts.Item(faceName);
        if (font->FontType() != "TrueType" || font->FontFilename().empty())
            return false;
        if (font->GotExtInfo() && !forceRefresh)
            return false;
        std::unique_ptr<FontPreview> own;
        if (!read || read->FontFile() != font->FontFilename()) {
            own = std::make_unique<FontPreview>();
            own->AlreadyInstalled(true);  // an installed file is never loaded again
            own->FontFile(font->FontFilename());
            read = own.get();
        }
        const FontPreview& p = *read;
        font->Copyright(p.Copyright());
        font->Trademark(p.Trademark());
        font->SubFamilyName(p.SubFamilyName());
        font->PostscriptName(p.PostscriptName());
        font->FontVersion(p.VersionString());
        font->UniqueIdentifier(p.UniqueIdentifier());
        font->GotExtInfo(true);
        if (p.IsOpenTypeFont())
            font->FontType("OpenType");
        font->LicenseURL(p.LicenseURL());
        font->License(p.License());
        font->Designer(p.Designer());
        font->DesignerURL(p.DesignerURL());
        font->Description(p.Description());
        font->PreferredFamily(p.PreferredFamily());
        font->PreferredSubFamily(p.PreferredSubFamily());
        font->MacFullName(p.MacFullName());
        font->Manufacturer(p.Manufacturer());
        font->VendorURL(p.VendorURL());
        font->VendorID(p.VendorID());
        return true;
    } catch (...) {
        return false;
    }
}

bool GetType1ExtInfo(qlFonts& fonts, const std::string& faceName)
{
    try {
        std::shared_ptr<qlFont> font = fonts.Item(faceName);
        cPostScriptFont ps;
        ps.Filename(font->FontFilename());
        font->FontType("Type " + std::to_string(ps.FontType()));
        font->Families()->Add(ps.FamilyName());
        font->GotExtInfo(true);
        font->FontVersion(ps.Version());
        font->UniqueIdentifier(std::to_string(ps.UniqueID()));
        font->Copyright(ps.Notice());
        font->Weight(ps.Weight());
        return true;
    } catch (...) {
        return false;
    }
}

std::string GetTTFaceName(const std::string& path)
{
    try {
        FontPreview p;
        p.AlreadyInstalled(true);
        p.FontFile(path);
        return p.ValidTrueTypeFile() ? p.FaceName() : std::string();
    } catch (const std::exception& e) {
        modMain::LogError("qlFonts: GetTTFaceName", 0, e.what());
        return {};
    }
}

}  // namespace qlEnumeration
