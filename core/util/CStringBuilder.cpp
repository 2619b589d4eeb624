#include "core/util/CStringBuilder.h"

#include <cstring>

#include "platform/QlError.h"
#include "platform/AnsiText.h"

namespace {
constexpr const char* kOutOfRange = "Argument(s) out of range.";
}

CStringBuilder::CStringBuilder() : main_(2048, 0), spare_(2048, 0) {}

void CStringBuilder::SetBufferBump(int32_t bytes)
{
    if (bytes < 1)
        return;
    if (bytes % 2)
        ++bytes;
    bump_ = bytes;
}

void CStringBuilder::SetCapacity(int32_t bytes)
{
    if (bytes < 1)
        return;
    int64_t rounded = (static_cast<int64_t>(bytes) + bump_ - 1) / bump_ * bump_;
    main_.resize(static_cast<size_t>(rounded), 0);
    spare_.assign(static_cast<size_t>(rounded), 0);
    if (length_ > rounded)
        length_ = static_cast<int32_t>(rounded);
}

int32_t CStringBuilder::EnsureCapacity(int32_t bytes)
{
    if (bytes > Capacity())
        SetCapacity(bytes);
    return Capacity();
}

void CStringBuilder::Grow(int32_t neededBytes)
{
    if (neededBytes > Capacity())
        SetCapacity(neededBytes);
}

char16_t CStringBuilder::At(int32_t i) const
{
    return static_cast<char16_t>(main_[static_cast<size_t>(i) * 2] | (main_[static_cast<size_t>(i) * 2 + 1] << 8));
}

void CStringBuilder::Put(std::vector<uint8_t>& buf, int32_t i, char16_t c)
{
    buf[static_cast<size_t>(i) * 2] = static_cast<uint8_t>(c & 0xFF);
    buf[static_cast<size_t>(i) * 2 + 1] = static_cast<uint8_t>(c >> 8);
}

int32_t CStringBuilder::Chars(int32_t position) const
{
    if (position < 0 || position >= Length())
        throw QlError(kError, "cStringBuilder.Chars", "Tried reading character past end of buffer.");
    return At(position);
}

void CStringBuilder::SetChars(int32_t position, int32_t character)
{
    if (position < 0 || position >= Length())
        throw QlError(kError, "cStringBuilder.Chars", "Tried assigning character past end of buffer.");
    Put(main_, position, static_cast<char16_t>(character));
}

void CStringBuilder::SetLength(int32_t characters)
{
    if (characters < 0)
        return;
    int32_t bytes = characters * 2;
    Grow(bytes);
    // Characters past the old end read as zero, never as left-overs of removed text.
    if (bytes > length_)
        std::memset(main_.data() + length_, 0, static_cast<size_t>(bytes - length_));
    length_ = bytes;
}

CStringBuilder& CStringBuilder::Append(std::string_view newText)
{
    if (newText.empty())
        return *this;
    std::u16string wide = platform::FromAnsi(newText);
    int32_t start = Length();
    Grow(length_ + static_cast<int32_t>(wide.size()) * 2);
    for (size_t i = 0; i < wide.size(); ++i)
        Put(main_, start + static_cast<int32_t>(i), wide[i]);
    length_ += static_cast<int32_t>(wide.size()) * 2;
    return *this;
}

CStringBuilder& CStringBuilder::Insert(int32_t startIndex, std::string_view newText)
{
    if (startIndex < 0 || startIndex > Length())
        throw QlError(kError, "cStringBuilder.Insert", kOutOfRange);
    std::u16string wide = platform::FromAnsi(newText);
    if (wide.empty())
        return *this;
    int32_t add = static_cast<int32_t>(wide.size()) * 2;
    Grow(length_ + add);
    // Before, new text, rest go into the spare buffer; then the buffers swap roles.
    int32_t before = startIndex * 2;
    std::memcpy(spare_.data(), main_.data(), static_cast<size_t>(before));
    for (size_t i = 0; i < wide.size(); ++i)
        Put(spare_, startIndex + static_cast<int32_t>(i), wide[i]);
    std::memcpy(spare_.data() + before + add, main_.data() + before, static_cast<size_t>(length_ - before));
    main_.swap(spare_);
    length_ += add;
    return *this;
}

CStringBuilder& CStringBuilder::Remove(int32_t startIndex, int32_t length)
{
    if (startIndex < 0 || length < 0 || static_cast<int64_t>(startIndex) + length > Length())
        throw QlError(kError, "cStringBuilder.Remove", kOutOfRange);
    if (length == 0)
        return *this;
    int32_t from = (startIndex + length) * 2;
    std::memmove(main_.data() + startIndex * 2, main_.data() + from, static_cast<size_t>(length_ - from));
    length_ -= length * 2;
    return *this;
}

std::string CStringBuilder::ToString() const
{
    if (length_ == 0)
        return {};
    std::u16string wide(static_cast<size_t>(Length()), u'\0');
    for (int32_t i = 0; i < Length(); ++i)
        wide[static_cast<size_t>(i)] = At(i);
    return platform::ToAnsi(wide);
}
