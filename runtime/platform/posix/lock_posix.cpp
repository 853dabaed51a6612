#include <sched.h>

#include <atomic>
#include <new>

#include "platform/lock.h"

namespace ql::platform {
namespace {

// A reentrant test-and-test-and-set lock. The runtime's critical sections
// last a few instructions, so waiters spin and yield instead of sleeping;
// taking and releasing costs one atomic exchange and one release store.
struct SpinLock {
  std::atomic<int> locked{0};
  std::atomic<const void*> owner{nullptr};
  int depth = 0;
};

const void* ThisThread() {
  static thread_local char tag;
  return &tag;
}

SpinLock& State(unsigned char* storage) { return *std::launder(reinterpret_cast<SpinLock*>(storage)); }

static_assert(sizeof(SpinLock) <= 64);

}  // namespace

Lock::Lock() { new (state_) SpinLock(); }

Lock::~Lock() { State(state_).~SpinLock(); }

void Lock::Enter() {
  SpinLock& s = State(state_);
  const void* self = ThisThread();
  if (s.owner.load(std::memory_order_relaxed) == self) {
    ++s.depth;
    return;
  }
  while (s.locked.exchange(1, std::memory_order_acquire) != 0) {
    int spins = 0;
    while (s.locked.load(std::memory_order_relaxed) != 0) {
      if (++spins > 64) {
        sched_yield();
        spins = 0;
      }
    }
  }
  s.owner.store(self, std::memory_order_relaxed);
  s.depth = 1;
}

void Lock::Leave() {
  SpinLock& s = State(state_);
  if (--s.depth > 0) return;
  s.owner.store(nullptr, std::memory_order_relaxed);
  s.locked.store(0, std::memory_order_release);
}

}  // namespace ql::platform
