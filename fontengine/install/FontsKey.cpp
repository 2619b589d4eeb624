#include "fontengine/install/FontsKey.h"

#include "platform/QlError.h"

namespace qlInstall {

namespace {

std::string FullPath(const std::string& path)
{
    char buffer[MAX_PATH * 2] = {};
    DWORD n = GetFullPathNameA(path.c_str(), sizeof buffer, buffer, nullptr);
    if (n == 0 || n >= sizeof buffer)
        return path;
    std::string full(buffer, n);
    char longer[MAX_PATH * 2] = {};
    DWORD m = GetLongPathNameA(full.c_str(), longer, sizeof longer);
    if (m > 0 && m < sizeof longer)
        full.assign(longer, m);
    for (char& c : full)
        if (c == '/')
            c = '\\';
    return full;
}

bool EqualNoCase(const std::string& a, const std::string& b)
{
    return CompareStringA(LOCALE_SYSTEM_DEFAULT, NORM_IGNORECASE, a.data(), static_cast<int>(a.size()), b.data(),
                          static_cast<int>(b.size())) == CSTR_EQUAL;
}

bool IsBareFileName(const std::string& s) { return s.find(':') == std::string::npos && s.find('\\') == std::string::npos; }

}  // namespace

FontsKey::FontsKey(const FontsKeyLocation& where)
{
    char keyClass[] = "1";
    DWORD disposition = 0;
    LONG rc = RegCreateKeyExA(where.root, where.path.c_str(), 0, keyClass, 0, KEY_ALL_ACCESS, nullptr, &key_,
                              &disposition);
    if (rc != ERROR_SUCCESS) {
        key_ = nullptr;
        throw QlError(rc, "qlToolsEx: OpenFontsKey", "Cannot open the Fonts key " + where.path);
    }
}

FontsKey::~FontsKey()
{
    if (key_)
        RegCloseKey(key_);
}

bool FontsKey::Write(const std::string& name, const std::string& data)
{
    return RegSetValueExA(key_, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                          static_cast<DWORD>(data.size() + 1)) == ERROR_SUCCESS;
}

LONG FontsKey::Delete(const std::string& name) { return RegDeleteValueA(key_, name.c_str()); }

std::vector<FontValue> FontsKey::Values() const
{
    std::vector<FontValue> out;
    DWORD count = 0, maxName = 0, maxData = 0;
    if (RegQueryInfoKeyA(key_, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &count, &maxName, &maxData,
                         nullptr, nullptr) != ERROR_SUCCESS)
        return out;
    std::vector<char> name(maxName + 2), data(maxData + 2);
    for (DWORD i = 0;; ++i) {
        DWORD nameLen = static_cast<DWORD>(name.size());
        DWORD dataLen = static_cast<DWORD>(data.size() - 1);
        DWORD type = 0;
        LONG rc = RegEnumValueA(key_, i, name.data(), &nameLen, nullptr, &type,
                                reinterpret_cast<BYTE*>(data.data()), &dataLen);
        if (rc == ERROR_NO_MORE_ITEMS)
            break;
        if (rc == ERROR_MORE_DATA) {  // the key grew meanwhile
            name.resize(name.size() * 2 + MAX_PATH);
            data.resize(data.size() * 2 + MAX_PATH);
            --i;
            continue;
        }
        if (rc != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ))
            continue;
        std::string value(data.data(), dataLen);
        while (!value.empty() && value.back() == '\0')
            value.pop_back();
        out.push_back({std::string(name.data(), nameLen), value.substr(0, value.find('\0'))});
    }
    return out;
}

std::string ResolveFontPath(const std::string& data, const std::string& fontsFolder)
{
    if (IsBareFileName(data))
        return AddBackslash(fontsFolder) + data;
    return data;
}

bool SamePath(const std::string& a, const std::string& b) { return EqualNoCase(FullPath(a), FullPath(b)); }

bool SameFolder(const std::string& a, const std::string& b)
{
    return EqualNoCase(AddBackslash(FullPath(AddBackslash(a))), AddBackslash(FullPath(AddBackslash(b))));
}

std::vector<FontValue> ValuesForFile(const std::vector<FontValue>& values, const std::string& fontsFolder,
                                     const std::string& filePath)
{
    std::vector<FontValue> out;
    for (const FontValue& v : values)
        if (!v.data.empty() && SamePath(ResolveFontPath(v.data, fontsFolder), filePath))
            out.push_back(v);
    return out;
}

}  // namespace qlInstall
