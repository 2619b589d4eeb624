#pragma once
// Asks the Windows font mapper whether it knows a face under exactly that name.
#include <string>

namespace fontengine {

// True when the mapper resolves the face name (cut to the 31 characters GDI keeps)
// to a font of that very name, letter case included.
bool IsFaceKnown(const std::string& faceName);

// The face name cut to the 31 bytes that fit a LOGFONT with its terminating NUL.
std::string CutFaceNameAnsi(const std::string& faceName);

}  // namespace fontengine
