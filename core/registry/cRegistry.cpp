#include "core/registry/cRegistry.h"

#include <windows.h>

#include <algorithm>

#include "platform/QlError.h"
#include "core/modMain.h"

namespace {

constexpr const char* kSource = "QuilleryPro.cRegistry";
constexpr REGSAM kAllAccess = 0x3F;  // query, set, create subkey, enumerate, notify, create link
uint32_t g_firstNameBuffer = 0;

HKEY RootOf(int32_t classKey) { return reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(static_cast<uint32_t>(classKey))); }

// The root to open below: the local root, or the connected remote one.
class Root {
public:
    Root(int32_t classKey, const std::string& machine)
    {
        if (machine.empty()) {
            key_ = RootOf(classKey);
            ok_ = true;
        } else {
            ok_ = RegConnectRegistryA(machine.c_str(), RootOf(classKey), &key_) == ERROR_SUCCESS;
            remote_ = ok_;
        }
    }
    ~Root()
    {
        if (remote_)
            RegCloseKey(key_);
    }
    Root(const Root&) = delete;
    Root& operator=(const Root&) = delete;
    bool ok() const { return ok_; }
    HKEY get() const { return key_; }

private:
    HKEY key_ = nullptr;
    bool ok_ = false;
    bool remote_ = false;
};

class OpenKey {
public:
    OpenKey() = default;
    ~OpenKey() { Close(); }
    OpenKey(const OpenKey&) = delete;
    OpenKey& operator=(const OpenKey&) = delete;
    HKEY* out() { return &key_; }
    HKEY get() const { return key_; }
    void Close()
    {
        if (key_)
            RegCloseKey(key_);
        key_ = nullptr;
    }

private:
    HKEY key_ = nullptr;
};

std::string Quote(int32_t classKey) { return std::to_string(classKey); }

std::string CutAtNul(const char* data, std::size_t size)
{
    std::size_t n = 0;
    while (n < size && data[n] != '\0')
        ++n;
    return std::string(data, n);
}

std::string ExpandEnvironment(const std::string& text)
{
    DWORD need = ExpandEnvironmentStringsA(text.c_str(), nullptr, 0);
    if (need == 0)
        return text;
    std::vector<char> buf(need + 1, '\0');
    DWORD got = ExpandEnvironmentStringsA(text.c_str(), buf.data(), need + 1);
    if (got == 0 || got > need + 1)
        return text;
    return CutAtNul(buf.data(), buf.size());
}

int32_t Dword(const std::vector<uint8_t>& data, bool bigEndian)
{
    uint8_t b[4] = {0, 0, 0, 0};
    for (std::size_t i = 0; i < 4 && i < data.size(); ++i)
        b[i] = data[i];
    uint32_t v = bigEndian ? (uint32_t(b[0]) << 24 | uint32_t(b[1]) << 16 | uint32_t(b[2]) << 8 | b[3])
                           : (uint32_t(b[3]) << 24 | uint32_t(b[2]) << 16 | uint32_t(b[1]) << 8 | b[0]);
    return static_cast<int32_t>(v);
}

}  // namespace

std::string RegValueText(const RegValue& value)
{
    if (auto s = std::get_if<std::string>(&value))
        return *s;
    if (auto i = std::get_if<int32_t>(&value))
        return std::to_string(*i);
    return {};
}

namespace cRegistryTesting {
void SetFirstNameBuffer(uint32_t chars) { g_firstNameBuffer = chars; }
}  // namespace cRegistryTesting

void cRegistry::Machine(const std::string& name)
{
    if (name.size() <= 2)
        machine_.clear();
    else if (name.compare(0, 2, "\\\\") == 0)
        machine_ = name;
    else
        machine_ = "\\\\" + name;
}

bool cRegistry::KeyExists() const
{
    Root root(classKey_, machine_);
    if (!root.ok())
        return false;
    OpenKey key;
    return RegOpenKeyExA(root.get(), sectionKey_.c_str(), 0, KEY_QUERY_VALUE, key.out()) == ERROR_SUCCESS;
}

bool cRegistry::CreateKey()
{
    Root root(classKey_, machine_);
    OpenKey key;
    DWORD disposition = 0;
    if (!root.ok() ||
        RegCreateKeyExA(root.get(), sectionKey_.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, kAllAccess, nullptr,
                        key.out(), &disposition) != ERROR_SUCCESS)
        throw QlError(kErrRegistry, kSource, "Failed to create registry Key: '" + sectionKey_);
    return true;
}

