// Freed blocks of this test program are filled with a pattern and never handed out again, so
// a use after free reads the pattern instead of a new object.
#include <cstdlib>
#include <cstring>
#include <new>

namespace {
constexpr size_t kHeader = 16;
constexpr unsigned char kPoison = 0xDD;
}

void* operator new(size_t size) {
  auto* raw = static_cast<unsigned char*>(std::malloc(size + kHeader));
  if (!raw) throw std::bad_alloc();
  std::memcpy(raw, &size, sizeof size);
  return raw + kHeader;
}
void* operator new[](size_t size) { return operator new(size); }
void operator delete(void* p) noexcept {
  if (!p) return;
  auto* raw = static_cast<unsigned char*>(p) - kHeader;
  size_t size;
  std::memcpy(&size, raw, sizeof size);
  std::memset(p, kPoison, size);  // quarantined: the block is never freed
}
void operator delete[](void* p) noexcept { operator delete(p); }
void operator delete(void* p, size_t) noexcept { operator delete(p); }
void operator delete[](void* p, size_t) noexcept { operator delete(p); }
