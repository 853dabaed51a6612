// printf's %.*f and %.*e for ordinary values, exactly and without the C
// library: the value scaled by a power of ten and rounded half to even to an
// integer, computed in integers from the double's bits. The C library's
// formatting is slow under Windows (most of the calculator's repeated
// addition), and the general exact converters bring large tables.
#pragma once

#include <stddef.h>

namespace ql {

// The longest text written: sign, 19 digits, point, "e-308" and the zero.
constexpr size_t kDecimalTextCapacity = 32;
// The most decimals taken.
constexpr int kMostFixedDecimals = 17;
constexpr int kMostExponentDecimals = 17;

// Each writes what snprintf with "%.*f" or "%.*e" writes, its terminating
// zero included, and returns true. Each returns false, writing nothing, for
// a value that is not finite, more decimals than it takes, digits that do
// not fit 63 bits, or a value that needs scaling by more than 10^27 (below
// about 10^-20 for %.*e); %.*e also from 10^18 on.
bool WriteFixed(double value, int decimals, char (&out)[kDecimalTextCapacity]);
bool WriteExponent(double value, int decimals, char (&out)[kDecimalTextCapacity]);

}  // namespace ql
