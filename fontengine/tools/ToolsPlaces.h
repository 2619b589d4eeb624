#pragma once
// Where the tools find the Windows font registration, and the clock that names the
// archives. Tests point both elsewhere.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

class qlMain;

namespace qlToolsPlaces {

struct Registration {
    int32_t classKey = 0;     // cRegistry root constant
    std::string fontsKey;     // path below the root
    std::string fontFolder;   // with a trailing backslash; bare value data live here
};

// HKEY_LOCAL_MACHINE, the root's Fonts key and Fonts folder, unless overridden.
// Throws QlError without a root.
Registration For(const qlMain* root);
// nullptr restores the root's places.
void SetOverride(const Registration* registration);

// The local time; an empty function restores the system clock.
SYSTEMTIME Now();
void SetClock(std::function<SYSTEMTIME()> clock);

}  // namespace qlToolsPlaces
