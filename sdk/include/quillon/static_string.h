// Static strings of a compiled image: QL_STR("text") is a RuntimeString*
// to a record laid out at compile time in the image's data section, which
// the image builder checks and relocates. The record
// is the runtime's own string layout with its buffer right behind it:
// reference count 1, text pointer 0 (set when the image is linked), size,
// length, encoding, then the length byte, the text and a NUL.
//
// QL_STR is UTF-8 text; QL_ASCII is for the ASCII names the image looks up
// (intrinsic class names, link names). The empty string is nil: write
// nullptr instead of QL_STR("").
#pragma once

#include <stddef.h>
#include <stdint.h>

#include "quillon/abi.h"

namespace quillon::detail {

// A string literal as a template argument.
template <size_t Size>
struct Literal {
  char text[Size];
  consteval Literal(const char (&literal)[Size]) {
    for (size_t i = 0; i < Size; ++i) text[i] = literal[i];
  }
};

// `Size` is sizeof the literal: the text and its NUL.
template <size_t Size>
struct StaticStringRecord {
  RuntimeString header;
  unsigned char buffer[Size + 1];  // length byte, text, NUL
};

template <size_t Size>
consteval StaticStringRecord<Size> MakeStaticString(const char (&text)[Size], uint32_t encoding) {
  static_assert(Size > 1, "the empty string is nil: write nullptr");
  constexpr size_t length = Size - 1;
  StaticStringRecord<Size> record{};
  record.header.refCount = 1;
  record.header.text = nullptr;
  record.header.size = static_cast<uint32_t>(length + 2);
  record.header.length = static_cast<int32_t>(length);
  record.header.encoding = encoding;
  record.buffer[0] = static_cast<unsigned char>(length < 255 ? length : 255);
  for (size_t i = 0; i < length; ++i) record.buffer[i + 1] = static_cast<unsigned char>(text[i]);
  record.buffer[Size] = 0;
  return record;
}

// One record per distinct text and encoding in the whole image (identical
// uses share it across objects), and its address is a constant: QL_STR can
// initialise constant tables without start-up code. The compiler puts each
// instance in a COMDAT section of its own (.data$ and the mangled name),
// which the image builder recognises as a string section; keep the name.
template <Literal L, uint32_t Encoding>
[[gnu::section(".qlstr")]] inline constinit StaticStringRecord<sizeof(L.text)> kStaticString =
    MakeStaticString(L.text, Encoding);

}  // namespace quillon::detail

#define QL_STR(literal) \
  (&::quillon::detail::kStaticString<::quillon::detail::Literal(literal), QL_ENCODING_UTF8>.header)
#define QL_ASCII(literal) \
  (&::quillon::detail::kStaticString<::quillon::detail::Literal(literal), QL_ENCODING_ASCII>.header)
