#include "platform/cursor.h"

#include <gtest/gtest.h>
#include <string.h>

#if defined(_WIN32)
#include <windows.h>
#endif

namespace ql::platform {
namespace {

TEST(SystemCursor, IsMadeFromTwoPlanesAndAHotSpot) {
  uint8_t andPlane[128], xorPlane[128];
  memset(andPlane, 0xFF, sizeof andPlane);
  memset(xorPlane, 0, sizeof xorPlane);
  andPlane[0] = 0x00;  // the top left 8 pixels black
  CursorHandle cursor = CreateMonochromeCursor(andPlane, xorPlane, 5, 7);
  ASSERT_NE(cursor, nullptr);
#if defined(_WIN32)
  ICONINFO info = {};
  ASSERT_TRUE(GetIconInfo(static_cast<HICON>(cursor), &info));
  EXPECT_FALSE(info.fIcon);
  EXPECT_EQ(info.xHotspot, 5u);
  EXPECT_EQ(info.yHotspot, 7u);
  if (info.hbmMask) DeleteObject(info.hbmMask);
  if (info.hbmColor) DeleteObject(info.hbmColor);
#endif
  DestroyCursorHandle(cursor);
  DestroyCursorHandle(nullptr);
}

}  // namespace
}  // namespace ql::platform
