// The resource section of the running image, kept for the resource manager
// with the file offset of its first byte (0 in the development layout).
#pragma once

#include <stdint.h>

#include "startup/bytebuffer.h"

namespace ql {

struct ImageResourceSection {
  ByteBuffer bytes;
  uint32_t fileOffset = 0;
};

ImageResourceSection& CurrentResourceSection();

}  // namespace ql
