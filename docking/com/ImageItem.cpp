#include "docking/com/ImageItem.h"

#include "docking/framework/DrawHelpers.h"

#include <cstring>

CImageItem::CImageItem()
{
    std::memset(&m_desc, 0, sizeof(m_desc));
}

CImageItem::~CImageItem()
{
    if (m_pPicture) {
        m_pPicture->Release();
    } else if (m_desc.picType == PICTYPE_BITMAP && m_desc.bmp.hbitmap) {
        DeleteObject(m_desc.bmp.hbitmap);
    } else if (m_desc.picType == PICTYPE_ICON && m_desc.icon.hicon) {
        DestroyIcon(m_desc.icon.hicon);
    }
}

bool CImageItem::SetPackedDib(const uint8_t* bytes, size_t size)
{
    if (!bytes || size < sizeof(BITMAPINFOHEADER) || size > kMaxSize)
        return false;
    BITMAPINFOHEADER h;
    std::memcpy(&h, bytes, sizeof(h));
    const int bits = bytes[14];
    if (h.biSize != sizeof(BITMAPINFOHEADER) || (bits != 1 && bits != 4 && bits != 8) || h.biPlanes != 1 ||
        h.biCompression != BI_RGB || h.biWidth <= 0 || h.biWidth > 8192 || h.biHeight == 0 ||
        h.biHeight > 8192 || h.biHeight < -8192)
        return false;
    const size_t headerSize = 40 + 4 * (size_t(1) << bits);
    const size_t stride = ((static_cast<size_t>(h.biWidth) * bits + 31) / 32) * 4;
    const size_t rows = static_cast<size_t>(h.biHeight < 0 ? -h.biHeight : h.biHeight);
    if (headerSize > size || size - headerSize < stride * rows)
        return false;
    m_header.assign(bytes, bytes + headerSize);
    m_bits.assign(bytes + headerSize, bytes + size);
    m_totalSize = static_cast<int32_t>(size);
    m_headerSize = static_cast<int32_t>(headerSize);
    return true;
}

void CImageItem::Draw(HDC dc, bool stretch, POINT position, int width, int height)
{
    if (m_header.empty() || !dc)
        return;
    const auto* info = reinterpret_cast<const BITMAPINFO*>(m_header.data());
    const int w = info->bmiHeader.biWidth;
    const int h = info->bmiHeader.biHeight < 0 ? -info->bmiHeader.biHeight : info->bmiHeader.biHeight;
    HBITMAP bitmap = CreateCompatibleBitmap(dc, w, h);
    if (!bitmap)
        return;
    SetDIBits(dc, bitmap, 0, h, m_bits.data(), info, DIB_RGB_COLORS);
    const COLORREF transparent = RGB(192, 192, 192);
    if (!stretch) {
        DrawTransparentBitmap(dc, false, position.x, position.y, w, h, bitmap, transparent);
    } else if (width > 0 && height > 0) {
        HDC src = CreateCompatibleDC(dc), dst = CreateCompatibleDC(dc);
        HBITMAP scaled = CreateCompatibleBitmap(dc, width, height);
        HGDIOBJ oldSrc = SelectObject(src, bitmap), oldDst = SelectObject(dst, scaled);
        SetStretchBltMode(dst, COLORONCOLOR);
        SetBrushOrgEx(dst, 0, 0, nullptr);
        StretchBlt(dst, 0, 0, width, height, src, 0, 0, w, h, SRCCOPY);
        SelectObject(src, oldSrc);
        SelectObject(dst, oldDst);
        DeleteDC(src);
        DeleteDC(dst);
        DrawTransparentBitmap(dc, false, position.x, position.y, width, height, scaled, transparent);
        DeleteObject(scaled);
    }
    DeleteObject(bitmap);
}
