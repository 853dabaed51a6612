// Entry points: objects.
#pragma once

#include "quillon/entrypoints/common.h"

QL_ENTRY void RuntimeLockObject(RuntimeObject* object);
QL_ENTRY void RuntimeUnlockObject(RuntimeObject* object);
