#pragma once
// One pass over a key's values, names and data together: the font keys hold
// thousands of values, and reading each one by name would open the key every time.
#include <windows.h>

#include <string>
#include <vector>

namespace qlEnumeration {

struct RegistryValue {
    std::string name;
    // The data as text: a string value without its trailing NULs; a multi-string
    // value with its parts separated by NUL characters.
    std::string data;
    DWORD type = 0;
};

// Empty when the key cannot be opened.
std::vector<RegistryValue> ReadValues(HKEY root, const std::string& path);

}  // namespace qlEnumeration
