#include "scripts/tools/ScreenShot.h"

#include <windows.h>

#include <vector>

#include "scripts/tools/PngFile.h"

namespace qlprobe {

namespace {

struct ScreenDC {
    HDC dc = GetDC(nullptr);
    ~ScreenDC() { if (dc) ReleaseDC(nullptr, dc); }
};

struct MemoryDC {
    HDC dc;
    explicit MemoryDC(HDC like) : dc(CreateCompatibleDC(like)) {}
    ~MemoryDC() { if (dc) DeleteDC(dc); }
};

struct Bitmap {
    HBITMAP bitmap;
    Bitmap(HDC like, int w, int h) : bitmap(CreateCompatibleBitmap(like, w, h)) {}
    ~Bitmap() { if (bitmap) DeleteObject(bitmap); }
};

struct Selected {
    HDC dc;
    HGDIOBJ old;
    Selected(HDC d, HGDIOBJ obj) : dc(d), old(SelectObject(d, obj)) {}
    ~Selected() { SelectObject(dc, old); }
};

}  // namespace

bool SaveScreen(const std::string& path, std::string& error)
{
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    ScreenDC screen;
    if (!screen.dc || width <= 0 || height <= 0) {
        error = "the screen cannot be read";
        return false;
    }
    MemoryDC memory(screen.dc);
    Bitmap bitmap(screen.dc, width, height);
    if (!memory.dc || !bitmap.bitmap) {
        error = "no memory for a picture of the screen";
        return false;
    }
    {
        Selected sel(memory.dc, bitmap.bitmap);
        if (!BitBlt(memory.dc, 0, 0, width, height, screen.dc, 0, 0, SRCCOPY)) {
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
    if (GetDIBits(memory.dc, bitmap.bitmap, 0, static_cast<UINT>(height), bgrx.data(), &info, DIB_RGB_COLORS) !=
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
