#pragma once
// A picture the DockFrame control keeps in its stored data: a packed palette bitmap split into
// its header part (header and full colour table) and its pixel part.
#include <windows.h>
#include <ocidl.h>
#include <olectl.h>

#include <cstdint>
#include <vector>

class CImageItem {
public:
    CImageItem();
    virtual void Draw(HDC dc, bool stretch, POINT position, int width, int height);
    virtual ~CImageItem();
    CImageItem(const CImageItem&) = delete;
    CImageItem& operator=(const CImageItem&) = delete;

    // Refuses (false, nothing kept) anything but a whole 1, 4 or 8 bit bitmap.
    bool SetPackedDib(const uint8_t* bytes, size_t size);

    PICTDESC m_desc;
    IPicture* m_pPicture = nullptr;
    std::vector<uint8_t> m_header;
    std::vector<uint8_t> m_bits;
    int32_t m_totalSize = 0;
    int32_t m_headerSize = 0;

    // Largest stored picture accepted.
    static constexpr size_t kMaxSize = 4 * 1024 * 1024;
};
