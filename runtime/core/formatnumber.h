// Number to text: the formatter behind Str and the Single type's text.
#pragma once

#include "core/string.h"

namespace ql {

enum class NumberForm {
  Automatic,  // exponent form above 1 000 000 and below 0.00001, else fixed
  Fixed,
  Exponent,
};

// `digits` significant digits (clamped to 1 .. 100). The result is ASCII.
String FormatNumber(double value, NumberForm form, int digits);

// Str: automatic form with 7 digits.
constexpr int kStrDigits = 7;

}  // namespace ql
