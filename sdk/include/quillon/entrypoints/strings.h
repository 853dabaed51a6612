// Entry points: runtime strings and the string and number functions.
#pragma once

#include "quillon/entrypoints/common.h"

QL_ENTRY RuntimeString* RuntimeLockString(RuntimeString* s);
QL_ENTRY void RuntimeUnlockString(RuntimeString* s);
QL_ENTRY void RuntimeLockUnlockStrings(RuntimeString* newValue, RuntimeString* oldValue);
QL_ENTRY RuntimeString* RuntimeAddString(RuntimeString* left, RuntimeString* right);
QL_ENTRY int32_t RuntimeStringCompare(RuntimeString* left, RuntimeString* right);

// The language's string and number built-ins. String arguments are
// borrowed; string results carry one reference for the caller.
QL_ENTRY RuntimeString* StringStr(double value);
QL_ENTRY double StringVal(RuntimeString* s);
QL_ENTRY double runCDbl(RuntimeString* s);
QL_ENTRY RuntimeString* StringNthField(RuntimeString* text, RuntimeString* delimiter, int32_t n);
QL_ENTRY int32_t StringCountFields(RuntimeString* text, RuntimeString* delimiter);
QL_ENTRY RuntimeString* StringDBCSMid3(RuntimeString* text, int32_t start, int32_t count);
QL_ENTRY int32_t StringDBCSLen(RuntimeString* text);
QL_ENTRY int32_t StringDBCSAsc(RuntimeString* text);
QL_ENTRY RuntimeString* StringDBCSChr(int32_t code);
