#include <windows.h>

#include "platform/cursor.h"
#include "platform/module.h"

namespace ql::platform {

CursorHandle CreateMonochromeCursor(const uint8_t (&andPlane)[128], const uint8_t (&xorPlane)[128], int32_t hotSpotX,
                                    int32_t hotSpotY) {
  return CreateCursor(static_cast<HINSTANCE>(ModuleInstance()), hotSpotX, hotSpotY, 32, 32, andPlane, xorPlane);
}

void DestroyCursorHandle(CursorHandle cursor) {
  if (cursor) DestroyCursor(static_cast<HCURSOR>(cursor));
}

}  // namespace ql::platform
