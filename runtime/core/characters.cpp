#include "core/characters.h"

#include "core/string.h"
#include "platform/chartables.h"

namespace ql {

CharacterModel CharacterModelFor(uint32_t encoding) {
  if (encoding == QL_ENCODING_UTF8) return CharacterModel::UTF8;
  if (IsWideEncoding(encoding)) return CharacterModel::UTF16;
  if (encoding == QL_ENCODING_ASCII || !platform::SystemCharacterTables().doubleByte) return CharacterModel::SingleByte;
  return CharacterModel::DoubleByte;
}

uint32_t DecodeUTF8At(const char* text, int32_t length, int32_t offset, int32_t* size) {
  const uint8_t* p = reinterpret_cast<const uint8_t*>(text) + offset;
  const int32_t remaining = length - offset;
  const uint8_t lead = p[0];
  const int need = lead >= 0xC2 && lead <= 0xDF   ? 1
                   : lead >= 0xE0 && lead <= 0xEF ? 2
                   : lead >= 0xF0 && lead <= 0xF4 ? 3
                                                  : 0;
  if (need > 0 && need < remaining) {
    uint32_t value = lead & (0x3F >> need);
    int k = 1;
    for (; k <= need && IsContinuationByte(p[k]); ++k) value = (value << 6) | (p[k] & 0x3F);
    if (k > need) {
      *size = need + 1;
      return value;
    }
  }
  *size = 1;
  return lead;
}

int32_t CharacterLength(CharacterModel model, const char* text, int32_t length, int32_t offset) {
  const int32_t remaining = length - offset;
  if (remaining <= 1) return remaining < 1 ? 0 : 1;
  const uint8_t* p = reinterpret_cast<const uint8_t*>(text) + offset;
  switch (model) {
    case CharacterModel::SingleByte:
      return 1;
    case CharacterModel::UTF16:
      return 2;
    case CharacterModel::DoubleByte:
      return platform::SystemCharacterTables().leadByte[p[0]] ? 2 : 1;
    case CharacterModel::UTF8: {
      // A lead byte with the continuation bytes that follow it.
      int32_t n = 1;
      while (n < remaining && IsContinuationByte(p[n])) ++n;
      return n;
    }
  }
  return 1;
}

}  // namespace ql
