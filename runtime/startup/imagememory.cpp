#include "startup/imagememory.h"

#include "core/allocator.h"
#include "platform/executable_memory.h"
#include "startup/bytes.h"

namespace ql {
namespace {

PlacedImage g_current;
bool g_placed = false;

}  // namespace

bool LayOutImage(uint64_t codeLength, uint64_t dataLength, uint64_t thunkLength, ImageLayout* out) {
  // Each length is below 2^32, so no sum below can overflow 64 bits.
  if (codeLength > UINT32_MAX || dataLength > UINT32_MAX || thunkLength > UINT32_MAX) return false;
  out->dataOffset = AlignUp(codeLength, 16);
  out->thunkOffset = AlignUp(out->dataOffset + dataLength, 16);
  out->blockSize = out->thunkOffset + thunkLength;
  if (out->blockSize == 0) out->blockSize = 16;
  return out->blockSize <= SIZE_MAX;
}

bool PlaceImage(size_t codeLength, size_t dataLength, size_t thunkLength, PlacedImage* out, LoadFailure* failure) {
  ImageLayout layout;
  if (!LayOutImage(codeLength, dataLength, thunkLength, &layout)) {
    failure->Add("the code and data sections are too large for this computer");
    return false;
  }
  const size_t size = static_cast<size_t>(layout.blockSize);
  uint8_t* block = AllocationPermitted(size) ? static_cast<uint8_t*>(platform::AllocateExecutable(size)) : nullptr;
  if (!block) {
    failure->Add("there is no executable memory for the image (%llu bytes)",
                 static_cast<unsigned long long>(layout.blockSize));
    return false;
  }
  out->block = block;
  out->blockSize = static_cast<size_t>(layout.blockSize);
  out->code = block;
  out->codeLength = codeLength;
  out->data = block + layout.dataOffset;
  out->dataLength = dataLength;
  out->thunks = block + layout.thunkOffset;
  out->thunkLength = thunkLength;
  return true;
}

void ReleasePlacedImage(PlacedImage* image) {
  platform::ReleaseExecutable(image->block, image->blockSize);
  *image = PlacedImage{};
}

const PlacedImage* CurrentImage() { return g_placed ? &g_current : nullptr; }

void SetCurrentImage(const PlacedImage& image) {
  g_current = image;
  g_placed = true;
}

}  // namespace ql
