// The recorded stack limit of each thread. Nothing tests against it
// (RuntimeStackCheck checks nothing); the plug-in interface reads and
// replaces it.
#pragma once

#include <stdint.h>

namespace ql {

// The main thread keeps this much stack below its position at start-up.
constexpr uintptr_t kMainThreadStackReserve = 0x40000;
// The stack of a runtime thread whose size was left at 0 or less.
constexpr int32_t kDefaultThreadStackSize = 0xE2000;

// Records, for the calling thread, its current stack position minus the reserve.
void RecordMainThreadStackLimit();
// The calling thread's recorded limit (0 until recorded).
uintptr_t StackLimit();
void SetStackLimit(uintptr_t limit);

// A thread's stack size: the requested one, or the default when it is 0 or less.
int32_t EffectiveThreadStackSize(int32_t requested);
// The limit of a runtime thread that starts at `startPosition`.
uintptr_t ThreadStackLimit(uintptr_t startPosition, int32_t requestedSize);

}  // namespace ql
