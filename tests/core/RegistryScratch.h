#pragma once
// A throw-away key under HKCU\Software\QlTest, deleted with everything below it at the
// end of the test.
#include <windows.h>
#include <shlwapi.h>

#include <atomic>
#include <string>

namespace ql::test {

class ScratchKey {
public:
    explicit ScratchKey(const std::string& hint)
    {
        static std::atomic<int> counter{0};
        path_ = "Software\\QlTest\\" + hint + "-" + std::to_string(GetCurrentProcessId()) + "-" +
                std::to_string(counter++);
        SHDeleteKeyA(HKEY_CURRENT_USER, path_.c_str());
    }
    ~ScratchKey() { SHDeleteKeyA(HKEY_CURRENT_USER, path_.c_str()); }
    ScratchKey(const ScratchKey&) = delete;
    ScratchKey& operator=(const ScratchKey&) = delete;

    const std::string& Path() const { return path_; }
    std::string Sub(const std::string& name) const { return path_ + "\\" + name; }

    // Writes raw data of any type (the key is created when missing).
    bool Put(const std::string& name, DWORD type, const void* data, DWORD size, const std::string& sub = {}) const
    {
        HKEY h = nullptr;
        std::string key = sub.empty() ? path_ : Sub(sub);
        if (RegCreateKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &h, nullptr) !=
            ERROR_SUCCESS)
            return false;
        LONG rc = RegSetValueExA(h, name.c_str(), 0, type, static_cast<const BYTE*>(data), size);
        RegCloseKey(h);
        return rc == ERROR_SUCCESS;
    }
    bool PutText(const std::string& name, const std::string& text, DWORD type = REG_SZ, bool withNul = true) const
    {
        return Put(name, type, text.c_str(), static_cast<DWORD>(text.size() + (withNul ? 1 : 0)));
    }
    bool PutDword(const std::string& name, DWORD v) const { return Put(name, REG_DWORD, &v, 4); }

    // The raw type and bytes of a value; false when missing.
    bool Get(const std::string& name, DWORD& type, std::string& bytes) const
    {
        HKEY h = nullptr;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, path_.c_str(), 0, KEY_QUERY_VALUE, &h) != ERROR_SUCCESS)
            return false;
        DWORD size = 0;
        LONG rc = RegQueryValueExA(h, name.c_str(), nullptr, &type, nullptr, &size);
        bytes.assign(size, '\0');
        if (rc == ERROR_SUCCESS && size)
            rc = RegQueryValueExA(h, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(bytes.data()), &size);
        RegCloseKey(h);
        return rc == ERROR_SUCCESS;
    }

private:
    std::string path_;
};

}  // namespace ql::test