bool cRegistry::DeleteKey()
{
    Root root(classKey_, machine_);
    if (!root.ok() || RegDeleteKeyA(root.get(), sectionKey_.c_str()) != ERROR_SUCCESS)
        throw QlError(kErrRegistry, kSource,
                      "Failed to delete registry Key: '" + Quote(classKey_) + "',Section: '" + sectionKey_);
    return true;
}

bool cRegistry::DeleteValue()
{
    Root root(classKey_, machine_);
    OpenKey key;
    if (!root.ok() || RegOpenKeyExA(root.get(), sectionKey_.c_str(), 0, kAllAccess, key.out()) != ERROR_SUCCESS)
        throw QlError(kErrRegistry, kSource,
                      "Failed to open key '" + Quote(classKey_) + "',Section: '" + sectionKey_ + "' for delete access");
    if (RegDeleteValueA(key.get(), valueKey_.c_str()) != ERROR_SUCCESS)
        throw QlError(kErrRegistry, kSource,
                      "Failed to delete registry Key: '" + Quote(classKey_) + "',Section: '" + sectionKey_ +
                          "',Key: '" + valueKey_);
    return true;
}

RegValue cRegistry::Value()
{
    Root root(classKey_, machine_);
    if (!root.ok())
        return default_;
    OpenKey key;
    if (RegOpenKeyExA(root.get(), sectionKey_.c_str(), 0, KEY_QUERY_VALUE, key.out()) != ERROR_SUCCESS)
        return default_;

    DWORD type = 0, size = 0;
    LONG rc = RegQueryValueExA(key.get(), valueKey_.c_str(), nullptr, &type, nullptr, &size);
    if (rc != ERROR_SUCCESS && rc != ERROR_MORE_DATA)
        return default_;

    // The value may grow between the size query and the read: ask again until it fits.
    std::vector<uint8_t> data;
    for (int attempt = 0;; ++attempt) {
        data.assign(size + 2, 0);
        DWORD got = size;
        rc = RegQueryValueExA(key.get(), valueKey_.c_str(), nullptr, &type, data.data(), &got);
        if (rc == ERROR_SUCCESS) {
            data.resize(got);
            break;
        }
        if (rc != ERROR_MORE_DATA || attempt >= 8)
            return default_;
        size = std::max<DWORD>(got, size * 2 + 16);
    }
    valueType_ = static_cast<int32_t>(type);

    const char* text = reinterpret_cast<const char*>(data.data());
    switch (type) {
    case REG_SZ:
        return CutAtNul(text, data.size());
    case REG_EXPAND_SZ:
        return ExpandEnvironment(CutAtNul(text, data.size()));
    case REG_MULTI_SZ: {
        std::size_t n = data.size();
        if (n > 0 && data[n - 1] == 0)
            --n;
        return std::string(text, n);
    }
    case REG_DWORD:
        return Dword(data, false);
    case REG_DWORD_BIG_ENDIAN:
        return Dword(data, true);
    default:
        return data;
    }
}

void cRegistry::Value(const RegValue& value)
{
    const std::string valueText = std::holds_alternative<std::vector<uint8_t>>(value)
        ? std::string(std::get<std::vector<uint8_t>>(value).begin(), std::get<std::vector<uint8_t>>(value).end())
        : RegValueText(value);
    auto writeError = [&] {
        return QlError(kErrRegistryWrite, kSource,
                       "Failed to set registry value Key: '" + Quote(classKey_) + "',Section: '" + sectionKey_ +
                           "',Key: '" + valueKey_ + "' to value: '" + valueText + "'");
    };

    Root root(classKey_, machine_);
    OpenKey key;
    DWORD disposition = 0;
    if (!root.ok() ||
        RegCreateKeyExA(root.get(), sectionKey_.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, kAllAccess, nullptr,
                        key.out(), &disposition) != ERROR_SUCCESS) {
        QlError e = writeError();
        e.Number = kErrRegistry;
        throw e;
    }

    LONG rc = ERROR_SUCCESS;
    switch (valueType_) {
    case kRegSz:
    case kRegExpandSz:
        rc = RegSetValueExA(key.get(), valueKey_.c_str(), 0, valueType_ == kRegSz ? REG_SZ : REG_EXPAND_SZ,
                            reinterpret_cast<const BYTE*>(valueText.c_str()), static_cast<DWORD>(valueText.size() + 1));
        break;
    case kRegBinary: {
        auto bytes = std::get_if<std::vector<uint8_t>>(&value);
        if (!bytes)
            throw QlError(kErrRegistry, "", "");
        rc = RegSetValueExA(key.get(), valueKey_.c_str(), 0, REG_BINARY, bytes->empty() ? nullptr : bytes->data(),
                            static_cast<DWORD>(bytes->size()));
        break;
    }
    case kRegDword:
    case kRegDwordBigEndian: {
        auto number = std::get_if<int32_t>(&value);
        if (!number)
            break;  // only an integer is written; anything else leaves the value as it was
        uint32_t v = static_cast<uint32_t>(*number);
        BYTE bytes[4];
        for (int i = 0; i < 4; ++i)
            bytes[i] = static_cast<BYTE>(valueType_ == kRegDword ? (v >> (8 * i)) : (v >> (8 * (3 - i))));
        rc = RegSetValueExA(key.get(), valueKey_.c_str(), 0,
                            valueType_ == kRegDword ? REG_DWORD : REG_DWORD_BIG_ENDIAN, bytes, 4);
        break;
    }
    default:
        rc = 13;  // type mismatch
        break;
    }
    if (rc != ERROR_SUCCESS)
        throw writeError();
    lastWritten_ = value;
}

