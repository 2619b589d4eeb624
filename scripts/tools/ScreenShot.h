#pragma once
// A picture of the whole screen (the virtual display under Xvfb) saved as PNG.
#include <string>

namespace qlprobe {

// False, with the reason in error, when the screen cannot be read or the file written.
bool SaveScreen(const std::string& path, std::string& error);

}  // namespace qlprobe
