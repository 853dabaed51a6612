// The system's character tables of its ANSI code page, built once on first
// use: lead bytes (IsDBCSLeadByte) and, on a single-byte system, the upper-
// and lower-case maps (CharUpperBuffA, CharLowerBuffA on each byte) and the
// white-space flags (GetStringTypeExA, C1_SPACE or C1_BLANK).
//
// POSIX has no ANSI code page: it gives the answers of a Windows system with
// code page 1252 (no lead bytes), from fixed tables.
#pragma once

#include <stdint.h>

namespace ql::platform {

struct CharacterTables {
  bool leadByte[256];  // the byte starts a two-byte character
  bool doubleByte;     // any byte is a lead byte
  // Case maps and white space; on a double-byte system the maps are the
  // identity and no byte is white space (they are not built there).
  uint8_t upper[256];
  uint8_t lower[256];
  bool space[256];
};

const CharacterTables& SystemCharacterTables();

}  // namespace ql::platform
