#include "core/formatnumber.h"

#include <math.h>
#include <stdio.h>
#include <string.h>

#include "core/decimalconversion.h"
#include "quillon/entrypoints/strings.h"

namespace ql {
namespace {

constexpr int kMaxDigits = 100;
// The longest text: 309 integer digits, sign, point and kMaxDigits decimals.
constexpr size_t kTextCapacity = 512;

bool UsesExponentForm(double magnitude, NumberForm form) {
  if (form != NumberForm::Automatic) return form == NumberForm::Exponent;
  return magnitude > 1000000.0 || (magnitude > 0 && magnitude < 0.00001);
}

int IntegerDigits(double magnitude) {
  if (!isfinite(magnitude)) return 0;
  int k = 0;
  for (; magnitude >= 1; magnitude /= 10) ++k;
  return k;
}

// "e+06" becomes "e+6"; "e+10" and "e-06" stay.
void ShortenExponent(char* text) {
  if (char* e = strstr(text, "e+0")) memmove(e + 2, e + 3, strlen(e + 3) + 1);
}

// Leading spaces go; a minus before nothing but zeros and points goes too.
char* TrimSign(char* text) {
  while (*text == ' ') ++text;
  if (text[0] == '-' && text[1] && strspn(text + 1, "0.") == strlen(text + 1)) ++text;
  return text;
}

void TrimTrailingZeros(char* text) {
  size_t n = strlen(text);
  while (n > 0 && text[n - 1] == '0') text[--n] = 0;
  if (n > 0 && text[n - 1] == '.') text[--n] = 0;
}

// What %.*e or %.*f writes, with its terminating zero: ordinary values
// without the C library, which is slow under Windows.
void Convert(double value, bool exponent, int decimals, char (&buffer)[kTextCapacity]) {
  char text[kDecimalTextCapacity];
  if (exponent ? WriteExponent(value, decimals, text) : WriteFixed(value, decimals, text)) {
    memcpy(buffer, text, strlen(text) + 1);
    return;
  }
  snprintf(buffer, kTextCapacity, exponent ? "%.*e" : "%.*f", decimals, value);
}

}  // namespace

String FormatNumber(double value, NumberForm form, int digits) {
  if (digits < 1) digits = 1;
  if (digits > kMaxDigits) digits = kMaxDigits;
  if (value == 0) value = 0;  // -0 becomes +0
  const double magnitude = fabs(value);
  const bool exponent = UsesExponentForm(magnitude, form);
  int decimals = exponent ? digits - 1 : digits - IntegerDigits(magnitude);
  if (decimals < 0) decimals = 0;

  // The conversions %.6e, %.7f and so on.
  char buffer[kTextCapacity];
  Convert(value, exponent, decimals, buffer);
  if (exponent) ShortenExponent(buffer);
  char* text = TrimSign(buffer);
  if (!exponent && decimals > 0) TrimTrailingZeros(text);
  return NewStringFromCText(text);
}

}  // namespace ql

QL_ENTRY RuntimeString* StringStr(double value) {
  return ql::FormatNumber(value, ql::NumberForm::Automatic, ql::kStrDigits).release();
}
