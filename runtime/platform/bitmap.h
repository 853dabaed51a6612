// Bitmaps of the system made from packed bitmaps: a bitmap information
// header, its colours and its pixels, as a bitmap file holds them after its
// 14-byte file header. Callers check the packed bitmap first
// (startup/resourcedata.h): the system trusts its header.
#pragma once

#include <stddef.h>
#include <stdint.h>

namespace ql::platform {

// Owned by whoever holds it; DeleteBitmap frees it.
using BitmapHandle = void*;

// Win32: the packed bitmap copied into a movable global memory block,
// CreateDIBitmap for the screen from it, the block freed. POSIX has no
// bitmaps of its own: the handle owns a copy of the packed bitmap.
// nullptr when the system refuses or memory runs out.
BitmapHandle CreateBitmapFromPacked(const uint8_t* packed, size_t size, size_t pixelOffset);
void DeleteBitmap(BitmapHandle bitmap);

}  // namespace ql::platform
