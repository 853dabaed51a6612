#include "platform/lock.h"

#include <gtest/gtest.h>

#include "platform/process.h"

namespace ql::platform {
namespace {

TEST(Lock, IsReentrantOnItsThread) {
  Lock lock;
  lock.Enter();
  lock.Enter();
  lock.Leave();
  lock.Leave();
  LockGuard guard(lock);
}

TEST(Lock, NamedLocksAreDistinctAndStable) {
  EXPECT_EQ(&StringLock(), &StringLock());
  EXPECT_NE(&StringLock(), &AllocatorLock());
  EXPECT_NE(&FileLock(), &AllocatorLock());
}

TEST(Process, TickCountAdvances) {
  uint32_t a = TickCount();
  uint32_t b = TickCount();
  EXPECT_GE(b - a, 0u);
  EXPECT_LT(b - a, 1000u);
}

}  // namespace
}  // namespace ql::platform
