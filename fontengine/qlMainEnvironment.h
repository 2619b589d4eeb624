#pragma once
// What the model root asks of the system when it is created: the Windows version,
// the Fonts folder and the program's own folder. Tests give other answers.
#include <optional>
#include <string>

class qlMainEnvironment {
public:
    virtual ~qlMainEnvironment() = default;

    // "Windows 95", "Windows 98", "Windows Me", "Windows NT", "Windows 2000",
    // "Windows XP", or empty for a version not known.
    virtual std::string Platform();
    // The "Fonts" value of the user's Shell Folders key: no value when the key is
    // missing, empty when the value is missing or empty.
    virtual std::optional<std::string> ShellFoldersFonts();
    // The Fonts folder the shell names (no trailing backslash), empty on failure.
    virtual std::string ShellFontsFolder();
    // The Windows folder (no trailing backslash).
    virtual std::string WindowsFolder();
    // The folder of the running program, without a trailing backslash.
    virtual std::string ProgramFolder();
};
