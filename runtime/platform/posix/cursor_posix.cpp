#include <string.h>

#include <new>

#include "platform/cursor.h"

namespace ql::platform {
namespace {

// What a POSIX cursor handle owns: the cursor as it was given.
struct CursorCopy {
  uint8_t andPlane[128];
  uint8_t xorPlane[128];
  int32_t hotSpotX;
  int32_t hotSpotY;
};

}  // namespace

CursorHandle CreateMonochromeCursor(const uint8_t (&andPlane)[128], const uint8_t (&xorPlane)[128], int32_t hotSpotX,
                                    int32_t hotSpotY) {
  CursorCopy* copy = new (std::nothrow) CursorCopy;
  if (!copy) return nullptr;
  memcpy(copy->andPlane, andPlane, sizeof copy->andPlane);
  memcpy(copy->xorPlane, xorPlane, sizeof copy->xorPlane);
  copy->hotSpotX = hotSpotX;
  copy->hotSpotY = hotSpotY;
  return copy;
}

void DestroyCursorHandle(CursorHandle cursor) { delete static_cast<CursorCopy*>(cursor); }

}  // namespace ql::platform
