#include "scripts/tools/ScreenShot.h"

#include <windows.h>

#include <vector>

#include "platform/ScopedWin.h"
#include "scripts/tools/PngFile.h"

namespace qlprobe {

bool SaveScreen(const std::string& path, std::string& error)
{
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    platform::WindowDC screen(nullptr);
    if (!screen || width <= 0 || height <= 0) {
        error = "the screen cannot be read";
        return false;
    }
    platform::OwnedDC memory(CreateCompatibleDC(screen.Get()));
    platform::GdiObject<HBITMAP> bitmap(CreateCompatibleBitmap(screen.Get(), width, height));
    if (!memory || !bitmap) {
        error = "no memory for a picture of the screen";
        return false;
    }
    {
        platform::Selection selected(memory.Get(), bitmap.Get());
        if (!BitBlt(memory.Get(), 0, 0, width, height, screen.Get(), 0, 0, SRCCOPY)) {
            error = "the screen cannot be copied";
            return false;
        }
    }
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    std::vector<uint8_t> bgrx(static_cast<size_t>(width) * static_cast<size_t>(height) * 4);
    if (GetDIBits(memory.Get(), bitmap.Get(), 0, static_cast<UINT>(height), bgrx.data(), &info, DIB_RGB_COLORS) !=
        height) {
        error = "the picture of the screen cannot be read back";
        return false;
    }
    std::vector<uint8_t> rgb(static_cast<size_t>(width) * static_cast<size_t>(height) * 3);
    for (size_t i = 0, o = 0; i < bgrx.size(); i += 4, o += 3) {
        rgb[o] = bgrx[i + 2];
        rgb[o + 1] = bgrx[i + 1];
        rgb[o + 2] = bgrx[i];
    }
    if (!WritePng(path, width, height, rgb)) {
        error = "cannot write " + path;
        return false;
    }
    return true;
}

}  // namespace qlprobe
