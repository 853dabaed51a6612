// Text to number: Val and CDbl.
#pragma once

#include "core/string.h"
#include "platform/locale.h"

namespace ql {

// Val: radix prefixes &h, &o and &b, else the decimal rules of strtod
// (leading white space, sign, digits, point, exponent; the longest valid
// prefix counts; no valid prefix gives 0). Independent of any C locale.
double ParseNumber(RuntimeString* s);

// CDbl with the given separators: every thousands separator is removed,
// then every decimal separator becomes ".", then ParseNumber.
double ParseLocaleNumber(RuntimeString* s, const platform::LocaleSeparators& separators);

}  // namespace ql
