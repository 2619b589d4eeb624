#pragma once
// Writes an 8-bit RGB image as a PNG file (one IDAT, no filtering: the pictures are small).
#include <cstdint>
#include <string>
#include <vector>

namespace qlprobe {

// rgb holds height rows of width * 3 bytes, top row first. False when the file cannot be written.
bool WritePng(const std::string& path, int width, int height, const std::vector<uint8_t>& rgb);

}  // namespace qlprobe
