// What a character is in the text of a runtime string: the character model
// of each encoding, shared by the string functions.
#pragma once

#include <stdint.h>

#include "quillon/abi.h"

namespace ql {

enum class CharacterModel {
  SingleByte,  // ASCII, and any encoding on a single-byte system
  UTF8,        // a lead byte and its continuation bytes
  UTF16,       // one 16-bit code unit
  DoubleByte,  // one byte, or two when the first is a lead byte of the system
};

CharacterModel CharacterModelFor(uint32_t encoding);

inline bool IsContinuationByte(uint8_t byte) { return byte >= 0x80 && byte <= 0xBF; }

// Byte length of the character at `offset` (at least 1, at most to the end).
int32_t CharacterLength(CharacterModel model, const char* text, int32_t length, int32_t offset);

// The code point of the UTF-8 character at `offset`, which is `*size`
// bytes long; a byte that starts no well-formed sequence stands for itself.
uint32_t DecodeUTF8At(const char* text, int32_t length, int32_t offset, int32_t* size);

}  // namespace ql
