// The one block of executable memory an image runs in: the code at its
// start, the data at code base + align16(code length), and after the data
// (at the next multiple of 16) the stand-ins for missing entry points.
#pragma once

#include <stddef.h>
#include <stdint.h>

#include "startup/loadfailure.h"

namespace ql {

struct PlacedImage {
  uint8_t* block = nullptr;  // from the platform's executable memory
  size_t blockSize = 0;
  uint8_t* code = nullptr;
  size_t codeLength = 0;
  uint8_t* data = nullptr;
  size_t dataLength = 0;
  uint8_t* thunks = nullptr;
  size_t thunkLength = 0;
};

// Offsets of the three parts for the given lengths, and the block's size;
// false when the sum does not fit in memory.
struct ImageLayout {
  uint64_t dataOffset;
  uint64_t thunkOffset;
  uint64_t blockSize;
};
bool LayOutImage(uint64_t codeLength, uint64_t dataLength, uint64_t thunkLength, ImageLayout* out);

// A zero-filled block laid out for the lengths; false when the memory
// cannot be had.
bool PlaceImage(size_t codeLength, size_t dataLength, size_t thunkLength, PlacedImage* out, LoadFailure* failure);
void ReleasePlacedImage(PlacedImage* image);

// The image this process runs, once it is placed; nullptr before.
const PlacedImage* CurrentImage();
void SetCurrentImage(const PlacedImage& image);

}  // namespace ql
