#include "core/exception.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "compiled_code.h"
#include "core/class_lookup.h"
#include "core/intrinsic_classes.h"
#include "core/stack_limit.h"
#include "support/assertion_recorder.h"

namespace ql {
namespace {

using test::CatchScope;
using test::ProtectedCall;

// Records what reaches the unhandled-exception hook while installed.
class UnhandledRecorder {
 public:
  UnhandledRecorder() : previous_(SetUnhandledExceptionHook(Record)) { current_ = this; }
  ~UnhandledRecorder() {
    SetUnhandledExceptionHook(previous_);
    current_ = nullptr;
  }
  std::vector<RuntimeObject*> seen;
  std::vector<int32_t> countsSeen;

 private:
  static void Record(RuntimeObject* e) {
    current_->seen.push_back(e);
    current_->countsSeen.push_back(e->refCount);
  }
  static inline UnhandledRecorder* current_ = nullptr;
  ExceptionHook previous_;
};

RuntimeClass* ClassNamed(const char* name) { return LookupClass(name); }

// A compiled function per the slot discipline: each of its calls is a
// protected call site naming the function's slot, whose handler continues
// at the clean-up; the clean-up re-raises what the slot holds.
template <class... Calls>
void CompiledFunction(Calls&&... calls) {
  RuntimeObject* slot = nullptr;
  (void)(!ProtectedCall(&slot, calls) && ...);  // the first raise skips the rest
  // clean-up: locals released here, then
  if (slot) {
    RuntimeReraiseException(slot);
    RuntimeUnlockObject(slot);
    slot = nullptr;
  }
}

TEST(Exceptions, RuntimeFunctionCalledDirectlyReturnsItsFailureValueAndTheCallerGetsTheException) {
  RuntimeClass* window = test::NewTestClass(nullptr, 0, 0, 0, 0, 0);
  RuntimeObject* o = RuntimeNewObject(window);
  RuntimeObject* slot = nullptr;
  RuntimeObject* result = o;
  const bool handled = ProtectedCall(&slot, [&] { result = RuntimeCheckCast(o, ClassNamed("Listbox")); });
  EXPECT_TRUE(handled);
  EXPECT_EQ(result, nullptr) << "the runtime function returned normally with nil";
  ASSERT_NE(slot, nullptr);
  EXPECT_EQ(slot->cls, ClassNamed("IllegalCastException"));
  EXPECT_EQ(slot->refCount, 1) << "the slot holds the only reference";
  RuntimeUnlockObject(slot);
  RuntimeUnlockObject(o);
}

TEST(Exceptions, SlotOffsetZeroRedirectsWithoutStoringAndTheExceptionIsFreed) {
  const size_t live = LiveObjectCount();
  const bool redirected = ProtectedCall(nullptr, [] { RuntimeNilObject(); });
  EXPECT_TRUE(redirected);
  EXPECT_EQ(LiveObjectCount(), live) << "the raiser's reference was the last";
}

TEST(Exceptions, InnerCleanUpReraisesToTheOuterCallersHandler) {
  std::vector<const char*> trace;
  RuntimeObject* outerSlot = nullptr;
  const bool handled = ProtectedCall(&outerSlot, [&] {
    CompiledFunction(  // outer compiled function, no handler of its own
        [&] {
          CompiledFunction(  // inner compiled function
              [] { RuntimeNilObject(); }, [&] { trace.push_back("inner went on after the raising call"); });
        },
        [&] { trace.push_back("outer went on after the inner call"); });
  });
  EXPECT_TRUE(handled);
  ASSERT_NE(outerSlot, nullptr);
  EXPECT_EQ(outerSlot->cls, ClassNamed("NilObjectException"));
  EXPECT_EQ(outerSlot->refCount, 1) << "every inner slot let go of its reference";
  // Both functions went from the raising call straight to their clean-up.
  EXPECT_TRUE(trace.empty()) << trace[0];
  RuntimeUnlockObject(outerSlot);
}

TEST(Exceptions, WithoutAnyHandlerTheHookSeesTheExceptionOnce) {
  UnhandledRecorder unhandled;
  const size_t live = LiveObjectCount();
  CompiledFunction([] { CompiledFunction([] { RuntimeNilObject(); }); }, [] { RuntimeNilObject(); });
  ASSERT_EQ(unhandled.seen.size(), 1u);
  EXPECT_EQ(unhandled.countsSeen[0], 1) << "alive while the hook runs";
  EXPECT_EQ(LiveObjectCount(), live) << "freed once nobody holds it";
}

int Recurse(int depth) {
  RuntimeStackCheck();
  return depth == 0 ? 0 : 1 + Recurse(depth - 1);
}

TEST(Exceptions, StackCheckHasNoEffectEvenInDeepRecursion) {
  RecordMainThreadStackLimit();
  const uintptr_t limit = StackLimit();
  CatchScope scope;
  EXPECT_EQ(Recurse(20000), 20000);
  EXPECT_FALSE(scope.Close());
  EXPECT_EQ(StackLimit(), limit);
}

TEST(Exceptions, ASecondRaiseIntoTheSameFrameReplacesTheFirst) {
  RuntimeObject* slot = nullptr;
  RuntimeObject* first = nullptr;
  const size_t live = LiveObjectCount();
  ProtectedCall(&slot, [&] {
    RuntimeNilObject();
    first = slot;
    RuntimeLockObject(first);  // watch it
    RaiseNewException(ClassNamed("OutOfBoundsException"));
  });
  ASSERT_NE(slot, nullptr);
  EXPECT_EQ(slot->cls, ClassNamed("OutOfBoundsException"));
  EXPECT_EQ(slot->refCount, 1);
  EXPECT_EQ(first->refCount, 1) << "the frame released the older exception";
  RuntimeUnlockObject(first);
  RuntimeUnlockObject(slot);
  EXPECT_EQ(LiveObjectCount(), live);
}

TEST(Exceptions, OnlyTheInnermostFrameReceivesAndPoppingRestoresTheOuter) {
  CatchScope outer;
  {
    CatchScope inner;
    RaiseOutOfBoundsException();
    EXPECT_TRUE(inner.Close());
    EXPECT_STREQ(inner.CaughtClassName(), "OutOfBoundsException");
  }
  EXPECT_EQ(outer.caught(), nullptr);
  RaiseIllegalCastException();
  EXPECT_TRUE(outer.Close());
  EXPECT_STREQ(outer.CaughtClassName(), "IllegalCastException");
}

TEST(Exceptions, FramesBelongToTheirThread) {
  UnhandledRecorder unhandled;
  CatchScope mainThread;
  std::thread other([] { RuntimeNilObject(); });
  other.join();
  EXPECT_FALSE(mainThread.Close()) << "the other thread's raise does not reach this thread's frame";
  EXPECT_EQ(unhandled.seen.size(), 1u);
}

RuntimeObject* g_raisedSeen = nullptr;
void RaiseHook(RuntimeObject* e) { g_raisedSeen = e; }

TEST(Exceptions, TheRaiseHookSeesRaisesButNotReraises) {
  ExceptionHook previous = SetRaiseHook(RaiseHook);
  RuntimeObject* e = RuntimeNewObject(ClassNamed("EndException"));
  {
    CatchScope scope;
    RuntimeReraiseException(e);
    EXPECT_EQ(g_raisedSeen, nullptr);
    RuntimeRaiseException(e);
    EXPECT_EQ(g_raisedSeen, e);
    EXPECT_TRUE(scope.Close());
    EXPECT_EQ(scope.caught(), e);
  }
  SetRaiseHook(previous);
  g_raisedSeen = nullptr;
  RuntimeUnlockObject(e);
}

TEST(Exceptions, InternalErrorsOfTheRaiseOperations) {
  struct Case {
    void (*action)();
    const char* condition;
  };
  const Case cases[] = {
      {[] { RuntimeRaiseException(nullptr); }, "exception"},
      {[] { RuntimeReraiseException(nullptr); }, "exception"},
      {[] { RaiseNewException(nullptr); }, "exclass"},
      {[] { SetRaisedExceptionClass(RaisedException::NilObject, nullptr); }, "exc"},
      {[] {
         ExceptionHook previous = SetUnhandledExceptionHook(nullptr);
         RuntimeNilObject();  // no frame, no hook
         SetUnhandledExceptionHook(previous);
       },
       "gUnhandledExceptionHook"},
  };
  for (const Case& c : cases) {
    test::AssertionRecorder recorder;
    c.action();
    ASSERT_EQ(recorder.count(), 1u) << c.condition;
    EXPECT_EQ(recorder.reports()[0].condition, c.condition);
    EXPECT_EQ(recorder.reports()[0].source, "RuntimeExceptionFoundation");
  }
  // The slot kept its class.
  EXPECT_EQ(RaisedExceptionClass(RaisedException::NilObject), ClassNamed("NilObjectException"));
}

int g_hookRuns = 0;
void RaisingHook(RuntimeObject*) {
  ++g_hookRuns;
  RuntimeNilObject();  // escapes the hook's own work
}

TEST(Exceptions, AnExceptionEscapingTheUnhandledHookIsNotOfferedAgain) {
  g_hookRuns = 0;
  ExceptionHook previous = SetUnhandledExceptionHook(RaisingHook);
  test::AssertionRecorder recorder;
  const size_t live = LiveObjectCount();
  RuntimeNilObject();
  EXPECT_EQ(g_hookRuns, 1);
  EXPECT_TRUE(recorder.Saw("!inUnhandledException"));
  EXPECT_EQ(LiveObjectCount(), live);
  SetUnhandledExceptionHook(previous);
}

TEST(Exceptions, FramePoppedOutOfOrderUnregistersTheFramesInsideIt) {
  RuntimeHandlerFrame outer, inner;
  RuntimeObject* slot = nullptr;
  RuntimeHandlerFrame* before = InnermostHandlerFrame();
  RuntimePushHandlerFrame(&outer, &slot);
  RuntimePushHandlerFrame(&inner, &slot);
  test::AssertionRecorder recorder;
  RuntimePopHandlerFrame(&outer);
  EXPECT_TRUE(recorder.Saw("frame == innermost"));
  EXPECT_EQ(InnermostHandlerFrame(), before);
}

TEST(StackLimit, MainThreadReserveAndThreadStackSizes) {
  RecordMainThreadStackLimit();
  const uintptr_t here = reinterpret_cast<uintptr_t>(__builtin_frame_address(0));
  // Recorded one call deeper than here: within a few hundred bytes of the reserve.
  const uintptr_t distance = here - StackLimit();
  EXPECT_GE(distance + 4096, kMainThreadStackReserve);
  EXPECT_LE(distance, kMainThreadStackReserve + 4096);

  const uintptr_t saved = StackLimit();
  SetStackLimit(12345);
  EXPECT_EQ(StackLimit(), 12345u);
  SetStackLimit(saved);

  struct Case {
    int32_t requested, effective;
  };
  for (const Case& c : {Case{0, 0xE2000}, Case{-5, 0xE2000}, Case{65536, 65536}})
    EXPECT_EQ(EffectiveThreadStackSize(c.requested), c.effective);
  EXPECT_EQ(ThreadStackLimit(0x100000, 0), 0x100000u - 0xE2000u);
  EXPECT_EQ(ThreadStackLimit(0x1000, 0x2000), 0u) << "clamps instead of wrapping";
}

}  // namespace
}  // namespace ql
