#include <windows.h>

#include "platform/chartables.h"

namespace ql::platform {
namespace {

void FillIdentity(CharacterTables& t) {
  for (int b = 0; b < 256; ++b) {
    t.upper[b] = t.lower[b] = static_cast<uint8_t>(b);
    t.space[b] = false;
  }
}

void FillSingleByteTables(CharacterTables& t) {
  for (int b = 0; b < 256; ++b) {
    CHAR c = static_cast<CHAR>(b);
    CharUpperBuffA(&c, 1);
    t.upper[b] = static_cast<uint8_t>(c);
    c = static_cast<CHAR>(b);
    CharLowerBuffA(&c, 1);
    t.lower[b] = static_cast<uint8_t>(c);
    c = static_cast<CHAR>(b);
    WORD type = 0;
    t.space[b] = GetStringTypeExA(LOCALE_USER_DEFAULT, CT_CTYPE1, &c, 1, &type) && (type & (C1_SPACE | C1_BLANK));
  }
}

CharacterTables Build() {
  CharacterTables t = {};
  for (int b = 0; b < 256; ++b) {
    t.leadByte[b] = IsDBCSLeadByte(static_cast<BYTE>(b)) != 0;
    t.doubleByte = t.doubleByte || t.leadByte[b];
  }
  FillIdentity(t);
  if (!t.doubleByte) FillSingleByteTables(t);
  return t;
}

}  // namespace

const CharacterTables& SystemCharacterTables() {
  static const CharacterTables tables = Build();
  return tables;
}

}  // namespace ql::platform
