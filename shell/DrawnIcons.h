#pragma once
// Small pictures drawn at run time (the program ships no picture files): a rounded
// square in a colour of the key with the key's first letter, and two pictures of the
// removal queue ("Empty": an outlined tray, "Full": a filled red tray).
#include <windows.h>

#include <string>

namespace DrawnIcons {

// The icon for a key at a size in pixels; made once and kept for the process's life.
HICON Get(const std::string& key, int size = 16);

}  // namespace DrawnIcons
