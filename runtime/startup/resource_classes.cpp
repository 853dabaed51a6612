#include "startup/resource_classes.h"

#include <utility>

#include "core/intrinsic_classes.h"
#include "quillon/entrypoints/objects.h"
#include "quillon/entrypoints/resources.h"

namespace ql {
namespace {

template <class T>
T* Instance(RuntimeObject* o) {
  return reinterpret_cast<T*>(o);
}

void DestroyPicture(RuntimeObject* o) {
  platform::DeleteBitmap(std::exchange(Instance<PictureObject>(o)->bitmap, nullptr));
}

void DestroyMouseCursor(RuntimeObject* o) {
  platform::DestroyCursorHandle(std::exchange(Instance<MouseCursorObject>(o)->cursor, nullptr));
}

const PropertyEntry kPictureProperties[] = {
    ReadOnlyProperty("Width", types::Integer, QL_LINK(intGetter), offsetof(PictureObject, width)),
    ReadOnlyProperty("Height", types::Integer, QL_LINK(intGetter), offsetof(PictureObject, height)),
    ReadOnlyProperty("HorizontalResolution", types::Integer, QL_LINK(intGetter),
                     offsetof(PictureObject, horizontalResolution)),
    ReadOnlyProperty("VerticalResolution", types::Integer, QL_LINK(intGetter),
                     offsetof(PictureObject, verticalResolution)),
};

const MethodEntry kSoundMethods[] = {
    Method("Play", QL_LINK(SoundPlay)),
    Method("Stop", QL_LINK(SoundStop)),
};

}  // namespace

namespace intrinsic {
// Drawing, Graphics, masks and the other members belong to the graphics
// subsystem; a Picture here holds its bitmap and says how large it is.
const ClassDescription PictureDescription{
    .name = "Picture",
    .instanceSize = sizeof(PictureObject),
    .destroyHook = DestroyPicture,
    .properties = kPictureProperties,
};
ObjectDefinition Picture(PictureDescription);

const ClassDescription MouseCursorDescription{
    .name = "MouseCursor",
    .instanceSize = sizeof(MouseCursorObject),
    .destroyHook = DestroyMouseCursor,
};
ObjectDefinition MouseCursor(MouseCursorDescription);

// Nothing to free: the data belongs to the resource section.
const ClassDescription SoundDescription{
    .name = "Sound",
    .instanceSize = sizeof(SoundObject),
    .methods = kSoundMethods,
};
ObjectDefinition Sound(SoundDescription);
}  // namespace intrinsic

ObjectRef NewPictureObject(platform::BitmapHandle bitmap, const PictureSize& size) {
  ObjectRef o = ObjectRef::Adopt(RuntimeNewObject(ClassOf(intrinsic::Picture)));
  if (!o) {
    platform::DeleteBitmap(bitmap);
    return o;
  }
  PictureObject* picture = Instance<PictureObject>(o.get());
  picture->bitmap = bitmap;
  picture->width = size.width;
  picture->height = size.height;
  picture->horizontalResolution = size.horizontalResolution;
  picture->verticalResolution = size.verticalResolution;
  return o;
}

ObjectRef NewMouseCursorObject(platform::CursorHandle cursor, int32_t hotSpotX, int32_t hotSpotY) {
  ObjectRef o = ObjectRef::Adopt(RuntimeNewObject(ClassOf(intrinsic::MouseCursor)));
  if (!o) {
    platform::DestroyCursorHandle(cursor);
    return o;
  }
  MouseCursorObject* mouseCursor = Instance<MouseCursorObject>(o.get());
  mouseCursor->cursor = cursor;
  mouseCursor->hotSpotX = hotSpotX;
  mouseCursor->hotSpotY = hotSpotY;
  return o;
}

ObjectRef NewSoundObject(const uint8_t* data, uint32_t size, uint32_t type) {
  ObjectRef o = ObjectRef::Adopt(RuntimeNewObject(ClassOf(intrinsic::Sound)));
  if (o) {
    SoundObject* sound = Instance<SoundObject>(o.get());
    sound->data = data;
    sound->size = size;
    sound->type = type;
  }
  return o;
}

}  // namespace ql
