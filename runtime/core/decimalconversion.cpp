#include "core/decimalconversion.h"

#include <math.h>
#include <stdint.h>
#include <string.h>

namespace ql {
namespace {

constexpr int kMostScaleUp = 27;    // 5^27 still fits 63 bits
constexpr int kMostScaleDown = 18;  // 10^18 still fits 63 bits
constexpr uint64_t kTwoTo63 = uint64_t{1} << 63;

uint64_t PowerOfTen(int n) {
  uint64_t p = 1;
  while (n-- > 0) p *= 10;
  return p;
}

// An unsigned 128-bit integer in two halves: the 32-bit targets have no
// built-in one.
struct Wide {
  uint64_t high;
  uint64_t low;
};

// m × f for m < 2^53 and f < 2^64, in four 32-bit products.
Wide Multiply(uint64_t m, uint64_t f) {
  const uint64_t ml = m & 0xFFFFFFFFu, mh = m >> 32, fl = f & 0xFFFFFFFFu, fh = f >> 32;
  const uint64_t ll = ml * fl, lh = ml * fh, hl = mh * fl, hh = mh * fh;
  const uint64_t middle = (ll >> 32) + (lh & 0xFFFFFFFFu) + (hl & 0xFFFFFFFFu);  // below 3 × 2^32
  return Wide{hh + (lh >> 32) + (hl >> 32) + (middle >> 32), middle << 32 | (ll & 0xFFFFFFFFu)};
}

bool Bit(const Wide& w, int k) { return ((k < 64 ? w.low >> k : w.high >> (k - 64)) & 1) != 0; }

// Whether any of the bits below bit k is set (0 <= k < 128).
bool AnyBelow(const Wide& w, int k) {
  if (k <= 64) return (k == 64 ? w.low : w.low & ((uint64_t{1} << k) - 1)) != 0;
  return w.low != 0 || (w.high & ((uint64_t{1} << (k - 64)) - 1)) != 0;
}

// w / 2^t rounded half to even (0 < t < 128); false from 2^63 on.
bool ShiftRounded(const Wide& w, int t, uint64_t* out) {
  const Wide q = t >= 64 ? Wide{0, w.high >> (t - 64)} : Wide{w.high >> t, (w.low >> t) | (w.high << (64 - t))};
  if (q.high != 0 || q.low >= kTwoTo63) return false;
  uint64_t rounded = q.low;
  if (Bit(w, t - 1) && (AnyBelow(w, t - 1) || (rounded & 1) != 0)) ++rounded;
  if (rounded >= kTwoTo63) return false;
  *out = rounded;
  return true;
}

// A finite, positive double as mantissa × 2^exponent, read from its bits
// (the C library's frexp is slow under Windows).
struct Binary {
  uint64_t mantissa;  // below 2^53
  int exponent;
};

Binary Decompose(double magnitude) {
  uint64_t bits;
  memcpy(&bits, &magnitude, sizeof bits);
  const int biased = static_cast<int>(bits >> 52 & 0x7FF);
  const uint64_t fraction = bits & ((uint64_t{1} << 52) - 1);
  if (biased == 0) return Binary{fraction, -1074};  // subnormal
  return Binary{fraction | uint64_t{1} << 52, biased - 1075};
}

// magnitude × 10^scale for 0 <= scale <= 27.
bool ScaleUp(double magnitude, int scale, uint64_t* units) {
  const auto [mantissa, exponent] = Decompose(magnitude);
  // magnitude × 10^scale = mantissa × 5^scale × 2^(exponent + scale)
  uint64_t five = 1;
  for (int i = 0; i < scale; ++i) five *= 5;
  const Wide product = Multiply(mantissa, five);
  const int shift = exponent + scale;
  if (shift >= 0) {
    if (product.high != 0 || shift >= 63 || product.low >> (63 - shift) != 0) return false;
    *units = product.low << shift;
    return true;
  }
  if (-shift >= 128) {  // far below half a unit
    *units = 0;
    return true;
  }
  return ShiftRounded(product, -shift, units);
}

// magnitude / 10^places for 1 <= places <= 18 and magnitude below 2^63:
// its integer part is exact, and so is the fraction left over.
bool ScaleDown(double magnitude, int places, uint64_t* units) {
  if (!(magnitude < 0x1p63)) return false;
  const uint64_t integer = static_cast<uint64_t>(magnitude);  // the integer part, truncated
  const bool fractionLeft = static_cast<double>(integer) != magnitude;
  const uint64_t divisor = PowerOfTen(places), half = divisor / 2;
  uint64_t quotient = integer / divisor;
  const uint64_t remainder = integer % divisor;
  if (remainder > half || (remainder == half && (fractionLeft || (quotient & 1) != 0))) ++quotient;
  *units = quotient;
  return true;
}

// magnitude × 10^scale rounded half to even, for a finite magnitude.
bool RoundedUnits(double magnitude, int scale, uint64_t* units) {
  if (scale > kMostScaleUp || scale < -kMostScaleDown) return false;
  if (magnitude == 0) {
    *units = 0;
    return true;
  }
  return scale >= 0 ? ScaleUp(magnitude, scale, units) : ScaleDown(magnitude, -scale, units);
}

// The decimal digits of `units`, at least `least` of them (with leading
// zeros), most significant first; returns how many.
int Digits(uint64_t units, int least, char (&out)[20]) {
  char reversed[20];
  int count = 0;
  do {
    reversed[count++] = static_cast<char>('0' + units % 10);
    units /= 10;
  } while (units != 0 || count < least);
  for (int i = 0; i < count; ++i) out[i] = reversed[count - 1 - i];
  return count;
}

// The digits with a point before the last `decimals` of them.
char* PutDigits(char* p, const char* digits, int count, int decimals) {
  for (int i = 0; i < count; ++i) {
    if (i == count - decimals) *p++ = '.';
    *p++ = digits[i];
  }
  return p;
}

}  // namespace

bool WriteFixed(double value, int decimals, char (&out)[kDecimalTextCapacity]) {
  uint64_t units = 0;
  if (!isfinite(value) || decimals < 0 || decimals > kMostFixedDecimals ||
      !RoundedUnits(fabs(value), decimals, &units))
    return false;
  char digits[20];
  const int count = Digits(units, decimals + 1, digits);  // "0." leads a value below 1
  char* p = out;
  if (signbit(value)) *p++ = '-';  // printf keeps the sign of -0 and of what rounds to 0
  p = PutDigits(p, digits, count, decimals);
  *p = 0;
  return true;
}

bool WriteExponent(double value, int decimals, char (&out)[kDecimalTextCapacity]) {
  if (!isfinite(value) || decimals < 0 || decimals > kMostExponentDecimals) return false;
  const double magnitude = fabs(value);
  const uint64_t least = PowerOfTen(decimals), most = least * 10;  // the units of d.ddd
  int exponent = 0;  // of the first digit
  uint64_t units = 0;
  if (magnitude != 0) {
    // From the binary exponent: the exponent or one less (log10 is slow
    // under Windows). One less gives units from `most` on, those above it
    // are made again one place further, and `most` itself is the rounding
    // up below. Never one more, which would round once too coarsely.
    const Binary b = Decompose(magnitude);
    const int binary = b.exponent + 64 - __builtin_clzll(b.mantissa);  // magnitude in [2^(binary-1), 2^binary)
    // floor((binary - 1) × log10 2), exact for |binary| below 1650
    exponent = static_cast<int>(((static_cast<int64_t>(binary) - 1) * 78913) >> 18);
    if (!RoundedUnits(magnitude, decimals - exponent, &units)) return false;
    if (units > most) {
      ++exponent;
      if (!RoundedUnits(magnitude, decimals - exponent, &units)) return false;
    }
    if (units < least || units > most) return false;  // cannot happen: the estimate is never too large
    if (units == most) {  // rounded up to the next power of ten
      units = least;
      ++exponent;
    }
  }
  char digits[20];
  const int count = Digits(units, decimals + 1, digits);
  char* p = out;
  if (signbit(value)) *p++ = '-';
  p = PutDigits(p, digits, count, decimals);
  *p++ = 'e';
  *p++ = exponent < 0 ? '-' : '+';
  const int shown = exponent < 0 ? -exponent : exponent;
  if (shown >= 100) *p++ = static_cast<char>('0' + shown / 100);
  *p++ = static_cast<char>('0' + shown / 10 % 10);
  *p++ = static_cast<char>('0' + shown % 10);
  *p = 0;
  return true;
}

}  // namespace ql
