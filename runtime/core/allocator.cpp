#include "core/allocator.h"

#include <stdint.h>
#include <stdlib.h>
#include <string.h>

#include <atomic>

#include "core/assertion.h"
#include "platform/lock.h"

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/asan_interface.h>
#define QL_POISON(p, n) ASAN_POISON_MEMORY_REGION((p), (n))
#define QL_UNPOISON(p, n) ASAN_UNPOISON_MEMORY_REGION((p), (n))
#else
#define QL_POISON(p, n) ((void)(p), (void)(n))
#define QL_UNPOISON(p, n) ((void)(p), (void)(n))
#endif

namespace ql {
namespace {

constexpr size_t kChunkSize = 8 * 1024;
constexpr uint32_t kLiveMarker = 0xDEADBEEF;
constexpr uint32_t kDeadMarker = 0xDEADDEAD;
// Slots keep pointers and doubles aligned on every target.
constexpr size_t kSlotAlign = alignof(void*) > alignof(double) ? alignof(void*) : alignof(double);

// A free slot keeps its list link in its last pointer-sized word, so that
// the prefix of a released tagged block keeps its dead marker.
struct FreeSlot {
  FreeSlot* next;
};

struct TagPrefix {
  uint32_t size;    // bytes requested by the caller
  uint32_t marker;  // kLiveMarker while allocated, kDeadMarker once released
};
static_assert(sizeof(TagPrefix) == 8);

// Chunks are kept on a list of their own: they are never returned, and the
// list keeps them visibly reachable for leak checkers.
struct Chunk {
  Chunk* next;
};
constexpr size_t kChunkHeader = (sizeof(Chunk) + kSlotAlign - 1) & ~(kSlotAlign - 1);

struct Heap {
  FreeSlot* freeLists[kSmallBlockUnits + 1] = {};
  Chunk* chunks = nullptr;
  size_t bytesInUse = 0;
};

Heap& TheHeap() {
  static Heap heap;
  return heap;
}

std::atomic<AllocationGate> g_gate{nullptr};

bool Permitted(size_t size, OnFailure onFailure) {
  const AllocationGate gate = g_gate.load(std::memory_order_relaxed);
  return !gate || gate(size, onFailure);
}

// Rounded up without overflow: a size near SIZE_MAX must not wrap into a small class.
size_t UnitsFor(size_t size) { return size == 0 ? 1 : size / kUnitSize + (size % kUnitSize != 0); }

// No heap serves more than PTRDIFF_MAX bytes (pointer differences must fit);
// such a request fails here instead of reaching malloc.
bool CanServe(size_t size) { return size <= static_cast<size_t>(PTRDIFF_MAX); }

size_t SlotBytes(size_t units) { return (units * kUnitSize + kSlotAlign - 1) & ~(kSlotAlign - 1); }

FreeSlot* LinkOf(void* block, size_t units) {
  return reinterpret_cast<FreeSlot*>(static_cast<char*>(block) + SlotBytes(units) - sizeof(FreeSlot));
}

void* BlockOf(FreeSlot* link, size_t units) {
  return reinterpret_cast<char*>(link) - (SlotBytes(units) - sizeof(FreeSlot));
}

// Carves a fresh chunk into slots of one size class. Chunks are never
// returned: the free lists keep their slots for reuse.
bool Refill(Heap& heap, size_t units) {
  const size_t slot = SlotBytes(units);
  Chunk* chunk = static_cast<Chunk*>(malloc(kChunkSize));
  if (!chunk) return false;
  chunk->next = heap.chunks;
  heap.chunks = chunk;
  char* slots = reinterpret_cast<char*>(chunk) + kChunkHeader;
  const size_t count = (kChunkSize - kChunkHeader) / slot;
  for (size_t i = count; i-- > 0;) {
    FreeSlot* link = LinkOf(slots + i * slot, units);
    link->next = heap.freeLists[units];
    heap.freeLists[units] = link;
  }
  QL_POISON(slots, kChunkSize - kChunkHeader);
  return true;
}

// Under AddressSanitizer a released small block is poisoned; reading its
// prefix would stop the process before the report could be made.
bool IsReleasedSlot(const void* prefix) {
#if defined(__SANITIZE_ADDRESS__)
  return __asan_address_is_poisoned(prefix) != 0;
#else
  (void)prefix;
  return false;
#endif
}

[[noreturn]] void OutOfMemory() {
  ReportAssertion("utility", 839, "0");
  platform::EndProcess();
  platform::FatalExit("Gentle Shutdown Failed.  Attempting Forced Shutdown.");
}

void* ServeHoldingLock(size_t size, OnFailure onFailure) {
  if (!Permitted(size, onFailure)) return nullptr;
  Heap& heap = TheHeap();
  const size_t units = UnitsFor(size);
  if (units > kSmallBlockUnits) {
    void* block = CanServe(size) ? malloc(size) : nullptr;
    if (block) heap.bytesInUse += size;
    return block;
  }
  if (!heap.freeLists[units] && !Refill(heap, units)) return nullptr;
  FreeSlot* link = heap.freeLists[units];
  void* block = BlockOf(link, units);
  QL_UNPOISON(block, SlotBytes(units));
  heap.freeLists[units] = link->next;
  heap.bytesInUse += units * kUnitSize;
  return block;
}

// Every request comes here, so that the gate sees each one once.
void* Serve(size_t size, OnFailure onFailure) {
  if (UnitsFor(size) > kSmallBlockUnits) {
    if (!Permitted(size, onFailure)) return nullptr;
    // The general heap has a lock of its own; only the count needs ours.
    void* block = CanServe(size) ? malloc(size) : nullptr;
    if (block) {
      platform::LockGuard guard(platform::AllocatorLock());
      TheHeap().bytesInUse += size;
    }
    return block;
  }
  platform::LockGuard guard(platform::AllocatorLock());
  return ServeHoldingLock(size, onFailure);
}

void* TaggedBlock(size_t size, OnFailure onFailure) {
  if (size > UINT32_MAX - sizeof(TagPrefix)) return nullptr;
  TagPrefix* prefix = static_cast<TagPrefix*>(Serve(size + sizeof(TagPrefix), onFailure));
  if (!prefix) return nullptr;
  prefix->size = static_cast<uint32_t>(size);
  prefix->marker = kLiveMarker;
  return prefix + 1;
}

}  // namespace

void* AllocateHoldingLock(size_t size) { return ServeHoldingLock(size, OnFailure::Refuse); }

void ReleaseHoldingLock(void* block, size_t size) {
  if (!block) return;
  Heap& heap = TheHeap();
  const size_t units = UnitsFor(size);
  if (units > kSmallBlockUnits) {
    heap.bytesInUse -= size;
    free(block);
    return;
  }
  FreeSlot* link = LinkOf(block, units);
  link->next = heap.freeLists[units];
  heap.freeLists[units] = link;
  heap.bytesInUse -= units * kUnitSize;
  QL_POISON(block, SlotBytes(units));
}

void* Allocate(size_t size) { return Serve(size, OnFailure::Refuse); }

void Release(void* block, size_t size) {
  if (!block) return;
  if (UnitsFor(size) > kSmallBlockUnits) {
    {
      platform::LockGuard guard(platform::AllocatorLock());
      TheHeap().bytesInUse -= size;
    }
    free(block);
    return;
  }
  platform::LockGuard guard(platform::AllocatorLock());
  ReleaseHoldingLock(block, size);
}

void* AllocateOrDie(size_t size) {
  void* block = Serve(size, OnFailure::EndProcess);
  if (!block) OutOfMemory();
  return block;
}

void* AllocateZeroed(size_t size) {
  void* block = Allocate(size);
  if (block) memset(block, 0, size);
  return block;
}

void* AllocateTagged(size_t size) { return TaggedBlock(size, OnFailure::Refuse); }

void* AllocateTaggedOrDie(size_t size) {
  void* block = TaggedBlock(size, OnFailure::EndProcess);
  if (!block) OutOfMemory();
  return block;
}

void ReleaseTagged(void* block) {
  if (!block) return;
  TagPrefix* prefix = static_cast<TagPrefix*>(block) - 1;
  if (IsReleasedSlot(prefix) || prefix->marker != kLiveMarker) {
    // A wrong marker means a double release or a write before the block:
    // releasing it would corrupt the free lists, so the block is left alone.
    ReportAssertion("utility", __LINE__, "overwrote start of block");
    return;
  }
  prefix->marker = kDeadMarker;
  Release(prefix, prefix->size + sizeof(TagPrefix));
}

AllocationGate SetAllocationGate(AllocationGate gate) { return g_gate.exchange(gate); }

bool AllocationPermitted(size_t size) { return Permitted(size, OnFailure::Refuse); }

size_t AllocatedBytes() {
  platform::LockGuard guard(platform::AllocatorLock());
  return TheHeap().bytesInUse;
}

}  // namespace ql
