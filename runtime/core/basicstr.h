// The language's string built-ins: fields of a delimited text and
// character-aware substring, length, code and character. Positions and
// counts are 1-based and count characters (runtime/core/characters.h).
// The exported entry points (StringNthField, ...) wrap these.
#pragma once

#include <stdint.h>

#include "core/string.h"

namespace ql {

String NthField(RuntimeString* text, RuntimeString* delimiter, int32_t n);
int32_t CountFields(RuntimeString* text, RuntimeString* delimiter);
String Mid(RuntimeString* text, int32_t start, int32_t count);
int32_t Len(RuntimeString* text);
int32_t Asc(RuntimeString* text);
String Chr(int32_t code);

}  // namespace ql
