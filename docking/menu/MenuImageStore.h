#pragma once
// Images beside menu items: while a popup is open its items become owner-drawn items that carry
// a record of this store; the store measures and draws them and turns them back afterwards.
// With no image loaded nothing is touched.
#include <windows.h>
#include <ocidl.h>
#include <olectl.h>

#include <cstdint>
#include <string>
#include <unordered_set>
#include <vector>

struct MenuItemRecord {
    uint32_t zero = 0;
    uint32_t signature = 0x32336265;
    char text[60] = {};
    uint32_t type = 0;
    int32_t image = -1;
};

class CMenuImageStore {
public:
    CMenuImageStore();
    ~CMenuImageStore();
    CMenuImageStore(const CMenuImageStore&) = delete;
    CMenuImageStore& operator=(const CMenuImageStore&) = delete;

    void SetImageIndex(const std::string& title, long index);
    // Reads the images of a common-controls image list object.
    void LoadImageList(IDispatch* list);
    // Images handed over directly (tests, hosts without an image list object).
    void AddImage(IPicture* picture);
    void SetImageSize(int width, int height, COLORREF mask);

    void OnInitMenuPopup(HMENU menu, int position, bool isSystemMenu);
    void OnMenuSelect(UINT item, UINT flags, HMENU menu);
    int OnMeasureItem(MEASUREITEMSTRUCT* mis, HWND host);
    int OnDrawItem(const DRAWITEMSTRUCT* dis);
    LRESULT OnMenuChar(char ch, UINT flags, HMENU menu);

    int LookupImageIndex(const char* text) const;
    void ConvertMenu(HMENU menu, bool isSystemMenu, bool toOwnerDraw);
    // Whether item data is a record this store made; other owners' data is never read.
    bool IsOwnRecord(ULONG_PTR data) const;
    int ImageCount() const { return m_imageCount; }
    size_t RecordCount() const { return m_records.size(); }

    // Called when a popup opens or the whole menu closes (tracked pane popups stay open meanwhile).
    void (*m_onMenuOpen)(bool open) = nullptr;

private:
    struct ImageEntry {
        IPicture* picture = nullptr;
        short type = -1;
    };
    struct TitleEntry {
        int image;
        std::string title;
    };
    void ReleaseImages();
    HFONT MenuFont();
    void DrawImage(HDC dc, int index, int x, int y, bool disabled);

    HFONT m_menuFont = nullptr;
    int m_cellWidth = 16, m_cellHeight = 16;
    int m_imageWidth = 16, m_imageHeight = 16;
    int m_drawDisabledImages = 1;
    std::vector<ImageEntry> m_images;
    std::vector<TitleEntry> m_titles;
    std::vector<HMENU> m_convertedMenus;
    int m_imageCount = 0;
    COLORREF m_maskColor = RGB(192, 192, 192);
    std::vector<HMENU> m_openMenus;
    std::unordered_set<ULONG_PTR> m_records;
};
