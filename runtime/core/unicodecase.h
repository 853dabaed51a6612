// Simple case mapping of the basic multilingual plane (UTF-16 code units).
#pragma once

namespace ql {

// The partner of a code unit that has one; anything else maps to itself.
char16_t UnicodeToUpper(char16_t unit);
char16_t UnicodeToLower(char16_t unit);
// Whether the unit changes under either mapping.
bool HasCasePartner(char16_t unit);

// Distinct (upper, lower) pairs in the table (for documentation and tests).
int UnicodeCasePairCount();

}  // namespace ql
