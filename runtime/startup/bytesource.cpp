#include "startup/bytesource.h"

#include <string.h>

namespace ql {

bool MemoryByteSource::ReadAt(uint64_t offset, void* out, size_t count) {
  if (!bytes_.Holds(offset, count)) return false;
  if (count) memcpy(out, bytes_.data + offset, count);
  return true;
}

}  // namespace ql
