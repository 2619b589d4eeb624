#include "fontengine/install/qlToolsEx.h"

#include <windows.h>

#include "platform/QlError.h"
#include "core/modMain.h"
#include "fontengine/install/InstallFlow.h"

using qlInstall::FontKind;

namespace {

template <typename Result, typename Step>
Result Guarded(const char* operation, Result failed, Step step)
{
    try {
        return step();
    } catch (const QlError& e) {
        modMain::LogError(std::string("qlToolsEx: ") + operation, e.Number, e.Description);
    } catch (const std::exception& e) {
        modMain::LogError(std::string("qlToolsEx: ") + operation, 0, e.what());
    }
    return failed;
}

bool EnableShutdownPrivilege()
{
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token))
        return false;
    TOKEN_PRIVILEGES tp{};
    bool ok = LookupPrivilegeValueA(nullptr, "SeShutdownPrivilege", &tp.Privileges[0].Luid) != 0;
    if (ok) {
        tp.PrivilegeCount = 1;
        tp.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
        TOKEN_PRIVILEGES previous{};
        DWORD size = sizeof previous;
        ok = AdjustTokenPrivileges(token, FALSE, &tp, sizeof previous, &previous, &size) != 0;
    }
    CloseHandle(token);
    return ok;
}

}  // namespace

qlToolsEx::Result qlToolsEx::InstallBitmapFont(const std::string& strSourcePath,
                                               const std::string& strFontFileName,
                                               bool bolShowError, bool ForceInstall)
{
    return Guarded("InstallBitmapFont", InstallFailed, [&] {
        return qlInstall::InstallPermanent(FontKind::Bitmap, strSourcePath, strFontFileName, bolShowError,
                                           ForceInstall);
    });
}

qlToolsEx::Result qlToolsEx::InstallBitmapFontTemporary(const std::string& strSourcePath,
                                                        const std::string& strFontFileName,
                                                        bool bolShowError, bool ForceInstall)
{
    return Guarded("InstallBitmapFontTemporary", InstallFailed, [&] {
        return qlInstall::InstallForSession(FontKind::Bitmap, strSourcePath, strFontFileName, bolShowError);
    });
}

qlToolsEx::Result qlToolsEx::InstallTTFont(const std::string& strSourcePath,
                                           const std::string& strFontFileName,
                                           bool bolShowError, bool ForceInstall)
{
    return Guarded("InstallTTFont", InstallFailed, [&] {
        return qlInstall::InstallPermanent(FontKind::TrueType, strSourcePath, strFontFileName, bolShowError,
                                           ForceInstall);
    });
}

qlToolsEx::Result qlToolsEx::InstallTTFontTemporary(const std::string& strSourcePath,
                                                    const std::string& strFontFileName,
                                                    bool bolShowError, bool ForceInstall)
{
    return Guarded("InstallTTFontTemporary", InstallFailed, [&] {
        return qlInstall::InstallForSession(FontKind::TrueType, strSourcePath, strFontFileName, bolShowError);
    });
}

bool qlToolsEx::UnInstallBitmapFont(const std::string& strFontFileName, const std::string& strSourcePath,
                                    bool bolShowError)
{
    return Guarded("UnInstallBitmapFont", false, [&] {
        return qlInstall::Uninstall(FontKind::Bitmap, strFontFileName, strSourcePath, bolShowError);
    });
}

bool qlToolsEx::UnInstallTTFont(const std::string& strFontFileName, const std::string& strSourcePath,
                                bool bolShowError)
{
    return Guarded("UnInstallTTFont", false, [&] {
        return qlInstall::Uninstall(FontKind::TrueType, strFontFileName, strSourcePath, bolShowError);
    });
}

void qlToolsEx::ShutdownSystem(uint32_t eType)
{
    // Logging off (0) and forcing (4) need no privilege; the rest do on every NT system.
    if (eType != EWX_LOGOFF && eType != EWX_FORCE && !qlInstall::GetOSCode().family9x)
        EnableShutdownPrivilege();
    ExitWindowsEx(eType, 0xFFFFFFFF);
}
