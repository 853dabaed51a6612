// TextEncoding objects: an encoding value (QL_ENCODING_*) as an object, for
// properties and parameters of that type (a text stream's Encoding).
#pragma once

#include <stddef.h>
#include <stdint.h>

#include "core/object.h"
#include "quillon/abi.h"

namespace ql {

struct TextEncodingObject {
  RuntimeObject header;
  uint32_t encoding;  // the text encoding value
};

#if defined(__i386__)
static_assert(sizeof(TextEncodingObject) == 32 && offsetof(TextEncodingObject, encoding) == 28);
#elif defined(__x86_64__)
static_assert(sizeof(TextEncodingObject) == 64 && offsetof(TextEncodingObject, encoding) == 56);
#endif

// A new object holding the value; nil when it cannot be made
// (NilObjectException raised).
ObjectRef NewTextEncodingObject(uint32_t encoding);

// The value an encoding object holds; `fallback` for nil or an object of
// another class.
uint32_t TextEncodingValue(RuntimeObject* encoding, uint32_t fallback);

}  // namespace ql
