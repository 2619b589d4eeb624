#pragma once
// Pictures beside the items of a window's menus. Attach it to the window, give it the
// image list, switch it on, give it its two colours (text and background of the menu)
// and then, per item, the item's caption and the zero-based index of its picture; the
// items are found by their caption (the text before the tab) and drawn by the owner.
#include <windows.h>
#include <commctrl.h>

#include <map>
#include <string>

class MenuImages {
public:
    MenuImages() = default;
    ~MenuImages();
    MenuImages(const MenuImages&) = delete;
    MenuImages& operator=(const MenuImages&) = delete;

    void Attach(HWND window);
    void ImageList(HIMAGELIST images);
    void Enable(bool on);
    void Colours(COLORREF text, COLORREF background);
    void AddImage(const std::string& caption, int index);

    // The picture for a caption (-1 for none).
    int ImageOf(const std::string& caption) const;
    HWND Window() const { return hwnd_; }

private:
    static LRESULT CALLBACK Proc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
    LRESULT Handle(HWND, UINT, WPARAM, LPARAM, bool& handled);
    void PrepareMenu(HMENU menu);
    void Detach();

    HWND hwnd_ = nullptr;
    HIMAGELIST images_ = nullptr;
    bool enabled_ = false;
    COLORREF text_ = 0, back_ = RGB(255, 255, 255);
    std::map<std::string, int> byCaption_;
    std::map<UINT, std::string> ownerDrawn_;  // command id -> item text
};
