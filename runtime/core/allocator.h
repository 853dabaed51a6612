// The runtime's block allocator: per-size free lists for small blocks, the
// general heap for the rest, a count of bytes in use, all under one lock.
#pragma once

#include <stddef.h>

namespace ql {

// A block of `size` bytes, or nullptr when memory is exhausted. Release it
// with the same size.
void* Allocate(size_t size);
void Release(void* block, size_t size);

// The same two for a caller that already holds platform::AllocatorLock(),
// to take or return several blocks under one lock.
void* AllocateHoldingLock(size_t size);
void ReleaseHoldingLock(void* block, size_t size);

// For callers that cannot continue without the memory: on failure the
// failed-assertion dialog reports it and the process ends.
void* AllocateOrDie(size_t size);

// Blocks that remember their size: an 8-byte {size, 0xDEADBEEF} prefix.
void* AllocateTagged(size_t size);
void* AllocateTaggedOrDie(size_t size);
void ReleaseTagged(void* block);

// Bytes currently handed out (rounded sizes, prefixes included).
size_t AllocatedBytes();

// Zero-filled variants.
void* AllocateZeroed(size_t size);

// --- Failing on purpose, for tests ---

// What the caller of a request does when it fails.
enum class OnFailure {
  Refuse,      // reports or refuses in its own way (Allocate, AllocateZeroed, AllocateTagged)
  EndProcess,  // cannot go on (the ...OrDie forms): the process ends
};
// Asked before each request is served; false makes it fail as if memory
// were exhausted. Tests install one (tests/support/allocation_failure.h).
using AllocationGate = bool (*)(size_t size, OnFailure onFailure);
// nullptr serves every request. Returns the gate installed before.
AllocationGate SetAllocationGate(AllocationGate gate);
// For memory taken from elsewhere (executable memory): whether the gate
// lets a request of a caller that refuses through.
bool AllocationPermitted(size_t size);

// Largest request served from the free lists.
constexpr size_t kSmallBlockUnits = 63;
constexpr size_t kUnitSize = 4;
constexpr size_t kSmallBlockLimit = kSmallBlockUnits * kUnitSize;

}  // namespace ql
