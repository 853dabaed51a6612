#include "platform/bitmap.h"

#include <gtest/gtest.h>
#include <string.h>

#if defined(_WIN32)
#include <windows.h>
#endif

namespace ql::platform {
namespace {

// A packed bitmap: 40-byte header, 3 by 2 pixels of 24 bits (rows of 12 bytes).
struct Packed {
  uint8_t bytes[40 + 24] = {};
  Packed() {
    const uint32_t header = 40, width = 3, height = 2;
    memcpy(bytes, &header, 4);
    memcpy(bytes + 4, &width, 4);
    memcpy(bytes + 8, &height, 4);
    bytes[12] = 1;   // planes
    bytes[14] = 24;  // bits
    for (int i = 40; i < 64; ++i) bytes[i] = static_cast<uint8_t>(i);
  }
};

TEST(SystemBitmap, IsMadeFromAPackedBitmapAndDeleted) {
  const Packed packed;
  BitmapHandle bitmap = CreateBitmapFromPacked(packed.bytes, sizeof packed.bytes, 40);
  ASSERT_NE(bitmap, nullptr);
#if defined(_WIN32)
  BITMAP info = {};
  ASSERT_EQ(GetObjectA(static_cast<HBITMAP>(bitmap), sizeof info, &info), static_cast<int>(sizeof info));
  EXPECT_EQ(info.bmWidth, 3);
  EXPECT_EQ(info.bmHeight, 2);
#endif
  DeleteBitmap(bitmap);
  DeleteBitmap(nullptr);
  EXPECT_EQ(CreateBitmapFromPacked(nullptr, 10, 0), nullptr);
  EXPECT_EQ(CreateBitmapFromPacked(packed.bytes, sizeof packed.bytes, sizeof packed.bytes + 1), nullptr);
}

}  // namespace
}  // namespace ql::platform
