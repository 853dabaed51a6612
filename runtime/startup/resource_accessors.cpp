#include "startup/resource_accessors.h"

#include <stdint.h>

#include "platform/bitmap.h"
#include "platform/cursor.h"
#include "startup/resource_classes.h"
#include "startup/resourcedata.h"

namespace ql {
namespace {

ObjectRef CursorFromBytes(ByteView bytes) {
  CursorImage image;
  if (!ConvertCursor(bytes, &image)) return ObjectRef();
  platform::CursorHandle cursor =
      platform::CreateMonochromeCursor(image.andPlane, image.xorPlane, image.hotSpotX, image.hotSpotY);
  if (!cursor) return ObjectRef();
  return NewMouseCursorObject(cursor, image.hotSpotX, image.hotSpotY);
}

}  // namespace

ObjectRef PictureFromResource(const ResourceIndex& resources, uint16_t number) {
  const ResourceEntry entry = resources.Find(resource_type::kBitmap, number);
  PackedBitmap bitmap;
  if (!entry.found() || !ReadPackedBitmap(entry.bytes(), &bitmap)) return ObjectRef();
  platform::BitmapHandle handle =
      platform::CreateBitmapFromPacked(bitmap.packed.data, bitmap.packed.size, bitmap.pixelOffset);
  if (!handle) return ObjectRef();
  return NewPictureObject(
      handle, PictureSize{bitmap.width, bitmap.height, bitmap.horizontalResolution, bitmap.verticalResolution});
}

ObjectRef CursorFromResource(const ResourceIndex& resources, uint16_t number) {
  const ResourceEntry entry = resources.Find(resource_type::kCursor, number);
  return entry.found() ? CursorFromBytes(entry.bytes()) : ObjectRef();
}

ObjectRef SoundFromResource(const ResourceIndex& resources, uint16_t number) {
  for (const uint32_t type : {resource_type::kWave, resource_type::kSound}) {
    const ResourceEntry entry = resources.Find(type, number);
    if (entry.found()) return NewSoundObject(entry.data, entry.size, type);
  }
  return ObjectRef();
}

String TextFromResource(const ResourceIndex& resources, uint16_t number) {
  const ResourceEntry entry = resources.Find(resource_type::kText, number);
  if (!entry.found() || entry.size > static_cast<uint32_t>(INT32_MAX)) return String();
  return NewStringFromBytes(entry.data, static_cast<int32_t>(entry.size), SystemEncoding());
}

ObjectRef CursorFromAuxiliaryBlock(AuxiliaryBlock& block, int64_t number) {
  ByteSource* file = nullptr;
  uint64_t position = 0;
  uint8_t record[kCursorResourceSize];
  if (!block.Find(number, &file, &position) || !file->ReadAt(position, record, sizeof record)) return ObjectRef();
  return CursorFromBytes(ByteView{record, sizeof record});
}

}  // namespace ql
