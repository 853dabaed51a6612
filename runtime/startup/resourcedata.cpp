#include "startup/resourcedata.h"

#include <string.h>

namespace ql {
namespace {

// --- Bitmaps ---

constexpr size_t kCoreHeaderSize = 12;
constexpr size_t kInfoHeaderSize = 40;
constexpr double kInchesPerMetre = 39.37007874015748;

enum : uint32_t { kRgb = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3 };

int32_t LoadI32(const uint8_t* p) { return static_cast<int32_t>(LoadU32(p)); }

int32_t DotsPerInch(int32_t pixelsPerMetre) { return static_cast<int32_t>(pixelsPerMetre / kInchesPerMetre); }

bool IsInfoHeaderSize(uint32_t size) {
  return size == kInfoHeaderSize || size == 52 || size == 56 || size == 108 || size == 124;
}

// Bytes of the uncompressed pixels, rows padded to 4 bytes; UINT64_MAX when
// they exceed `available` (a row alone may, and the product could wrap).
uint64_t PixelBytes(uint64_t width, uint64_t height, uint64_t bitsPerPixel, uint64_t available) {
  const uint64_t row = (width * bitsPerPixel + 31) / 32 * 4;  // width < 2^31, bits <= 32: no wrap
  if (row == 0 || height > available / row) return UINT64_MAX;
  return row * height;
}

struct BitmapLayout {
  uint64_t headerSize = 0;
  uint64_t width = 0, height = 0, bitsPerPixel = 0;
  uint32_t compression = kRgb;
  uint64_t compressedSize = 0;  // RLE: the header's image size
  uint64_t colourBytes = 0;     // colour table and masks
};

bool ReadCoreHeader(ByteView packed, BitmapLayout* layout, PackedBitmap* out) {
  const uint8_t* h = packed.data;
  const uint16_t width = LoadU16(h + 4), height = LoadU16(h + 6), planes = LoadU16(h + 8), bits = LoadU16(h + 10);
  if (planes != 1 || width == 0 || height == 0) return false;
  if (bits != 1 && bits != 4 && bits != 8 && bits != 24) return false;
  layout->width = width;
  layout->height = height;
  layout->bitsPerPixel = bits;
  layout->colourBytes = bits <= 8 ? 3u << bits : 0;  // RGB triples
  out->width = width;
  out->height = height;
  return true;
}

bool ReadInfoHeader(ByteView packed, BitmapLayout* layout, PackedBitmap* out) {
  const uint8_t* h = packed.data;
  const int32_t width = LoadI32(h + 4), height = LoadI32(h + 8);
  const uint16_t planes = LoadU16(h + 12), bits = LoadU16(h + 14);
  const uint32_t compression = LoadU32(h + 16), imageSize = LoadU32(h + 20), coloursUsed = LoadU32(h + 32);
  if (planes != 1 || width <= 0 || height == 0 || height == INT32_MIN) return false;
  switch (compression) {
    case kRgb:
      if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) return false;
      break;
    case kRle8:
    case kRle4:
      // Run-length pixels are bottom-up only, and their size is the header's.
      if (bits != (compression == kRle8 ? 8 : 4) || height < 0 || imageSize == 0) return false;
      break;
    case kBitFields:
      if (bits != 16 && bits != 32) return false;
      break;
    default:
      return false;  // embedded JPEG or PNG
  }
  layout->width = static_cast<uint64_t>(width);
  layout->height = height < 0 ? static_cast<uint64_t>(-static_cast<int64_t>(height)) : static_cast<uint64_t>(height);
  layout->bitsPerPixel = bits;
  layout->compression = compression;
  layout->compressedSize = imageSize;
  const uint64_t colours = coloursUsed ? coloursUsed : (bits <= 8 ? 1u << bits : 0);
  if (bits <= 8 && colours > (1u << bits)) return false;
  // Three masks follow a 40-byte header; larger headers hold them.
  const uint64_t masks = compression == kBitFields && layout->headerSize == kInfoHeaderSize ? 12 : 0;
  layout->colourBytes = masks + 4 * colours;
  out->width = width;
  out->height = static_cast<int32_t>(layout->height);
  out->horizontalResolution = DotsPerInch(LoadI32(h + 24));
  out->verticalResolution = DotsPerInch(LoadI32(h + 28));
  return true;
}

// --- Cursors ---

constexpr size_t kCursorRows = 16;
constexpr size_t kCursorRowBytes = 2;
constexpr size_t kMaskAt = kCursorRows * kCursorRowBytes;
constexpr size_t kHotSpotAt = 2 * kMaskAt;
constexpr size_t kPlaneRowBytes = 4;

int16_t LoadI16BigEndian(const uint8_t* p) { return static_cast<int16_t>(p[0] << 8 | p[1]); }

// --- Waves ---

bool IsTag(const uint8_t* p, const char (&tag)[5]) { return memcmp(p, tag, 4) == 0; }

}  // namespace

