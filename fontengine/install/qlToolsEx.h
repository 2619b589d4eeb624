#pragma once
// Installs and uninstalls font files in Windows: permanently (a copy in the Fonts
// folder, a font resource, a value under the Fonts key, a WM_FONTCHANGE broadcast) or
// for the session only (a copy in the temporary folder, loaded as a font resource).
// A target that is in use is replaced when Windows next starts. The object has no
// state: every operation finds its folders and keys afresh.
#include <cstdint>
#include <string>

class qlToolsEx {
public:
    enum Result : int32_t {
        InstallFailed = 0,
        Installed = 1,
        NotNeeded = 2,         // the installed copy is as new, or it is already in the Fonts folder
        ReplacedAtRestart = 3  // the target is in use: it is replaced when Windows restarts
    };

    Result InstallBitmapFont(const std::string& strSourcePath, const std::string& strFontFileName,
                             bool bolShowError, bool ForceInstall);
    Result InstallBitmapFontTemporary(const std::string& strSourcePath, const std::string& strFontFileName,
                                      bool bolShowError, bool ForceInstall);
    Result InstallTTFont(const std::string& strSourcePath, const std::string& strFontFileName, bool bolShowError,
                         bool ForceInstall);
    Result InstallTTFontTemporary(const std::string& strSourcePath, const std::string& strFontFileName,
                                  bool bolShowError, bool ForceInstall);

    // Ends the Windows session (ExitWindowsEx flags).
    void ShutdownSystem(uint32_t eType);

    // strSourcePath is the folder of the installed file; empty means the Fonts folder.
    bool UnInstallBitmapFont(const std::string& strFontFileName, const std::string& strSourcePath,
                             bool bolShowError);
    bool UnInstallTTFont(const std::string& strFontFileName, const std::string& strSourcePath, bool bolShowError);
};
