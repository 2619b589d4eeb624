#pragma once
// Reads one TrueType or OpenType file (naming table, a few OS/2 values, validity,
// signature table) and, for a font Windows does not know yet, loads it for the
// session so that it can be drawn while the object lives.
#include <cstdint>
#include <string>

#include "fontengine/parsers/Sfnt.h"

class FontPreview {
public:
    FontPreview();
    ~FontPreview();
    FontPreview(const FontPreview&) = delete;
    FontPreview& operator=(const FontPreview&) = delete;

    // True: the file is never loaded, and releasing the object leaves a font it
    // loaded in the session.
    bool AlreadyInstalled() const { return alreadyInstalled_; }
    void AlreadyInstalled(bool value) { alreadyInstalled_ = value; }
    // True: loading and unloading tell every top-level window (WM_FONTCHANGE).
    bool Broadcast() const { return broadcast_; }
    void Broadcast(bool value) { broadcast_ = value; }

    const std::string& FontFile() const { return fontFile_; }
    // Reads the file and makes its font usable; a path that is not a file changes
    // nothing but letting go of the previous file's font.
    void FontFile(const std::string& path);

    bool Bold() const { return (info_.fsSelection & 0x20) != 0; }
    bool Italic() const { return (info_.fsSelection & 0x01) != 0; }
    bool Underlined() const { return (info_.fsSelection & 0x02) != 0; }
    bool StrikeOut() const { return (info_.fsSelection & 0x10) != 0; }
    bool IsOpenTypeFont() const { return info_.hasDSIG; }
    bool ValidTrueTypeFile() const { return info_.validTrueType; }
    // Whether Windows knew the font before this object did anything.
    bool Installed() const;
    // The name under which Windows knows the font; empty when none was found.
    const std::string& FaceName() const;

    std::string Copyright() const { return GetNameString(0); }
    std::string FamilyName() const { return GetNameString(1); }
    std::string SubFamilyName() const { return GetNameString(2); }
    std::string UniqueIdentifier() const { return GetNameString(3); }
    std::string FullName() const { return GetNameString(4); }
    std::string VersionString() const { return GetNameString(5); }
    std::string PostscriptName() const { return GetNameString(6); }
    std::string Trademark() const { return GetNameString(7); }
    std::string Manufacturer() const { return GetNameString(8); }
    std::string Designer() const { return GetNameString(9); }
    std::string Description() const { return GetNameString(10); }
    std::string VendorURL() const { return GetNameString(11); }
    std::string DesignerURL() const { return GetNameString(12); }
    std::string License() const { return GetNameString(13); }
    std::string LicenseURL() const { return GetNameString(14); }
    std::string PreferredFamily() const { return GetNameString(16); }
    std::string PreferredSubFamily() const { return GetNameString(17); }
    std::string MacFullName() const { return GetNameString(18); }
    // The four achVendID characters, cut at a NUL; empty without an OS/2 table.
    std::string VendorID() const;

private:
    bool ReadTables();
    std::string GetNameString(std::uint16_t nameID) const;
    bool ProbeFaceName() const;
    void ProbeOnce() const;
    bool LoadFontFile();
    void UnloadFontFile();
    void BroadcastFontChange() const;

    bool broadcast_ = false;
    bool alreadyInstalled_ = false;
    std::string fontFile_;
    std::uint32_t systemLocale_ = 0;
    fontparsers::SfntInfo info_;
    bool loaded_ = false;  // this object added the font resource
    // The probe of an installed font runs when its answer is first asked for.
    mutable bool probePending_ = false;
    mutable bool installed_ = false;
    mutable std::string faceName_;
};
