#include "core/parsenumber.h"

#include <math.h>
#include <string.h>

#include <charconv>

#include "core/stringsearch.h"
#include "quillon/entrypoints/strings.h"

namespace ql {
namespace {

int RadixOf(char selector) {
  switch (selector) {
    case 'h':
    case 'H':
      return 16;
    case 'o':
    case 'O':
      return 8;
    case 'b':
    case 'B':
      return 2;
    default:
      return 0;
  }
}

// The value of a byte as a digit of the radix, or -1. Hexadecimal counts
// every letter (A and a are 10, Z and z are 35).
int DigitValue(uint8_t byte, int radix) {
  if (byte >= '0' && byte <= '9') return byte - '0' < radix ? byte - '0' : -1;
  if (radix != 16) return -1;
  if (byte >= 'A' && byte <= 'Z') return byte - 'A' + 10;
  if (byte >= 'a' && byte <= 'z') return byte - 'a' + 10;
  return -1;
}

double ParseRadix(const char* text, int32_t length) {
  const int radix = RadixOf(text[1]);
  if (radix == 0) return 0;
  uint32_t value = 0;  // wraps, as a 32-bit integer does
  for (int32_t i = 2; i < length; ++i) {
    const int digit = DigitValue(static_cast<uint8_t>(text[i]), radix);
    if (digit >= 0) value = value * static_cast<uint32_t>(radix) + static_cast<uint32_t>(digit);
  }
  return static_cast<int32_t>(value);
}

bool IsCSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// The decimal exponent of the first significant digit of a decimal text
// that overflowed or underflowed: above 0 means too large.
bool IsTooLarge(const char* p, const char* end) {
  int64_t position = 0;  // digits before the point, less leading zeros
  bool seenDigit = false, afterPoint = false;
  int64_t leadingZerosAfterPoint = 0;
  for (; p < end; ++p) {
    if (*p == '.') {
      afterPoint = true;
    } else if (*p >= '0' && *p <= '9') {
      if (!seenDigit && *p == '0') {
        if (afterPoint) ++leadingZerosAfterPoint;
        continue;
      }
      seenDigit = true;
      if (!afterPoint) ++position;
    } else {
      break;
    }
  }
  if (position == 0) position = -leadingZerosAfterPoint;
  int64_t exponent = 0;
  if (p < end && (*p == 'e' || *p == 'E')) {
    ++p;
    const bool negative = p < end && *p == '-';
    if (p < end && (*p == '-' || *p == '+')) ++p;
    for (; p < end && *p >= '0' && *p <= '9'; ++p)
      if (exponent < 100000) exponent = exponent * 10 + (*p - '0');
    if (negative) exponent = -exponent;
  }
  return position + exponent > 0;
}

double ParseDecimal(const char* text, int32_t length) {
  const char* p = text;
  const char* end = text + length;
  while (p < end && IsCSpace(*p)) ++p;
  bool negative = false;
  if (p < end && (*p == '+' || *p == '-')) negative = *p++ == '-';
  if (p == end || *p == '+' || *p == '-') return 0;  // one sign at most
  double value = 0;
  const std::from_chars_result r = std::from_chars(p, end, value, std::chars_format::general);
  if (r.ec == std::errc::result_out_of_range) value = IsTooLarge(p, end) ? HUGE_VAL : 0;
  else if (r.ec != std::errc()) value = 0;
  return negative ? -value : value;
}

int32_t SeparatorLength(const char (&separator)[4]) {
  return static_cast<int32_t>(strnlen(separator, sizeof separator));
}

}  // namespace

double ParseNumber(RuntimeString* s) {
  if (!s) return 0;
  String text = IsWideEncoding(s->encoding) ? ConvertToUTF8(s) : String::Retain(s);
  const int32_t length = text.length();
  if (length == 0) return 0;
  if (length > 1 && text.text()[0] == '&') return ParseRadix(text.text(), length);
  return ParseDecimal(text.text(), length);
}

double ParseLocaleNumber(RuntimeString* s, const platform::LocaleSeparators& separators) {
  if (!s) return 0;
  String text = IsWideEncoding(s->encoding) ? ConvertToUTF8(s) : String::Retain(s);
  // The locale's texts are in the system's encoding.
  const String thousands = NewStringFromBytes(separators.thousands, SeparatorLength(separators.thousands), SystemEncoding());
  const String decimal = NewStringFromBytes(separators.decimal, SeparatorLength(separators.decimal), SystemEncoding());
  const String point = NewStringFromCText(".");
  text = ReplaceAll(text.get(), thousands.get(), nullptr, Match::Exact);
  text = ReplaceAll(text.get(), decimal.get(), point.get(), Match::Exact);
  return ParseNumber(text.get());
}

}  // namespace ql

QL_ENTRY double StringVal(RuntimeString* s) {
  const ql::String text = ql::String::Retain(s);
  return ql::ParseNumber(text.get());
}

QL_ENTRY double runCDbl(RuntimeString* s) {
  const ql::String text = ql::String::Retain(s);
  return ql::ParseLocaleNumber(text.get(), ql::platform::UserLocaleSeparators());
}
