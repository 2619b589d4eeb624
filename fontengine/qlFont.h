#pragma once
// The record of one font: names, file, type word, generic families, the text
// metrics Windows reports and the strings of its naming table.
#include <cstdint>
#include <memory>
#include <string>

#include "fontengine/Property.h"
#include "fontengine/qlFamilies.h"

class qlFont {
    QL_PROPERTY(std::string, DisplayName)
    QL_PROPERTY(std::string, FaceName)
    QL_PROPERTY(bool, Installed)
    QL_PROPERTY(std::int32_t, AvgCharWidth)
    QL_PROPERTY(std::int32_t, MaxCharWidth)
    QL_PROPERTY(std::int32_t, DefaultCharacterSetID)
    QL_PROPERTY(std::string, FontType)
    QL_PROPERTY(std::string, FontTypeEx)
    QL_PROPERTY(bool, IsDigSig)
    QL_PROPERTY(std::string, FontFilename)
    QL_PROPERTY(std::int32_t, FirstChar)
    QL_PROPERTY(std::int32_t, LastChar)
    QL_PROPERTY(std::int32_t, DefaultChar)
    QL_PROPERTY(std::int32_t, BreakChar)
    QL_PROPERTY(std::string, Pitch)
    QL_PROPERTY(bool, IsMonospaced)
    QL_PROPERTY(std::string, Weight)
    QL_PROPERTY(std::string, Copyright)
    QL_PROPERTY(std::string, Trademark)
    QL_PROPERTY(std::string, SubFamilyName)
    QL_PROPERTY(std::string, PostscriptName)
    QL_PROPERTY(std::string, FontVersion)
    QL_PROPERTY(std::string, UniqueIdentifier)
    QL_PROPERTY(bool, GotExtInfo)
    QL_PROPERTY(std::string, Manufacturer)
    QL_PROPERTY(std::string, Designer)
    QL_PROPERTY(std::string, Description)
    QL_PROPERTY(std::string, VendorURL)
    QL_PROPERTY(std::string, DesignerURL)
    QL_PROPERTY(std::string, License)
    QL_PROPERTY(std::string, LicenseURL)
    QL_PROPERTY(std::string, PreferredFamily)
    QL_PROPERTY(std::string, PreferredSubFamily)
    QL_PROPERTY(std::string, MacFullName)
    QL_PROPERTY(std::string, VendorID)

public:
    // Created empty on first read and kept.
    const std::shared_ptr<qlFamilies>& Families();
    void Families(std::shared_ptr<qlFamilies> families) { families_ = std::move(families); }

private:
    std::shared_ptr<qlFamilies> families_;
};
