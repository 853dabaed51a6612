// Joining runtime strings: concatenation with encoding reconciliation and
// appending a single byte.
#include <string.h>

#include "core/string.h"
#include "quillon/entrypoints/strings.h"

namespace ql {
namespace {

String JoinBytes(const char* a, int32_t aLength, const char* b, int32_t bLength, uint32_t encoding) {
  if (aLength > INT32_MAX - bLength) return String();  // no text that long can be stored
  String result = NewStringWithText(nullptr, aLength + bLength, encoding);
  if (result.empty()) return result;
  char* text = result.get()->text + 1;
  memcpy(text, a, static_cast<size_t>(aLength));
  memcpy(text + aLength, b, static_cast<size_t>(bLength));
  return result;
}

String Join(RuntimeString* left, RuntimeString* right, uint32_t encoding) {
  return JoinBytes(StringText(left), StringLength(left), StringText(right), StringLength(right), encoding);
}

}  // namespace

String ConcatStrings(RuntimeString* left, RuntimeString* right) {
  if (!right) return String::Retain(left);
  if (!left) return String::Retain(right);
  if (left->encoding == right->encoding) return Join(left, right, left->encoding);
  String a = String::Retain(left), b = String::Retain(right);
  const uint32_t encoding = ReconcileStrings(a, b);
  // Undefined: no common encoding, the raw bytes are joined.
  return Join(a.get(), b.get(), encoding);
}

String AppendByte(RuntimeString* s, uint8_t byte) {
  const char c = static_cast<char>(byte);
  const uint32_t encoding =
      byte < 0x80 ? CombineEncodings(StringEncoding(s), QL_ENCODING_ASCII, Force::No) : QL_ENCODING_UNDEFINED;
  return JoinBytes(StringText(s), StringLength(s), &c, 1, encoding);
}

}  // namespace ql

// The arguments are borrowed: the caller's references keep them for the
// call, so no reference of its own is taken on the hot path.
QL_ENTRY RuntimeString* RuntimeAddString(RuntimeString* left, RuntimeString* right) {
  return ql::ConcatStrings(left, right).release();
}
