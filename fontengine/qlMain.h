#pragma once
// The root of the font model: the view settings, the font collection, the uninstall
// queue and the tools, and the places the engine works with.
#include <memory>
#include <string>

#include "fontengine/qlDisplay.h"
#include "fontengine/qlFonts.h"
#include "fontengine/qlMainEnvironment.h"
#include "fontengine/qlProcesses.h"
#include "fontengine/qlTools.h"

class qlMain {
public:
    // Reads the Fonts folder and chooses the font registry keys by Windows version.
    explicit qlMain(std::shared_ptr<qlMainEnvironment> environment = nullptr);
    ~qlMain();
    qlMain(const qlMain&) = delete;
    qlMain& operator=(const qlMain&) = delete;

    const std::shared_ptr<qlDisplay>& Display() const { return display_; }
    // Created on first read, with this root as parent.
    const std::shared_ptr<qlFonts>& Fonts();
    void Fonts(std::shared_ptr<qlFonts> fonts) { fonts_ = std::move(fonts); }
    const std::shared_ptr<qlProcesses>& Processes();
    const std::shared_ptr<qlTools>& Tools();

    // Program folder & "\Archives" / "\Fonts", created (one level) when missing.
    // A failure is logged; the path is returned all the same.
    std::string FolderArchive();
    std::string FolderBackup();

    // The Windows Fonts folder with a trailing backslash.
    const std::string& FontFolder() const { return fontFolder_; }
    // Key paths under HKEY_LOCAL_MACHINE listing the installed fonts and Type 1 fonts.
    const std::string& FontRegistryKey() const { return fontRegistryKey_; }
    const std::string& FontRegistryKeyPST1() const { return fontRegistryKeyPST1_; }

private:
    std::string ProgramSubfolder(const char* name, const char* source);

    std::shared_ptr<qlMainEnvironment> environment_;
    std::shared_ptr<qlTools> tools_;
    std::shared_ptr<qlFonts> fonts_;
    std::string fontFolder_;
    std::string fontRegistryKey_;
    std::string fontRegistryKeyPST1_;
    std::shared_ptr<qlDisplay> display_;
    std::shared_ptr<qlProcesses> processes_;
};
