#include "InstallFixture.h"

#include <vector>

#include "support/TestEnv.h"

namespace installtest {

namespace {

void ReplaceAll(std::string& bytes, size_t from, size_t to, const std::string& what, const std::string& with)
{
    for (size_t at = bytes.find(what, from); at != std::string::npos && at + what.size() <= to;
         at = bytes.find(what, at + what.size()))
        bytes.replace(at, what.size(), with);
}

std::string Utf16BE(const std::string& ascii)
{
    std::string out;
    for (char c : ascii) {
        out += '\0';
        out += c;
    }
    return out;
}

uint32_t U32BE(const std::string& b, size_t at)
{
    return (uint32_t(uint8_t(b[at])) << 24) | (uint32_t(uint8_t(b[at + 1])) << 16) |
           (uint32_t(uint8_t(b[at + 2])) << 8) | uint8_t(b[at + 3]);
}

int CALLBACK CountFamily(const LOGFONTA*, const TEXTMETRICA*, DWORD, LPARAM count)
{
    ++*reinterpret_cast<int*>(count);
    return 1;
}

}  // namespace

std::string UniqueTag(size_t length)
{
    static unsigned counter = 0;
    unsigned seed = GetCurrentProcessId() * 7919u + GetTickCount() + counter++ * 104729u;
    std::string tag = "Qz";
    while (tag.size() < length) {
        tag += static_cast<char>('a' + seed % 26);
        seed = seed * 1103515245u + 12345u;
    }
    return tag;
}

std::string RenamedDejaVu(const std::string& sourceUnixPath, const std::string& folder, const std::string& fileName,
                          const std::string& tag)
{
    std::string bytes = ql::test::ReadFileBytes(ql::test::WinPath(sourceUnixPath));
    EXPECT_GT(bytes.size(), 1000u) << sourceUnixPath;
    // Only inside the naming table: the same-length patch keeps every offset valid.
    uint16_t tables = (uint8_t(bytes[4]) << 8) | uint8_t(bytes[5]);
    for (uint16_t i = 0; i < tables; ++i) {
        size_t rec = 12 + 16 * size_t(i);
        if (bytes.compare(rec, 4, "name") == 0) {
            size_t off = U32BE(bytes, rec + 8), len = U32BE(bytes, rec + 12);
            ReplaceAll(bytes, off, off + len, "DejaVu", tag);
            ReplaceAll(bytes, off, off + len, Utf16BE("DejaVu"), Utf16BE(tag));
        }
    }
    std::string path = folder + "\\" + fileName;
    EXPECT_TRUE(ql::test::WriteFileBytes(path, bytes));
    return path;
}

std::string RenamedBitmapFont(const std::string& sourceUnixPath, const std::string& folder,
                              const std::string& fileName, const std::string& tag)
{
    std::string bytes = ql::test::ReadFileBytes(ql::test::WinPath(sourceUnixPath));
    EXPECT_GT(bytes.size(), 1000u) << sourceUnixPath;
    ReplaceAll(bytes, 0, bytes.size(), "Sans Serif", tag);
    std::string path = folder + "\\" + fileName;
    EXPECT_TRUE(ql::test::WriteFileBytes(path, bytes));
    return path;
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
