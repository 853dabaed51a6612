// What the resource accessors make of a resource's bytes before the system
// sees them: the packed bitmap of a 'BMP ', the 32 by 32 planes of a 'CURS',
// and whether wave data can be handed to the system's player. Each check
// keeps every read inside the resource; data that fails one gives no object.
#pragma once

#include <stddef.h>
#include <stdint.h>

#include "startup/bytes.h"

namespace ql {

// --- 'BMP ': a bitmap file ---

constexpr size_t kBitmapFileHeaderSize = 14;

struct PackedBitmap {
  ByteView packed;         // the bitmap without its file header: information header, colours, pixels
  size_t pixelOffset = 0;  // of the pixels in `packed`
  int32_t width = 0;
  int32_t height = 0;                // rows, positive also for a top-down bitmap
  int32_t horizontalResolution = 0;  // dots per inch: pixels per metre / 39.37007874015748, truncated
  int32_t verticalResolution = 0;
};

// The packed bitmap of a bitmap file: "BM", the file header's size field
// (the whole file: the packed bitmap is that size less the 14-byte file
// header), an information header of 12 bytes or of 40 and more, a known
// depth and compression, and colours and pixels that all lie inside. False
// for anything else.
bool ReadPackedBitmap(ByteView resource, PackedBitmap* out);

// --- 'CURS': a 16 by 16 cursor ---

constexpr size_t kCursorResourceSize = 68;

// A 32 by 32 monochrome cursor, rows of 4 bytes, top row first.
struct CursorImage {
  uint8_t andPlane[128];
  uint8_t xorPlane[128];
  int32_t hotSpotX = 0;
  int32_t hotSpotY = 0;
};

// 16 rows of 2 image bytes, 16 rows of 2 mask bytes, the hot spot as two
// big-endian 16-bit values, vertical first. Outside the 16 by 16 corner the
// cursor is transparent. False for fewer than 68 bytes.
bool ConvertCursor(ByteView resource, CursorImage* out);

// --- 'WAVE', 'SND ': sounds played from memory ---

// A RIFF WAVE file whose declared size and chunks lie inside the data, with
// a format chunk of at least 16 bytes and a data chunk: the system's player
// reads no further than the sizes it declares.
bool IsPlayableWave(ByteView data);

}  // namespace ql
