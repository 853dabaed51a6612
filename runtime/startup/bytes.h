// Views over byte ranges and the little- and big-endian word helpers that
// every parser of the image uses. Callers check bounds before reading.
#pragma once

#include <stddef.h>
#include <stdint.h>
#include <string.h>

namespace ql {

struct ByteView {
  const uint8_t* data = nullptr;
  size_t size = 0;

  // Whether `count` bytes from `offset` lie inside the view (overflow-safe).
  bool Holds(uint64_t offset, uint64_t count) const { return offset <= size && count <= size - offset; }
};

inline uint16_t LoadU16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }

inline uint32_t LoadU32(const uint8_t* p) {
  uint32_t v;
  memcpy(&v, p, 4);
  return v;  // every target of the runtime is little-endian
}

inline uint64_t LoadU64(const uint8_t* p) {
  uint64_t v;
  memcpy(&v, p, 8);
  return v;
}

inline uint32_t LoadU32BigEndian(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) << 24 | static_cast<uint32_t>(p[1]) << 16 | static_cast<uint32_t>(p[2]) << 8 | p[3];
}

inline void StoreU32(uint8_t* p, uint32_t v) { memcpy(p, &v, 4); }
inline void StoreU64(uint8_t* p, uint64_t v) { memcpy(p, &v, 8); }

constexpr uint64_t AlignUp(uint64_t value, uint64_t alignment) { return (value + alignment - 1) & ~(alignment - 1); }

}  // namespace ql
