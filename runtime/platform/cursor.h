// Mouse cursors of the system: 32 by 32 monochrome cursors from an AND and an
// XOR plane (rows of 4 bytes, top row first).
#pragma once

#include <stdint.h>

namespace ql::platform {

// Owned by whoever holds it; DestroyCursorHandle frees it.
using CursorHandle = void*;

// Win32: CreateCursor with the module instance. POSIX has no cursors of its
// own: the handle owns a copy of both planes and the hot spot. nullptr when
// the system refuses.
CursorHandle CreateMonochromeCursor(const uint8_t (&andPlane)[128], const uint8_t (&xorPlane)[128], int32_t hotSpotX,
                                    int32_t hotSpotY);
void DestroyCursorHandle(CursorHandle cursor);

}  // namespace ql::platform
