#include <windows.h>
#include <string.h>

#include "platform/bitmap.h"

namespace ql::platform {
namespace {

HBITMAP BitmapForScreen(const BITMAPINFO* info, const void* pixels) {
  HDC screen = GetDC(nullptr);
  if (!screen) return nullptr;
  HBITMAP bitmap = CreateDIBitmap(screen, &info->bmiHeader, CBM_INIT, pixels, info, DIB_RGB_COLORS);
  ReleaseDC(nullptr, screen);
  return bitmap;
}

}  // namespace

BitmapHandle CreateBitmapFromPacked(const uint8_t* packed, size_t size, size_t pixelOffset) {
  if (!packed || size == 0 || pixelOffset > size) return nullptr;
  // A block of its own keeps the header aligned as GDI expects it.
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
  if (!block) return nullptr;
  HBITMAP bitmap = nullptr;
  if (uint8_t* bytes = static_cast<uint8_t*>(GlobalLock(block))) {
    memcpy(bytes, packed, size);
    bitmap = BitmapForScreen(reinterpret_cast<const BITMAPINFO*>(bytes), bytes + pixelOffset);
    GlobalUnlock(block);
  }
  GlobalFree(block);
  return bitmap;
}

void DeleteBitmap(BitmapHandle bitmap) {
  if (bitmap) DeleteObject(static_cast<HBITMAP>(bitmap));
}

}  // namespace ql::platform
