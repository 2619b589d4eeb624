#pragma once
// An image list: images by key or by 1-based index, over a comctl32 image list.
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "platform/forms/Component.h"

namespace platform::forms {

class ImageList : public Component {
public:
    ImageList(Form& form, std::string name, int index = -1) : Component(form, std::move(name), index) {}
    ~ImageList() override;

    // Design: image size in pixels (before the first image).
    void ImageSize(int width, int height);
    int ImageWidth() const { return w_; }
    int ImageHeight() const { return h_; }
    // Adds an icon (copied); returns its 1-based index. A key already in use is an error.
    int AddIcon(const std::string& key, HICON icon);
    // Adds a bitmap (copied, masked by colour); returns its 1-based index.
    int AddBitmap(const std::string& key, HBITMAP bitmap, COLORREF mask = CLR_NONE);
    int Count() const { return static_cast<int>(keys_.size()); }
    // 1-based index of a key (exact), 0 when missing.
    int IndexOf(const std::string& key) const;
    const std::string& KeyOf(int index) const;
    // A new icon of an image (the caller destroys it); nullptr for a bad index.
    HICON ExtractIcon(int index) const;
    HIMAGELIST Handle();

protected:
    void Create() override {}

private:
    void Ensure();
    HIMAGELIST list_ = nullptr;
    int w_ = 16, h_ = 16;
    std::vector<std::string> keys_;
};

}  // namespace platform::forms
