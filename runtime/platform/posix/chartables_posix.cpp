#include "platform/chartables.h"

namespace ql::platform {
namespace {

// Windows 1252: ASCII letters, the accented letters from 0xC0 (0xD7 and 0xF7
// are signs), and the four pairs among 0x8A to 0xFF.
constexpr uint8_t kExtraPairs[][2] = {{0x8A, 0x9A}, {0x8C, 0x9C}, {0x8E, 0x9E}, {0x9F, 0xFF}};

CharacterTables Build() {
  CharacterTables t = {};
  for (int b = 0; b < 256; ++b) t.upper[b] = t.lower[b] = static_cast<uint8_t>(b);
  for (int b = 'A'; b <= 'Z'; ++b) {
    t.lower[b] = static_cast<uint8_t>(b + 32);
    t.upper[b + 32] = static_cast<uint8_t>(b);
  }
  for (int b = 0xC0; b <= 0xDE; ++b) {
    if (b == 0xD7) continue;
    t.lower[b] = static_cast<uint8_t>(b + 32);
    t.upper[b + 32] = static_cast<uint8_t>(b);
  }
  for (const auto& p : kExtraPairs) {
    t.lower[p[0]] = p[1];
    t.upper[p[1]] = p[0];
  }
  for (int b = 0x09; b <= 0x0D; ++b) t.space[b] = true;
  t.space[0x20] = t.space[0xA0] = true;
  return t;
}

}  // namespace

const CharacterTables& SystemCharacterTables() {
  static const CharacterTables tables = Build();
  return tables;
}

}  // namespace ql::platform
