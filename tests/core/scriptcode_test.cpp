#include "core/scriptcode.h"

#include <gtest/gtest.h>

namespace ql {
namespace {

TEST(ScriptCode, ComesFromTheUsersLanguage) {
  struct Case {
    uint16_t language;
    int32_t code;
  };
  const Case cases[] = {
      {0x0411, 13},  // Japanese
      {0x0404, 21},  // Chinese: Taiwan, PRC, Hong Kong, Singapore
      {0x0804, 21}, {0x0C04, 21}, {0x1004, 21},
      {0x0412, 0},  // Korean
      {0x1404, 0},  // Chinese (Macao) is not among them
      {0x0409, 0}, {0x0407, 0}, {0x0011, 0},
  };
  for (const Case& c : cases) EXPECT_EQ(ScriptCodeForLanguage(c.language), c.code) << std::hex << c.language;
}

}  // namespace
}  // namespace ql
