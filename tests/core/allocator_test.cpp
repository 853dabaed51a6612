#include "core/allocator.h"

#include <gtest/gtest.h>
#include <stdint.h>
#include <string.h>

#include <vector>

#include "platform/lock.h"
#include "support/allocation_failure.h"
#include "support/assertion_recorder.h"

namespace ql {
namespace {

TEST(Allocator, SmallBlocksAreReusedFromTheirSizeClass) {
  void* a = Allocate(20);
  ASSERT_NE(a, nullptr);
  Release(a, 20);
  // Same class (5 units): the released block comes back first.
  void* b = Allocate(17);
  EXPECT_EQ(a, b);
  Release(b, 17);
}

TEST(Allocator, CountsBytesInUseByUnits) {
  struct Case {
    size_t request;
    size_t counted;
  } cases[] = {{1, 4}, {4, 4}, {5, 8}, {252, 252}, {253, 253}, {1000, 1000}};
  for (const Case& c : cases) {
    const size_t before = AllocatedBytes();
    void* p = Allocate(c.request);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(AllocatedBytes() - before, c.counted) << c.request;
    Release(p, c.request);
    EXPECT_EQ(AllocatedBytes(), before) << c.request;
  }
}

TEST(Allocator, BlocksAreAlignedForPointersAndDoubles) {
  std::vector<void*> blocks;
  for (size_t size = 1; size <= 300; size += 7) {
    void* p = Allocate(size);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(reinterpret_cast<uintptr_t>(p) % alignof(void*), 0u) << size;
    memset(p, 0xAB, size);
    blocks.push_back(p);
  }
  size_t size = 1;
  for (void* p : blocks) {
    Release(p, size);
    size += 7;
  }
}

TEST(Allocator, ManyBlocksSpanSeveralChunks) {
  std::vector<void*> blocks;
  for (int i = 0; i < 5000; ++i) {
    void* p = Allocate(32);
    ASSERT_NE(p, nullptr);
    memset(p, i & 0xFF, 32);
    blocks.push_back(p);
  }
  for (int i = 0; i < 5000; ++i) EXPECT_EQ(static_cast<unsigned char*>(blocks[i])[31], i & 0xFF);
  for (void* p : blocks) Release(p, 32);
}

TEST(Allocator, TaggedBlocksCarrySizeAndMarker) {
  const size_t before = AllocatedBytes();
  uint32_t* p = static_cast<uint32_t*>(AllocateTagged(40));
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(p[-2], 40u);
  EXPECT_EQ(p[-1], 0xDEADBEEFu);
  EXPECT_EQ(AllocatedBytes() - before, 48u);
  ReleaseTagged(p);
  EXPECT_EQ(AllocatedBytes(), before);
}

TEST(Allocator, ReleasingATaggedBlockTwiceIsReported) {
  void* p = AllocateTagged(24);
  ReleaseTagged(p);
  test::AssertionRecorder recorder;
  ReleaseTagged(p);
  EXPECT_TRUE(recorder.Saw("overwrote start of block"));
  // The free list is intact: two fresh blocks are distinct.
  void* a = AllocateTagged(24);
  void* b = AllocateTagged(24);
  EXPECT_NE(a, b);
  ReleaseTagged(a);
  ReleaseTagged(b);
}

TEST(Allocator, AnOverwrittenPrefixIsReportedAndTheBlockKept) {
  uint32_t* p = static_cast<uint32_t*>(AllocateTagged(16));
  p[-1] = 0x12345678;
  test::AssertionRecorder recorder;
  ReleaseTagged(p);
  EXPECT_EQ(recorder.count(), 1u);
  EXPECT_EQ(recorder.reports()[0].source, "utility");
}

TEST(Allocator, ReleasedTaggedSmallBlockIsMarkedDead) {
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "released blocks are poisoned under AddressSanitizer";
#else
  uint32_t* p = static_cast<uint32_t*>(AllocateTagged(24));
  ReleaseTagged(p);
  EXPECT_EQ(p[-1], 0xDEADDEADu);
#endif
}


// Sizes near SIZE_MAX used to wrap when rounded to units and came back as a
// tiny block that the caller would then write far past.
TEST(Allocator, ARequestNoHeapCanServeFails) {
  const size_t sizes[] = {SIZE_MAX, SIZE_MAX - 1, SIZE_MAX - 2, SIZE_MAX - 3, SIZE_MAX - 4,
                          static_cast<size_t>(PTRDIFF_MAX) + 1};
  const size_t before = AllocatedBytes();
  for (size_t size : sizes) {
    EXPECT_EQ(Allocate(size), nullptr) << size;
    EXPECT_EQ(AllocateZeroed(size), nullptr) << size;
    EXPECT_EQ(AllocateTagged(size), nullptr) << size;
    {
      platform::LockGuard guard(platform::AllocatorLock());
      EXPECT_EQ(AllocateHoldingLock(size), nullptr) << size;
    }
  }
  EXPECT_EQ(AllocatedBytes(), before);
}

// The gate sees every request once, knowing whether its caller can take a
// failure; a request it stops fails as exhausted memory would.
TEST(AllocationFailures, EveryFormOfRequestMeetsTheGateOnceAndFailsWhenStopped) {
  struct Case {
    const char* what;
    test::Requests kind;
    void* (*request)();
    void (*release)(void*);
  };
  const Case cases[] = {
      {"small", test::Requests::Refusable, [] { return Allocate(24); }, [](void* p) { Release(p, 24); }},
      {"large", test::Requests::Refusable, [] { return Allocate(4000); }, [](void* p) { Release(p, 4000); }},
      {"zeroed", test::Requests::Refusable, [] { return AllocateZeroed(40); }, [](void* p) { Release(p, 40); }},
      {"tagged", test::Requests::Refusable, [] { return AllocateTagged(40); }, [](void* p) { ReleaseTagged(p); }},
      {"holding the lock", test::Requests::Refusable,
       [] {
         platform::LockGuard guard(platform::AllocatorLock());
         return AllocateHoldingLock(12);
       },
       [](void* p) { Release(p, 12); }},
      {"or die", test::Requests::EndingTheProcess, [] { return AllocateOrDie(24); }, [](void* p) { Release(p, 24); }},
      {"tagged or die", test::Requests::EndingTheProcess, [] { return AllocateTaggedOrDie(500); },
       [](void* p) { ReleaseTagged(p); }},
  };
  for (const Case& c : cases) {
    const test::Requests other =
        c.kind == test::Requests::Refusable ? test::Requests::EndingTheProcess : test::Requests::Refusable;
    {
      test::AllocationFailure failure(other, 1);
      void* p = c.request();
      EXPECT_NE(p, nullptr) << c.what << ": a request of the other kind is served";
      EXPECT_EQ(failure.requests(), 0u) << c.what;
      c.release(p);
    }
    {
      test::AllocationFailure failure(c.kind, 2);
      void* first = c.request();
      EXPECT_NE(first, nullptr) << c.what;
      EXPECT_EQ(failure.requests(), 1u) << c.what << ": one request meets the gate once";
      const size_t before = AllocatedBytes();
      if (c.kind == test::Requests::Refusable) {
        EXPECT_EQ(c.request(), nullptr) << c.what;
        EXPECT_TRUE(failure.happened()) << c.what;
        EXPECT_EQ(AllocatedBytes(), before) << c.what;
      }
      c.release(first);
    }
  }
  EXPECT_TRUE(AllocationPermitted(1 << 20));
  test::AllocationFailure failure(test::Requests::Refusable, 1);
  EXPECT_FALSE(AllocationPermitted(1 << 20)) << "executable memory asks the gate too";
}

#if GTEST_HAS_DEATH_TEST && !defined(_WIN32)
TEST(AllocatorDeathTest, AStoppedMustSucceedRequestIsReportedAndEndsTheProcess) {
  EXPECT_EXIT(
      {
        SetAssertionObserver(nullptr);  // the report as a user would see it, on standard error
        test::AllocationFailure failure(test::Requests::EndingTheProcess, 1);
        AllocateOrDie(24);
      },
      testing::ExitedWithCode(0), "utility: 839");
}

TEST(AllocatorDeathTest, AMustSucceedRequestThatCannotBeServedEndsTheProcess) {
  EXPECT_EXIT(
      {
        test::AssertionRecorder recorder;
        AllocateOrDie(SIZE_MAX);
      },
      testing::ExitedWithCode(0), "");
}
#endif

}  // namespace
}  // namespace ql
