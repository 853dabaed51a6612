// The classes of the objects made from image resources: Picture (a bitmap
// of the system), MouseCursor (a cursor of the system) and Sound (wave data
// in the image's resource section). Their instance layouts, and making
// their objects around what they own.
#pragma once

#include <stddef.h>
#include <stdint.h>

#include "core/object.h"
#include "platform/bitmap.h"
#include "platform/cursor.h"
#include "quillon/abi.h"

namespace ql {

struct PictureObject {
  RuntimeObject header;
  platform::BitmapHandle bitmap;  // owned; deleted with the object
  int32_t width;                  // Width, pixels
  int32_t height;                 // Height, pixels
  int32_t horizontalResolution;   // HorizontalResolution, dots per inch
  int32_t verticalResolution;     // VerticalResolution, dots per inch
};

struct MouseCursorObject {
  RuntimeObject header;
  platform::CursorHandle cursor;  // owned; destroyed with the object
  int32_t hotSpotX;               // the hot spot, pixels from the left
  int32_t hotSpotY;               // and from the top
};

struct SoundObject {
  RuntimeObject header;
  const uint8_t* data;  // inside the image's resource section, which outlives every object
  uint32_t size;        // bytes of data
  uint32_t type;        // the resource's type code ('WAVE' or 'SND ')
};

#if defined(__i386__)
static_assert(offsetof(PictureObject, bitmap) == 28 && offsetof(PictureObject, verticalResolution) == 44 &&
              sizeof(PictureObject) == 48);
static_assert(offsetof(MouseCursorObject, hotSpotY) == 36 && sizeof(MouseCursorObject) == 40);
static_assert(offsetof(SoundObject, type) == 36 && sizeof(SoundObject) == 40);
#elif defined(__x86_64__)
static_assert(offsetof(PictureObject, bitmap) == 56 && offsetof(PictureObject, verticalResolution) == 76 &&
              sizeof(PictureObject) == 80);
static_assert(offsetof(MouseCursorObject, hotSpotY) == 68 && sizeof(MouseCursorObject) == 72);
static_assert(offsetof(SoundObject, type) == 68 && sizeof(SoundObject) == 72);
#endif

struct PictureSize {
  int32_t width, height, horizontalResolution, verticalResolution;
};

// Each returns a new object (one reference) that owns the handle it is
// given, or nil when the object cannot be made (NilObjectException raised);
// the handle is freed then.
ObjectRef NewPictureObject(platform::BitmapHandle bitmap, const PictureSize& size);
ObjectRef NewMouseCursorObject(platform::CursorHandle cursor, int32_t hotSpotX, int32_t hotSpotY);
// The data stays where it is; it must outlive the object.
ObjectRef NewSoundObject(const uint8_t* data, uint32_t size, uint32_t type);

}  // namespace ql
