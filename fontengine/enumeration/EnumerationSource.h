#pragma once
// Where the enumeration reads the installed fonts: the model root's two keys under
// HKEY_LOCAL_MACHINE and its Fonts folder, unless a caller points it elsewhere.
#include <windows.h>

#include <string>

class qlMain;

namespace qlEnumeration {

struct Source {
    HKEY root = HKEY_LOCAL_MACHINE;
    std::string fontsKey;
    std::string type1Key;
    std::string fontFolder;  // with a trailing backslash
};

// nullptr restores the model root's keys.
void SetSourceOverride(const Source* source);
// Throws QlError when there is neither an override nor a model root.
Source SourceFor(const qlMain* root);

}  // namespace qlEnumeration
