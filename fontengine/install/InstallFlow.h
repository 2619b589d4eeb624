#pragma once
// The install and uninstall steps shared by TrueType and bitmap fonts.
#include <cstdint>
#include <string>

#include "fontengine/install/InstallEnvironment.h"
#include "fontengine/install/qlToolsEx.h"

namespace qlInstall {

enum class FontKind { TrueType, Bitmap };

struct Places {
    OsInfo os;
    std::string fonts;  // the Fonts folder, with a trailing backslash
    std::string temp;   // the temporary folder, with a trailing backslash
};

// The folders every operation starts from; tells the user when the Fonts folder is guessed.
Places FindPlaces(bool showError);

qlToolsEx::Result InstallPermanent(FontKind kind, const std::string& sourceFolder, const std::string& fileName,
                                   bool showError, bool force);
qlToolsEx::Result InstallForSession(FontKind kind, const std::string& sourceFolder, const std::string& fileName,
                                    bool showError);
bool Uninstall(FontKind kind, const std::string& fileName, const std::string& folder, bool showError);

// Clears an installed copy that blocks a new one; errors are ignored.
void RemoveExistingFont(const std::string& fontsFolder, const std::string& fileName);

// The registry value name for a font file of that kind; empty when the file is none.
std::string ValueNameFor(FontKind kind, const std::string& path);

}  // namespace qlInstall
