// Fuzz entry: any bytes as the text that Val (StringVal) or CDbl (runCDbl
// with given separators) reads. The first byte picks the function and the
// text's encoding; CDbl's separators come next. Besides never crashing, Val
// of a decimal text must be what the C library's strtod reads from it (hex
// floats aside: Val reads "0x1" as 0), the same text in UTF-16 must read
// alike, and CDbl must be Val of the text with the thousands separators
// removed and the decimal separators made points.
#include <math.h>
#include <stddef.h>
#include <stdint.h>
#include <stdlib.h>
#include <string.h>

#include <string>

#include "core/parsenumber.h"
#include "core/string.h"
#include "quillon/entrypoints/strings.h"
#include "support/fuzz_support.h"

namespace {

using ql::fuzz::Require;

constexpr uint32_t kEncodings[] = {QL_ENCODING_ASCII, QL_ENCODING_UTF8, 0x0500 /* Windows Latin 1 */,
                                   QL_ENCODING_UNDEFINED};

bool Same(double a, double b) { return a == b || (isnan(a) && isnan(b)); }

bool IsAscii(const std::string& text) {
  for (unsigned char c : text)
    if (c >= 0x80) return false;
  return true;
}

bool IsCSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// What strtod reads from the text, with hexadecimal floats read as their "0".
double Strtod(const std::string& text) {
  size_t at = 0;
  while (at < text.size() && IsCSpace(text[at])) ++at;
  if (at < text.size() && (text[at] == '+' || text[at] == '-')) ++at;
  if (text.compare(at, 2, "0x") == 0 || text.compare(at, 2, "0X") == 0) return 0;
  return strtod(text.c_str(), nullptr);
}

// Every occurrence of `from`, left to right and not overlapping, made `to`.
std::string ReplaceAll(const std::string& text, const std::string& from, const std::string& to) {
  if (from.empty()) return text;
  std::string out;
  size_t at = 0;
  for (size_t found; (found = text.find(from, at)) != std::string::npos; at = found + from.size())
    out.append(text, at, found - at).append(to);
  return out.append(text, at);
}

ql::String Utf16Of(const std::string& ascii) {
  std::string units;
  for (char c : ascii) units.append({c, '\0'});
  return ql::NewStringFromBytes(units.data(), static_cast<int32_t>(units.size()), QL_ENCODING_UTF16);
}

ql::String Make(const std::string& text, uint32_t encoding) {
  return ql::NewStringFromBytes(text.data(), static_cast<int32_t>(text.size()), encoding);
}

void CopySeparator(const std::string& from, char (&to)[4]) {
  memset(to, 0, sizeof to);
  memcpy(to, from.data(), from.size() < sizeof to ? from.size() : sizeof to);
}

void CheckVal(const std::string& text, uint32_t encoding) {
  const ql::String s = Make(text, encoding);
  const double value = StringVal(s.get());
  if (text.size() > 1 && text[0] == '&') return;  // a radix prefix
  Require(Same(value, Strtod(text)), "Val reads what strtod reads");
  if (IsAscii(text)) Require(Same(value, StringVal(Utf16Of(text).get())), "Val of UTF-16 text reads alike");
}

void CheckCDbl(const std::string& text, uint32_t encoding, const std::string& thousands, const std::string& decimal) {
  ql::platform::LocaleSeparators separators;
  CopySeparator(thousands, separators.thousands);
  CopySeparator(decimal, separators.decimal);
  const ql::String s = Make(text, encoding);
  const double value = ql::ParseLocaleNumber(s.get(), separators);
  // Separators that are not ASCII are converted to the text's encoding first.
  if (!IsAscii(thousands) || !IsAscii(decimal) || memchr(thousands.data(), 0, thousands.size()) ||
      memchr(decimal.data(), 0, decimal.size()))
    return;
  const std::string plain = ReplaceAll(ReplaceAll(text, thousands, ""), decimal, ".");
  Require(Same(value, StringVal(Make(plain, encoding).get())), "CDbl is Val of the text with points");
  if (IsAscii(text)) Require(Same(value, ql::ParseLocaleNumber(Utf16Of(text).get(), separators)),
                             "CDbl of UTF-16 text reads alike");
}

// Conversions keep what they set up on first use: set up here, before any
// input is weighed against the allocator's count.
const bool kReady = [] {
  ql::fuzz::QuietReports();
  CheckVal("1", QL_ENCODING_UTF8);
  CheckCDbl("1,5", QL_ENCODING_UTF8, ".", ",");
  CheckCDbl("1\xA0" "5", 0x0500, "\xA0", ",");
  return true;
}();

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
  ql::fuzz::InputReader in(bytes, size);
  const uint8_t choice = in.Byte();
  const uint32_t encoding = kEncodings[(choice >> 1) % 4];
  const ql::fuzz::AllocationBalance balance;
  if (choice & 1) {
    const std::string thousands = in.Text(3);
    const std::string decimal = in.Text(3);
    CheckCDbl(in.Bytes(in.left()), encoding, thousands, decimal);
  } else {
    CheckVal(in.Bytes(in.left()), encoding);
  }
  balance.Check("the texts are released");
  return 0;
}
