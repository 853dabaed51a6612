// Where an image's bytes come from: the executable's locator resource, the
// executable file itself and the development files of the current folder.
// The platform implements it for the running process; tests use memory.
#pragma once

#include <stdint.h>

#include "startup/bytesource.h"

namespace ql {

class ImageFiles {
 public:
  virtual ~ImageFiles() = default;
  // Copies up to 8 bytes of the "PICKLE"/101 resource into `out` and returns
  // the resource's size, or -1 when the executable has no such resource.
  virtual int64_t ReadLocator(uint8_t (&out)[8]) = 0;
  // The executable file, or nullptr when it cannot be opened for reading.
  virtual ByteSourcePtr OpenExecutable() = 0;
  // A file of the current folder, or nullptr when it cannot be opened.
  virtual ByteSourcePtr OpenDevelopmentFile(const char* name) = 0;
};

// The running process's files (runtime/startup/processimagefiles.cpp).
ImageFiles& ProcessImageFiles();

}  // namespace ql
