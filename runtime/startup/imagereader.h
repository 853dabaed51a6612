// Reading an application image: the locator, then either the block appended
// to the executable (five length-prefixed sections) or the five development
// files. Every length is checked against the bytes present.
#pragma once

#include <stdint.h>

#include "startup/bytebuffer.h"
#include "startup/imagefiles.h"
#include "startup/loadfailure.h"

namespace ql {

struct ImageLocator {
  enum class Layout { Development, Appended };
  enum class Auxiliary { None, DevelopmentFile, Executable };

  Layout layout = Layout::Development;
  uint32_t blockOffset = 0;                         // file offset of the appended block
  Auxiliary auxiliary = Auxiliary::DevelopmentFile;  // where the auxiliary block lives
  uint32_t auxiliaryOffset = 0;                     // its file offset (0 for "data3.dat")
};

// The reader's result: the sections as plain buffers, not yet placed.
struct ImageSections {
  ByteBuffer code;
  ByteBuffer data;
  ByteBuffer imports;
  ByteBuffer resources;
  ByteBuffer options;
  uint32_t resourceFileOffset = 0;  // of the rsrc section's first byte; 0 in the development layout
  ImageLocator locator;
};

// The bytes of the locator ("PICK" or the block offset, then "POKE", 0 or
// the auxiliary offset). `size` is the resource's size, -1 for no resource.
bool ParseLocator(int64_t size, const uint8_t (&bytes)[8], ImageLocator* out, LoadFailure* failure);

// The five sections from `blockOffset` of `file`.
bool ReadAppendedBlock(ByteSource& file, uint32_t blockOffset, ImageSections* out, LoadFailure* failure);

// "import.dat", "code.dat", "data.dat", "rsrc.dat" and "options.dat", each whole.
bool ReadDevelopmentLayout(ImageFiles& files, ImageSections* out, LoadFailure* failure);

// Locates the image and reads its sections.
bool ReadImage(ImageFiles& files, ImageSections* out, LoadFailure* failure);

}  // namespace ql
