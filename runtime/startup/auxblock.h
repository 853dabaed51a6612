// The auxiliary data block: numbered records behind a big-endian table of
// offsets, in the executable or in "data3.dat". Records that are not there,
// or whose table or start lies outside the file, are "not found".
#pragma once

#include <stdint.h>

#include "startup/bytesource.h"
#include "startup/imagefiles.h"
#include "startup/imagereader.h"

namespace ql {

// The file position of record `number` of the block at `blockStart`.
bool FindAuxiliaryRecord(ByteSource& file, uint64_t blockStart, int64_t number, uint64_t* position);

// The block of one image; opens its file on the first lookup and keeps it.
class AuxiliaryBlock {
 public:
  AuxiliaryBlock() = default;
  AuxiliaryBlock(ImageFiles* files, const ImageLocator& locator) : files_(files), locator_(locator) {}
  AuxiliaryBlock(const AuxiliaryBlock&) = delete;
  AuxiliaryBlock& operator=(const AuxiliaryBlock&) = delete;
  AuxiliaryBlock& operator=(AuxiliaryBlock&& other) noexcept;

  // The open file and the position of record `number`; false when not found.
  bool Find(int64_t number, ByteSource** file, uint64_t* position);

 private:
  bool Open();

  ImageFiles* files_ = nullptr;
  ImageLocator locator_;
  ByteSourcePtr file_;
  uint64_t start_ = 0;
  bool tried_ = false;
};

// The block of the image this process runs (set by the loader).
AuxiliaryBlock& CurrentAuxiliaryBlock();

}  // namespace ql
