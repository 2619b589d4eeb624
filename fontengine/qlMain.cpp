#include "fontengine/qlMain.h"

#include <windows.h>

#include "platform/QlError.h"
#include "core/files/modFileFunctions.h"
#include "core/modMain.h"

namespace {

bool Is9xFamily(const std::string& platform)
{
    return platform == "Windows 95" || platform == "Windows 98" || platform == "Windows Me";
}

}  // namespace

qlMain::qlMain(std::shared_ptr<qlMainEnvironment> environment)
    : environment_(environment ? std::move(environment) : std::make_shared<qlMainEnvironment>()),
      display_(std::make_shared<qlDisplay>())
{
    std::string platform = environment_->Platform();
    bool is9x = Is9xFamily(platform);

    // The NT family asks the shell; the 9x family keeps its Shell Folders value.
    std::string folder = is9x ? std::string() : environment_->ShellFontsFolder();
    if (folder.empty())
        folder = environment_->ShellFoldersFonts().value_or(std::string());
    // A bare file name must never resolve against a drive root or the current folder.
    if (folder.empty()) {
        std::string windows = environment_->WindowsFolder();
        if (!windows.empty())
            folder = windows + (windows.back() == '\\' ? "Fonts" : "\\Fonts");
    }
    if (folder.empty() || folder.back() != '\\')
        folder += '\\';
    fontFolder_ = folder;

    if (is9x) {
        fontRegistryKey_ = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Fonts";
        fontRegistryKeyPST1_ = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Type 1 Installer\\Type 1 Fonts";
    } else {
        fontRegistryKey_ = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Fonts";
        fontRegistryKeyPST1_ = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Type 1 Installer\\Type 1 Fonts";
    }
}

qlMain::~qlMain()
{
    processes_.reset();
    fonts_.reset();
    tools_.reset();
    display_.reset();
}

const std::shared_ptr<qlFonts>& qlMain::Fonts()
{
    if (!fonts_) {
        auto fonts = std::make_shared<qlFonts>();
        fonts->Parent(this);
        fonts_ = std::move(fonts);
    }
    return fonts_;
}

const std::shared_ptr<qlProcesses>& qlMain::Processes()
{
    if (!processes_)
        processes_ = std::make_shared<qlProcesses>();
    return processes_;
}

const std::shared_ptr<qlTools>& qlMain::Tools()
{
    if (!tools_) {
        auto tools = std::make_shared<qlTools>();
        tools->Parent(this);
        tools_ = std::move(tools);
    }
    return tools_;
}

std::string qlMain::ProgramSubfolder(const char* name, const char* source)
{
    std::string path;
    try {
        std::string program = environment_->ProgramFolder();
        if (program.empty())
            throw QlError(75, "qlMain", "Path/File access error: the program folder is not known");
        path = program + "\\" + name;
        if (!modFileFunctions::FolderExists(path) && !CreateDirectoryA(path.c_str(), nullptr))
            throw QlError(75, "qlMain", "Path/File access error: cannot create " + path);
    } catch (const QlError& e) {
        modMain::LogError(source, e.Number, e.Description);
    } catch (const std::exception& e) {
        modMain::LogError(source, 5, e.what());
    }
    return path;
}

std::string qlMain::FolderArchive() { return ProgramSubfolder("Archives", "qlMain: FolderArchive"); }

std::string qlMain::FolderBackup() { return ProgramSubfolder("Fonts", "qlMain: FolderBackup"); }
