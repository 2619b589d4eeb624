#pragma once
// The Fonts key as the installer uses it: values are written with their terminating
// NUL and found by their data (the file), so one member of a family never touches
// another member's registration.
#include <windows.h>

#include <string>
#include <vector>

#include "fontengine/install/InstallEnvironment.h"

namespace qlInstall {

struct FontValue {
    std::string name;
    std::string data;
};

class FontsKey {
public:
    // Opens (creating when missing) the key; throws QlError when that fails.
    explicit FontsKey(const FontsKeyLocation& where);
    ~FontsKey();
    FontsKey(const FontsKey&) = delete;
    FontsKey& operator=(const FontsKey&) = delete;

    bool Write(const std::string& name, const std::string& data);
    // ERROR_SUCCESS, ERROR_FILE_NOT_FOUND or the failure's code.
    LONG Delete(const std::string& name);
    // Every string value; a value that cannot be read is left out.
    std::vector<FontValue> Values() const;

private:
    HKEY key_ = nullptr;
};

// The full path a value's data names: a bare file name lives in the Fonts folder.
std::string ResolveFontPath(const std::string& data, const std::string& fontsFolder);
// Whether two paths name the same file (full paths, letter case ignored).
bool SamePath(const std::string& a, const std::string& b);
bool SameFolder(const std::string& a, const std::string& b);

// The values whose data names the file.
std::vector<FontValue> ValuesForFile(const std::vector<FontValue>& values, const std::string& fontsFolder,
                                     const std::string& filePath);

}  // namespace qlInstall
