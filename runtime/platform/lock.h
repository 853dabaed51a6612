// Process-wide locks. A Lock is reentrant on the thread that holds it and is
// usable from static initialisation on (no explicit set-up call).
#pragma once

#include <stddef.h>

namespace ql::platform {

class Lock {
 public:
  Lock();
  ~Lock();
  Lock(const Lock&) = delete;
  Lock& operator=(const Lock&) = delete;

  void Enter();
  void Leave();

 private:
  alignas(void*) unsigned char state_[64];
};

// The three locks of the runtime, created on first use in any order (so the
// allocator works during static initialisation). Inline: the allocator takes
// its lock on every block.
inline Lock& AllocatorLock() {
  static Lock lock;
  return lock;
}

inline Lock& StringLock() {
  static Lock lock;
  return lock;
}

inline Lock& FileLock() {
  static Lock lock;
  return lock;
}

class LockGuard {
 public:
  explicit LockGuard(Lock& lock) : lock_(lock) { lock_.Enter(); }
  ~LockGuard() { lock_.Leave(); }
  LockGuard(const LockGuard&) = delete;
  LockGuard& operator=(const LockGuard&) = delete;

 private:
  Lock& lock_;
};

}  // namespace ql::platform
