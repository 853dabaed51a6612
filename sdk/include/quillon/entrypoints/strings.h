// Entry points: runtime strings and the string and number functions.
#pragma once

#include "quillon/entrypoints/common.h"

QL_ENTRY RuntimeString* RuntimeLockString(RuntimeString* s);
QL_ENTRY void RuntimeUnlockString(RuntimeString* s);
QL_ENTRY void RuntimeLockUnlockStrings(RuntimeString* newValue, RuntimeString* oldValue);
QL_ENTRY RuntimeString* RuntimeAddString(RuntimeString* left, RuntimeString* right);
QL_ENTRY int32_t RuntimeStringCompare(RuntimeString* left, RuntimeString* right);
