// The runtime's exported entry points, as compiled images call them. The
// runtime includes this header too, so both sides agree on every signature.
// All use the C calling convention; a Boolean result is the low byte.
#pragma once

#include "quillon/abi.h"

#define QL_ENTRY extern "C"

// Strings
QL_ENTRY RuntimeString* RuntimeLockString(RuntimeString* s);
QL_ENTRY void RuntimeUnlockString(RuntimeString* s);
QL_ENTRY void RuntimeLockUnlockStrings(RuntimeString* newValue, RuntimeString* oldValue);
QL_ENTRY RuntimeString* RuntimeAddString(RuntimeString* left, RuntimeString* right);
QL_ENTRY int32_t RuntimeStringCompare(RuntimeString* left, RuntimeString* right);
