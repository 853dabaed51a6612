#include <string.h>

#include "core/string.h"

namespace ql {
namespace {

// Name folding: ASCII letters and the Mac OS Roman accented letters to upper case.
struct NameFoldTable {
  uint8_t map[256];
  constexpr NameFoldTable() : map() {
    for (int i = 0; i < 256; ++i) map[i] = static_cast<uint8_t>(i);
    for (int c = 'a'; c <= 'z'; ++c) map[c] = static_cast<uint8_t>(c - 'a' + 'A');
    constexpr uint8_t pairs[][2] = {
        {0x87, 0xE7}, {0x88, 0xCB}, {0x89, 0xE5}, {0x8A, 0x80}, {0x8B, 0xCC}, {0x8C, 0x81}, {0x8D, 0x82},
        {0x8E, 0x83}, {0x8F, 0xE9}, {0x90, 0xE6}, {0x91, 0xE8}, {0x92, 0xEA}, {0x93, 0xED}, {0x94, 0xEB},
        {0x95, 0xEC}, {0x96, 0x84}, {0x97, 0xEE}, {0x98, 0xF1}, {0x99, 0xEF}, {0x9A, 0x85}, {0x9B, 0xCD},
        {0x9C, 0xF2}, {0x9D, 0xF4}, {0x9E, 0xF3}, {0x9F, 0x86}, {0xBE, 0xAE}, {0xBF, 0xAF}, {0xCF, 0xCE},
        {0xD8, 0xD9}, {0xF5, 0x49}};
    for (const auto& p : pairs) map[p[0]] = p[1];
  }
};

constexpr NameFoldTable kNameFold;

}  // namespace

uint8_t FoldNameByte(uint8_t byte) { return kNameFold.map[byte]; }

int CompareNameBytes(const char* a, size_t aLength, const char* b, size_t bLength) {
  const size_t common = aLength < bLength ? aLength : bLength;
  for (size_t i = 0; i < common; ++i) {
    const uint8_t x = kNameFold.map[static_cast<uint8_t>(a[i])];
    const uint8_t y = kNameFold.map[static_cast<uint8_t>(b[i])];
    if (x != y) return x < y ? -1 : 1;
  }
  return aLength == bLength ? 0 : (aLength < bLength ? -1 : 1);
}

bool NamesEqual(const char* a, const char* b) {
  if (a == b) return true;
  if (!a || !b) return false;
  return CompareNameBytes(a, strlen(a), b, strlen(b)) == 0;
}

int CompareNames(RuntimeString* a, RuntimeString* b) {
  if (a == b) return 0;
  return CompareNameBytes(StringText(a), static_cast<size_t>(StringLength(a)), StringText(b),
                          static_cast<size_t>(StringLength(b)));
}

}  // namespace ql
