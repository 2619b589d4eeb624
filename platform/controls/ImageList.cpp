#include "platform/controls/ImageList.h"

#include "platform/QlError.h"

namespace platform::forms {

ImageList::~ImageList()
{
    if (list_)
        ImageList_Destroy(list_);
}

void ImageList::ImageSize(int width, int height)
{
    if (list_ && !keys_.empty())
        throw QlError(35611, Name(), "Property is read-only if image list contains images");
    if (list_) {
        ImageList_Destroy(list_);
        list_ = nullptr;
    }
    w_ = width;
    h_ = height;
}

void ImageList::Ensure()
{
    if (!list_)
        list_ = ImageList_Create(w_, h_, ILC_COLOR32 | ILC_MASK, 8, 8);
}

HIMAGELIST ImageList::Handle()
{
    Ensure();
    return list_;
}

int ImageList::AddIcon(const std::string& key, HICON icon)
{
    if (!key.empty() && IndexOf(key))
        throw QlError(35602, Name(), "Key is not unique in collection");
    Ensure();
    if (ImageList_AddIcon(list_, icon) < 0)
        throw QlError(35613, Name(), "cannot add the image");
    keys_.push_back(key);
    return Count();
}

int ImageList::AddBitmap(const std::string& key, HBITMAP bitmap, COLORREF mask)
{
    if (!key.empty() && IndexOf(key))
        throw QlError(35602, Name(), "Key is not unique in collection");
    Ensure();
    int r = mask == CLR_NONE ? ImageList_Add(list_, bitmap, nullptr) : ImageList_AddMasked(list_, bitmap, mask);
    if (r < 0)
        throw QlError(35613, Name(), "cannot add the image");
    keys_.push_back(key);
    return Count();
}

int ImageList::IndexOf(const std::string& key) const
{
    for (size_t i = 0; i < keys_.size(); ++i)
        if (keys_[i] == key)
            return static_cast<int>(i) + 1;
    return 0;
}

const std::string& ImageList::KeyOf(int index) const
{
    static const std::string none;
    return index >= 1 && index <= Count() ? keys_[static_cast<size_t>(index - 1)] : none;
}

HICON ImageList::ExtractIcon(int index) const
{
    if (!list_ || index < 1 || index > Count())
        return nullptr;
    return ImageList_GetIcon(list_, index - 1, ILD_NORMAL);
}

}  // namespace platform::forms
