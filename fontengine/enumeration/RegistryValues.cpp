#include "fontengine/enumeration/RegistryValues.h"

namespace qlEnumeration {

std::vector<RegistryValue> ReadValues(HKEY root, const std::string& path)
{
    std::vector<RegistryValue> out;
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return out;
    DWORD count = 0, maxName = 0, maxData = 0;
    if (RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &count, &maxName, &maxData,
                         nullptr, nullptr) == ERROR_SUCCESS) {
        out.reserve(count);
        std::vector<char> name(maxName + 2), data(maxData + 2);
        for (DWORD i = 0;;) {
            DWORD nameLen = static_cast<DWORD>(name.size());
            DWORD dataLen = static_cast<DWORD>(data.size());
            DWORD type = 0;
            LONG rc = RegEnumValueA(key, i, name.data(), &nameLen, nullptr, &type,
                                    reinterpret_cast<BYTE*>(data.data()), &dataLen);
            if (rc == ERROR_NO_MORE_ITEMS)
                break;
            if (rc == ERROR_MORE_DATA) {  // the key changed while it was read
                name.resize(name.size() * 2 + MAX_PATH);
                data.resize(data.size() * 2 + MAX_PATH);
                continue;
            }
            ++i;
            if (rc != ERROR_SUCCESS)
                continue;
            RegistryValue v;
            v.name.assign(name.data(), nameLen);
            v.type = type;
            if (type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ) {
                v.data.assign(data.data(), dataLen);
                while (!v.data.empty() && v.data.back() == '\0')
                    v.data.pop_back();
                if (type != REG_MULTI_SZ)
                    v.data = v.data.substr(0, v.data.find('\0'));
            }
            out.push_back(std::move(v));
        }
    }
    RegCloseKey(key);
    return out;
}

}  // namespace qlEnumeration
