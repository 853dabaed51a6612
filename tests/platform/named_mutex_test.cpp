#include "platform/named_mutex.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>

#include "platform/process.h"

namespace ql::platform {
namespace {

// A name of this test process alone, so parallel test runs do not meet.
std::string UniqueName(const char* what) {
  return std::string("QUILLON TEST ") + what + " " + std::to_string(TickCount()) + " " +
         std::to_string(reinterpret_cast<uintptr_t>(&what));
}

TEST(NamedMutex, TheFirstCreatorOwnsItAndASecondWaitsUntilItIsReleased) {
  const std::string name = UniqueName("wait");
  const CreatedMutex first = CreateOwnedNamedMutex(name.c_str());
  ASSERT_NE(first.handle, nullptr);
  EXPECT_FALSE(first.alreadyExisted);

  // Another holder: a thread of its own, as Win32 mutexes are owned by threads.
  std::atomic<int> stage{0};
  bool existed = false, gotItWhileHeld = true, gotItAfterRelease = false;
  std::thread second([&] {
    const CreatedMutex other = CreateOwnedNamedMutex(name.c_str());
    existed = other.alreadyExisted;
    gotItWhileHeld = WaitForNamedMutex(other.handle, 50);
    stage = 1;
    while (stage != 2) std::this_thread::yield();
    gotItAfterRelease = WaitForNamedMutex(other.handle, 5000);
    ReleaseNamedMutex(other.handle);
  });
  while (stage != 1) std::this_thread::yield();
  ReleaseNamedMutex(first.handle);
  stage = 2;
  second.join();
  EXPECT_TRUE(existed);
  EXPECT_FALSE(gotItWhileHeld);
  EXPECT_TRUE(gotItAfterRelease);

  // Released and closed by everyone: a new creator owns it at once.
  const CreatedMutex again = CreateOwnedNamedMutex(name.c_str());
  EXPECT_FALSE(again.alreadyExisted);
  EXPECT_TRUE(WaitForNamedMutex(again.handle, 0));
  ReleaseNamedMutex(again.handle);
}

TEST(NamedMutex, NoHandleIsNeverOwnedAndReleasingItDoesNothing) {
  EXPECT_FALSE(WaitForNamedMutex(nullptr, 10));
  ReleaseNamedMutex(nullptr);
}

}  // namespace
}  // namespace ql::platform
