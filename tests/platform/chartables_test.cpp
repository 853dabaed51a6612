#include <gtest/gtest.h>

#include "platform/chartables.h"

namespace ql::platform {
namespace {

// The tables of a Windows system with code page 1252, the POSIX answer and
// the test system's.
TEST(CharacterTables, WindowsLatin1System) {
  const CharacterTables& t = SystemCharacterTables();
  EXPECT_FALSE(t.doubleByte);
  for (int b = 0; b < 256; ++b) EXPECT_FALSE(t.leadByte[b]) << b;

  int upper[256], lower[256];
  for (int b = 0; b < 256; ++b) upper[b] = lower[b] = b;
  for (int b = 'a'; b <= 'z'; ++b) upper[b] = b - 32, lower[b - 32] = b;
  for (int b = 0xE0; b <= 0xFE; ++b)
    if (b != 0xF7) upper[b] = b - 32, lower[b - 32] = b;
  upper[0x9A] = 0x8A, upper[0x9C] = 0x8C, upper[0x9E] = 0x8E, upper[0xFF] = 0x9F;
  lower[0x8A] = 0x9A, lower[0x8C] = 0x9C, lower[0x8E] = 0x9E, lower[0x9F] = 0xFF;
  for (int b = 0; b < 256; ++b) {
    EXPECT_EQ(t.upper[b], upper[b]) << std::hex << b;
    EXPECT_EQ(t.lower[b], lower[b]) << std::hex << b;
    const bool space = (b >= 0x09 && b <= 0x0D) || b == 0x20 || b == 0xA0;
    EXPECT_EQ(t.space[b], space) << std::hex << b;
  }
}

}  // namespace
}  // namespace ql::platform
