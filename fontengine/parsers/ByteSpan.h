#pragma once
// Bounds-checked reads over a file held in memory. Offsets are 64-bit so that
// offset + length never wraps on a 32-bit build; every read checks its range.
#include <cstdint>
#include <span>

namespace fontparsers {

using Bytes = std::span<const std::uint8_t>;

inline bool InRange(Bytes b, std::uint64_t offset, std::uint64_t length)
{
    return offset <= b.size() && length <= b.size() - offset;
}

// The part of b from offset, at most length bytes long (clipped to what is there).
inline Bytes Clip(Bytes b, std::uint64_t offset, std::uint64_t length)
{
    if (offset >= b.size())
        return {};
    std::uint64_t avail = b.size() - offset;
    return b.subspan(static_cast<std::size_t>(offset), static_cast<std::size_t>(length < avail ? length : avail));
}

inline bool ReadU8(Bytes b, std::uint64_t off, std::uint8_t& out)
{
    if (!InRange(b, off, 1))
        return false;
    out = b[static_cast<std::size_t>(off)];
    return true;
}

inline bool ReadU16BE(Bytes b, std::uint64_t off, std::uint16_t& out)
{
    if (!InRange(b, off, 2))
        return false;
    auto p = b.data() + off;
    out = static_cast<std::uint16_t>((p[0] << 8) | p[1]);
    return true;
}

inline bool ReadU32BE(Bytes b, std::uint64_t off, std::uint32_t& out)
{
    if (!InRange(b, off, 4))
        return false;
    auto p = b.data() + off;
    out = (std::uint32_t(p[0]) << 24) | (std::uint32_t(p[1]) << 16) | (std::uint32_t(p[2]) << 8) | p[3];
    return true;
}

inline bool ReadU16LE(Bytes b, std::uint64_t off, std::uint16_t& out)
{
    if (!InRange(b, off, 2))
        return false;
    auto p = b.data() + off;
    out = static_cast<std::uint16_t>(p[0] | (p[1] << 8));
    return true;
}

inline bool ReadU32LE(Bytes b, std::uint64_t off, std::uint32_t& out)
{
    if (!InRange(b, off, 4))
        return false;
    auto p = b.data() + off;
    out = p[0] | (std::uint32_t(p[1]) << 8) | (std::uint32_t(p[2]) << 16) | (std::uint32_t(p[3]) << 24);
    return true;
}

// Four bytes compared with a four-character tag.
inline bool TagIs(Bytes b, std::uint64_t off, const char (&tag)[5])
{
    if (!InRange(b, off, 4))
        return false;
    for (int i = 0; i < 4; ++i)
        if (b[static_cast<std::size_t>(off) + i] != static_cast<std::uint8_t>(tag[i]))
            return false;
    return true;
}

}  // namespace fontparsers
