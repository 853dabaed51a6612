#include <stddef.h>
#include <stdlib.h>
#include <string.h>

#include "platform/bitmap.h"

namespace ql::platform {
namespace {

// What a POSIX bitmap handle owns: the packed bitmap as it was given.
struct PackedCopy {
  size_t size;
  uint8_t bytes[1];
};

}  // namespace

BitmapHandle CreateBitmapFromPacked(const uint8_t* packed, size_t size, size_t pixelOffset) {
  if (!packed || size == 0 || pixelOffset > size) return nullptr;
  PackedCopy* copy = static_cast<PackedCopy*>(malloc(offsetof(PackedCopy, bytes) + size));
  if (!copy) return nullptr;
  copy->size = size;
  memcpy(copy->bytes, packed, size);
  return copy;
}

void DeleteBitmap(BitmapHandle bitmap) { free(bitmap); }

}  // namespace ql::platform
