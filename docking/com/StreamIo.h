#pragma once
// Whole reads and writes on a COM stream.
#include <objidl.h>

#include <cstdint>

namespace dockio {

inline bool Read(IStream* s, void* data, ULONG size)
{
    ULONG got = 0;
    return s && SUCCEEDED(s->Read(data, size, &got)) && got == size;
}

inline bool Write(IStream* s, const void* data, ULONG size)
{
    ULONG put = 0;
    return s && SUCCEEDED(s->Write(data, size, &put)) && put == size;
}

inline bool ReadU32(IStream* s, uint32_t& v) { return Read(s, &v, 4); }
inline bool WriteU32(IStream* s, uint32_t v) { return Write(s, &v, 4); }

}  // namespace dockio
