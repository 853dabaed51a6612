#include "platform/lock.h"

namespace ql::platform {

// Function-local statics: constructed on first use, so that the allocator and
// the string code work during static initialisation and in any order.
Lock& AllocatorLock() {
  static Lock lock;
  return lock;
}

Lock& StringLock() {
  static Lock lock;
  return lock;
}

Lock& FileLock() {
  static Lock lock;
  return lock;
}

}  // namespace ql::platform
