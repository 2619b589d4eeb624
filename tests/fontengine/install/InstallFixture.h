#pragma once
// A scratch place to install fonts into (Fonts folder, temporary folder and Fonts key),
// and font files renamed so that Wine does not already know them.
#include <windows.h>

#include <string>

#include <gtest/gtest.h>

#include "fontengine/install/InstallEnvironment.h"

namespace installtest {

// A word unique to this run ("Qz..."), to stand in for "DejaVu" or "Sans Serif".
std::string UniqueTag(size_t length);

// Copies a DejaVu font to folder\fileName with "DejaVu" replaced by tag (six letters).
// Returns the new path.
std::string RenamedDejaVu(const std::string& sourceUnixPath, const std::string& folder, const std::string& fileName,
                          const std::string& tag);
// Copies a Wine bitmap font with "Sans Serif" replaced by tag (ten letters) throughout.
std::string RenamedBitmapFont(const std::string& sourceUnixPath, const std::string& folder,
                              const std::string& fileName, const std::string& tag);

// Whether GDI lists a family of that name in this process.
bool FamilyKnown(const std::string& family);

// String values of a key, read straight from the registry with their raw sizes.
struct RawValue {
    bool present = false;
    DWORD type = 0;
    std::string bytes;  // exactly as stored, terminating NUL included
};
RawValue ReadRaw(HKEY root, const std::string& key, const std::string& name);
int CountValues(HKEY root, const std::string& key);

class ScratchInstall : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    std::string source_;  // a folder with the fonts to install
    std::string fonts_;   // the scratch Fonts folder
    std::string temp_;    // the scratch temporary folder
    std::string keyPath_; // under HKEY_CURRENT_USER
    std::string tag_;
    qlInstall::Overrides overrides_;
};

}  // namespace installtest