bool ReadPackedBitmap(ByteView resource, PackedBitmap* out) {
  if (resource.size < kBitmapFileHeaderSize || resource.data[0] != 'B' || resource.data[1] != 'M') return false;
  const uint32_t fileSize = LoadU32(resource.data + 2);
  if (fileSize > resource.size || fileSize < kBitmapFileHeaderSize + kCoreHeaderSize) return false;
  PackedBitmap result;
  result.packed = ByteView{resource.data + kBitmapFileHeaderSize, fileSize - kBitmapFileHeaderSize};
  const ByteView packed = result.packed;
  BitmapLayout layout;
  layout.headerSize = LoadU32(packed.data);
  if (!packed.Holds(0, layout.headerSize)) return false;
  if (layout.headerSize == kCoreHeaderSize) {
    if (!ReadCoreHeader(packed, &layout, &result)) return false;
  } else if (IsInfoHeaderSize(static_cast<uint32_t>(layout.headerSize))) {
    if (!ReadInfoHeader(packed, &layout, &result)) return false;
  } else {
    return false;
  }
  const uint64_t pixelOffset = layout.headerSize + layout.colourBytes;
  const bool compressed = layout.compression == kRle8 || layout.compression == kRle4;
  const uint64_t pixels =
      compressed ? layout.compressedSize : PixelBytes(layout.width, layout.height, layout.bitsPerPixel, packed.size);
  if (!packed.Holds(pixelOffset, pixels)) return false;
  result.pixelOffset = static_cast<size_t>(pixelOffset);
  *out = result;
  return true;
}

bool ConvertCursor(ByteView resource, CursorImage* out) {
  if (resource.size < kCursorResourceSize) return false;
  const uint8_t* bytes = resource.data;
  memset(out->andPlane, 0xFF, sizeof out->andPlane);  // transparent
  memset(out->xorPlane, 0x00, sizeof out->xorPlane);
  for (size_t row = 0; row < kCursorRows; ++row) {
    for (size_t column = 0; column < kCursorRowBytes; ++column) {
      const uint8_t image = bytes[row * kCursorRowBytes + column];
      const uint8_t mask = bytes[kMaskAt + row * kCursorRowBytes + column];
      // image 1 + mask 1 black, 0 + 1 white, 0 + 0 transparent, 1 + 0 inverted
      out->andPlane[row * kPlaneRowBytes + column] = static_cast<uint8_t>(~mask);
      out->xorPlane[row * kPlaneRowBytes + column] = static_cast<uint8_t>(image ^ mask);
    }
  }
  out->hotSpotY = LoadI16BigEndian(bytes + kHotSpotAt);
  out->hotSpotX = LoadI16BigEndian(bytes + kHotSpotAt + 2);
  return true;
}

bool IsPlayableWave(ByteView data) {
  if (data.size < 12 || !IsTag(data.data, "RIFF") || !IsTag(data.data + 8, "WAVE")) return false;
  const uint64_t riffEnd = 8 + static_cast<uint64_t>(LoadU32(data.data + 4));
  if (riffEnd > data.size) return false;
  bool format = false, samples = false;
  uint64_t position = 12;
  while (position + 8 <= riffEnd) {
    const uint8_t* chunk = data.data + position;
    const uint64_t size = LoadU32(chunk + 4);
    if (size > riffEnd - position - 8) return false;
    if (IsTag(chunk, "fmt ")) format = format || size >= 16;
    if (IsTag(chunk, "data")) samples = true;
    position += 8 + size + (size & 1);  // chunks start at even offsets
  }
  return format && samples;
}

}  // namespace ql
