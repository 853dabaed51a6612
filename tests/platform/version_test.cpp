#include "platform/version.h"

#include <gtest/gtest.h>

namespace ql::platform {
namespace {

TEST(Version, OnlyWindowsXPLoadsTheThemeLibrary) {
  struct Case {
    uint32_t platform, major, minor;
    bool xp;
  };
  const Case cases[] = {
      {2, 5, 1, true},    // XP
      {2, 5, 0, false},   // 2000
      {2, 5, 2, false},   // Server 2003
      {2, 6, 1, false},   // 7
      {1, 5, 1, false},   // not the NT family
  };
  for (const Case& c : cases)
    EXPECT_EQ(IsXPVersion(c.platform, c.major, c.minor), c.xp) << c.platform << " " << c.major << "." << c.minor;
}

}  // namespace
}  // namespace ql::platform