bool cRegistry::EnumerateValues(std::vector<std::string>& names, int32_t& count)
{
    names.clear();
    count = 0;
    Root root(classKey_, machine_);
    if (!root.ok())
        return true;
    OpenKey key;
    LONG rc = RegOpenKeyExA(root.get(), sectionKey_.c_str(), 0, KEY_QUERY_VALUE, key.out());
    if (rc != ERROR_SUCCESS) {
        if (rc != ERROR_FILE_NOT_FOUND && rc != ERROR_PATH_NOT_FOUND)
            modMain::LogError("cRegistry: EnumerateValues", static_cast<int32_t>(rc),
                              "Failed to open key '" + sectionKey_ + "'");
        return true;
    }
    DWORD longest = 0;
    if (RegQueryInfoKeyA(key.get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &longest,
                         nullptr, nullptr, nullptr) != ERROR_SUCCESS)
        longest = 255;
    std::vector<char> buf(g_firstNameBuffer ? g_firstNameBuffer : longest + 1);
    constexpr std::size_t kMaxName = 1u << 16;
    for (DWORD index = 0;;) {
        DWORD len = static_cast<DWORD>(buf.size());
        rc = RegEnumValueA(key.get(), index, buf.data(), &len, nullptr, nullptr, nullptr, nullptr);
        if (rc == ERROR_SUCCESS) {
            names.emplace_back(buf.data(), std::min<std::size_t>(len, buf.size()));
            ++count;
            ++index;
        } else if (rc == ERROR_MORE_DATA && buf.size() < kMaxName) {
            buf.assign(buf.size() * 2 + 16, '\0');  // the same index again, with room
        } else if (rc == ERROR_NO_MORE_ITEMS) {
            return true;
        } else {
            modMain::LogError("cRegistry: EnumerateValues", static_cast<int32_t>(rc),
                              "Failed to enumerate value " + std::to_string(index) + " of key '" + sectionKey_ + "'");
            return false;
        }
    }
}

bool cRegistry::EnumerateSections(std::vector<std::string>& names, int32_t& count)
{
    names.clear();
    count = 0;
    Root root(classKey_, machine_);
    if (!root.ok())
        return true;
    OpenKey key;
    if (RegOpenKeyExA(root.get(), sectionKey_.c_str(), 0, KEY_ENUMERATE_SUB_KEYS, key.out()) != ERROR_SUCCESS)
        return true;
    char buf[256];
    for (DWORD index = 0;; ++index) {
        LONG rc = RegEnumKeyA(key.get(), index, buf, sizeof buf);
        if (rc == ERROR_NO_MORE_ITEMS)
            return true;
        if (rc != ERROR_SUCCESS) {
            key.Close();
            throw QlError(kErrRegistryEnumKeys, kSource,
                          "Failed to enumerate subkey " + std::to_string(index) + " of '" + sectionKey_ +
                              "' (error " + std::to_string(rc) + ")");
        }
        names.push_back(CutAtNul(buf, sizeof buf));
        ++count;
    }
}

RegValue cRegistry::ValueEx(int32_t classKey, const std::string& sectionKey, const std::string& valueKey,
                            int32_t valueType, const RegValue& defaultValue)
{
    classKey_ = classKey;
    sectionKey_ = sectionKey;
    valueKey_ = valueKey;
    valueType_ = valueType;
    default_ = defaultValue;
    return Value();
}

void cRegistry::ValueEx(int32_t classKey, const std::string& sectionKey, const std::string& valueKey,
                        int32_t valueType, const RegValue& defaultValue, const RegValue& value)
{
    classKey_ = classKey;
    sectionKey_ = sectionKey;
    valueKey_ = valueKey;
    valueType_ = valueType;
    default_ = defaultValue;
    if (valueType == kRegSz && RegValueText(value).empty())
        Value(defaultValue);
    else
        Value(value);
}
