#include "InstallFixture.h"

#include <vector>

#include "fontengine/FontFixtures.h"
#include "support/TestEnv.h"

namespace installtest {

namespace {

int CALLBACK CountFamily(const LOGFONTA*, const TEXTMETRICA*, DWORD, LPARAM count)
{
    ++*reinterpret_cast<int*>(count);
    return 1;
}

std::string WriteRenamed(const std::string& sourceUnixPath, const std::string& from, const std::string& to,
                         const std::string& folder, const std::string& fileName)
{
    ql::test::FontBytes bytes = ql::test::PatchName(ql::test::LoadFont(sourceUnixPath), from, to);
    std::string path = folder + "\\" + fileName;
    EXPECT_TRUE(ql::test::WriteFileBytes(path, ql::test::AsText(bytes)));
    return path;
}

}  // namespace

std::string UniqueTag(size_t length) { return "Qz" + ql::test::UniqueLetters(length - 2); }

std::string RenamedDejaVu(const std::string& sourceUnixPath, const std::string& folder, const std::string& fileName,
                          const std::string& tag)
{
    return WriteRenamed(sourceUnixPath, "DejaVu", tag, folder, fileName);
}

std::string RenamedBitmapFont(const std::string& sourceUnixPath, const std::string& folder,
                              const std::string& fileName, const std::string& tag)
{
    return WriteRenamed(sourceUnixPath, "Sans Serif", tag, folder, fileName);
}

bool FamilyKnown(const std::string& family)
{
    HDC dc = CreateCompatibleDC(nullptr);
    LOGFONTA lf{};
    lf.lfCharSet = DEFAULT_CHARSET;
    lstrcpynA(lf.lfFaceName, family.c_str(), LF_FACESIZE);
    int count = 0;
    EnumFontFamiliesExA(dc, &lf, CountFamily, reinterpret_cast<LPARAM>(&count), 0);
    DeleteDC(dc);
    return count > 0;
}

RawValue ReadRaw(HKEY root, const std::string& key, const std::string& name)
{
    RawValue v;
    HKEY h = nullptr;
    if (RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, &h) != ERROR_SUCCESS)
        return v;
    DWORD size = 0;
    if (RegQueryValueExA(h, name.c_str(), nullptr, &v.type, nullptr, &size) == ERROR_SUCCESS) {
        std::vector<char> data(size + 1);
        if (RegQueryValueExA(h, name.c_str(), nullptr, &v.type, reinterpret_cast<BYTE*>(data.data()), &size) ==
            ERROR_SUCCESS) {
            v.present = true;
            v.bytes.assign(data.data(), size);
        }
    }
    RegCloseKey(h);
    return v;
}

int CountValues(HKEY root, const std::string& key)
{
    HKEY h = nullptr;
    if (RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, &h) != ERROR_SUCCESS)
        return 0;
    DWORD count = 0;
    RegQueryInfoKeyA(h, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &count, nullptr, nullptr, nullptr,
                     nullptr);
    RegCloseKey(h);
    return static_cast<int>(count);
}

void ScratchInstall::SetUp()
{
    source_ = ql::test::MakeScratchDir("inst-src");
    fonts_ = ql::test::MakeScratchDir("inst-fonts");
    temp_ = ql::test::MakeScratchDir("inst-temp");
    tag_ = UniqueTag(6);
    keyPath_ = "Software\\QlTest\\" + tag_ + "\\Fonts";
    overrides_.fontsFolder = fonts_;
    overrides_.tempFolder = temp_;
    overrides_.fontsKey = qlInstall::FontsKeyLocation{HKEY_CURRENT_USER, keyPath_};
    qlInstall::SetOverrides(&overrides_);
}

void ScratchInstall::TearDown()
{
    qlInstall::SetOverrides(nullptr);
    RegDeleteTreeA(HKEY_CURRENT_USER, ("Software\\QlTest\\" + tag_).c_str());
    for (const std::string& dir : {source_, fonts_, temp_}) {
        // Fonts a test left loaded would keep their files open on Windows.
        WIN32_FIND_DATAA fd;
        HANDLE h = FindFirstFileA((dir + "\\*").c_str(), &fd);
        if (h != INVALID_HANDLE_VALUE) {
            do
                RemoveFontResourceA((dir + "\\" + fd.cFileName).c_str());
            while (FindNextFileA(h, &fd));
            FindClose(h);
        }
        ql::test::RemoveTree(dir);
    }
}

}  // namespace installtest
