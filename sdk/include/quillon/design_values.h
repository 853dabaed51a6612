// Design-time property values as the mass-property data that
// RuntimeMassPropertySetter reads: records of a 16-bit big-endian property
// index and a big-endian value whose encoding the property's type selects
// (b: 1 byte, c: R G B, i: 4 bytes, s: 4-byte length and the bytes). The
// bytes are built at compile time and become a static string record of the
// image, so setting every value of an object costs one call and no start-up
// code:
//
//   constexpr auto kButton = quillon::DesignValues(
//       quillon::Text(ControlProperty::Name, "PushButton1"), quillon::Bool(ControlProperty::Visible, true),
//       quillon::Int(ControlProperty::Left, 178));
//   RuntimeMassPropertySetter(button, QL_DESIGN_VALUES(kButton));
#pragma once

#include <stddef.h>
#include <stdint.h>

#include "quillon/static_string.h"

namespace quillon {

// Bytes of one or more records; the data of DesignValues ends in one NUL
// that is not part of it (the string record's terminator).
template <size_t N>
struct DesignBytes {
  char text[N];
  static constexpr size_t kSize = N;
};

namespace detail {

template <size_t N>
consteval DesignBytes<N> Header(uint16_t index) {
  DesignBytes<N> b{};
  b.text[0] = static_cast<char>(index >> 8);
  b.text[1] = static_cast<char>(index & 0xFF);
  return b;
}

consteval void PutWord(char* out, uint32_t value) {
  for (int i = 0; i < 4; ++i) out[i] = static_cast<char>((value >> (24 - 8 * i)) & 0xFF);
}

template <size_t A, size_t B>
consteval DesignBytes<A + B> Join(const DesignBytes<A>& a, const DesignBytes<B>& b) {
  DesignBytes<A + B> out{};
  for (size_t i = 0; i < A; ++i) out.text[i] = a.text[i];
  for (size_t i = 0; i < B; ++i) out.text[A + i] = b.text[i];
  return out;
}

template <size_t A>
consteval DesignBytes<A> JoinAll(const DesignBytes<A>& a) {
  return a;
}
template <size_t A, size_t B, size_t... Rest>
consteval auto JoinAll(const DesignBytes<A>& a, const DesignBytes<B>& b, const DesignBytes<Rest>&... rest) {
  return JoinAll(Join(a, b), rest...);
}

}  // namespace detail

// A Boolean property (type code b).
consteval DesignBytes<3> Bool(uint16_t index, bool value) {
  DesignBytes<3> b = detail::Header<3>(index);
  b.text[2] = value ? 1 : 0;
  return b;
}

// An Integer property (type code i).
consteval DesignBytes<6> Int(uint16_t index, int32_t value) {
  DesignBytes<6> b = detail::Header<6>(index);
  detail::PutWord(b.text + 2, static_cast<uint32_t>(value));
  return b;
}

// A Color property (type code c), given as 0x00RRGGBB.
consteval DesignBytes<5> Color(uint16_t index, uint32_t rgb) {
  DesignBytes<5> b = detail::Header<5>(index);
  b.text[2] = static_cast<char>((rgb >> 16) & 0xFF);
  b.text[3] = static_cast<char>((rgb >> 8) & 0xFF);
  b.text[4] = static_cast<char>(rgb & 0xFF);
  return b;
}

// A String property (type code s): UTF-8 text, without its NUL.
template <size_t N>
consteval DesignBytes<6 + N - 1> Text(uint16_t index, const char (&text)[N]) {
  DesignBytes<6 + N - 1> b = detail::Header<6 + N - 1>(index);
  detail::PutWord(b.text + 2, static_cast<uint32_t>(N - 1));
  for (size_t i = 0; i + 1 < N; ++i) b.text[6 + i] = text[i];
  return b;
}

// Records in the order they are to be applied; groups of records made by
// Join count as their records.
template <size_t... N>
consteval auto Join(const DesignBytes<N>&... records) {
  return detail::JoinAll(records...);
}

// The complete data of one object: its records and the terminating NUL.
template <size_t... N>
consteval auto DesignValues(const DesignBytes<N>&... records) {
  return detail::Join(detail::JoinAll(records...), DesignBytes<1>{});
}

}  // namespace quillon

// The static string record holding a DesignValues constant (which must be a
// constexpr variable of namespace scope). Records with the same bytes share
// one string.
#define QL_DESIGN_VALUES(values) \
  (&::quillon::detail::kStaticString<::quillon::detail::Literal(values.text), QL_ENCODING_UNDEFINED>.header)
