#pragma once
// A growable text buffer of UTF-16 characters (two bytes each), with a second buffer
// of the same capacity so that an insert moves the content only once.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class CStringBuilder {
public:
    static constexpr int32_t kError = static_cast<int32_t>(0x80040200);

    CStringBuilder();

    int32_t BufferBump() const { return bump_; }
    void SetBufferBump(int32_t bytes);

    int32_t Capacity() const { return static_cast<int32_t>(main_.size()); }
    void SetCapacity(int32_t bytes);

    // The UTF-16 code unit at a 0-based position.
    int32_t Chars(int32_t position) const;
    void SetChars(int32_t position, int32_t character);

    int32_t Length() const { return length_ / 2; }
    void SetLength(int32_t characters);

    CStringBuilder& Append(std::string_view newText);
    int32_t EnsureCapacity(int32_t bytes);
    CStringBuilder& Insert(int32_t startIndex, std::string_view newText);
    CStringBuilder& Remove(int32_t startIndex, int32_t length);
    std::string ToString() const;

private:
    void Grow(int32_t neededBytes);
    char16_t At(int32_t i) const;
    void Put(std::vector<uint8_t>& buf, int32_t i, char16_t c);

    int32_t bump_ = 2048;
    int32_t length_ = 0;  // bytes
    std::vector<uint8_t> main_;
    std::vector<uint8_t> spare_;
};
