// The main loop over the POSIX message queue: the order of one pass, how the
// loop ends, exceptions that escape a pass, the background task.
#if !defined(_WIN32)

#include "startup/mainloop.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/compiled_code.h"
#include "core/exception.h"
#include "core/intrinsic_classes.h"
#include "core/string.h"
#include "startup/loop_world.h"
#include "platform/posix/message_queue_posix.h"
#include "quillon/entrypoints/application.h"
#include "quillon/entrypoints/objects.h"
#include "support/assertion_recorder.h"

namespace ql {
namespace {

using test::kKeyDown;
using test::kLeftButtonDown;
using test::kNcLeftButtonDown;
using test::kUser;
using test::LoopTest;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using Trace = std::vector<std::string>;

void Post(uint32_t message, uintptr_t wParam = 0) { platform::PostToQueue(LoopMessage{nullptr, message, wParam, 0, 0, 0, 0}); }

RuntimeObject* RegisterTracingApplication(const std::vector<int>& implemented = {0, 1, 2, 3, 4, 5, 6, 7, 8}) {
  RuntimeObject* app = RuntimeNewObject(test::TracingApplicationClass(implemented));
  RuntimeRegisterAppObject(app);
  RuntimeUnlockObject(app);
  return app;
}

// --- One pass ---

struct PassCase {
  const char* what;
  std::vector<uint32_t> queue;
  bool mdi, consumeKeys, consumeMdi, captured;
  Trace trace;
  bool quit = false;
};
void PrintTo(const PassCase& c, std::ostream* os) { *os << c.what; }

class MainLoopPass : public LoopTest, public ::testing::WithParamInterface<PassCase> {};

TEST_P(MainLoopPass, RunsItsStepsInOrder) {
  const PassCase& c = GetParam();
  world().openWindows = 1;
  world().mdi = c.mdi;
  world().consumeKeys = c.consumeKeys;
  world().consumeMdi = c.consumeMdi;
  world().mouseCaptured = c.captured;
  for (uint32_t m : c.queue) Post(m);
  test::TracingTask task("due", 0);
  RunMainLoopPass();
  EXPECT_THAT(trace(), ElementsAreArray(c.trace));
  EXPECT_EQ(QuitRequested(), c.quit);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MainLoopPass,
    ::testing::Values(
        PassCase{"a key offered first, then translated and dispatched", {kKeyDown}, false, false, false, false,
                 {"idle", "track", "key keydown", "translate keydown", "dispatch keydown", "deferred", "focus idle",
                  "task due"}},
        PassCase{"a key the pre-translation takes goes no further", {kKeyDown}, false, true, false, false,
                 {"idle", "track", "key keydown", "deferred", "focus idle", "task due"}},
        PassCase{"a system key is offered too", {platform::kMessageSysKeyDown}, false, true, false, false,
                 {"idle", "track", "key syskeydown", "deferred", "focus idle", "task due"}},
        PassCase{"other messages are not offered as keys", {kLeftButtonDown}, false, true, false, false,
                 {"idle", "track", "translate lbuttondown", "dispatch lbuttondown", "deferred", "focus idle",
                  "task due"}},
        PassCase{"in MDI mode the accelerators come after the keys", {kKeyDown}, true, false, false, false,
                 {"idle", "track", "key keydown", "mdi keydown", "translate keydown", "dispatch keydown", "deferred",
                  "focus idle", "task due"}},
        PassCase{"an MDI accelerator takes the message", {kLeftButtonDown}, true, false, true, false,
                 {"idle", "track", "mdi lbuttondown", "deferred", "focus idle", "task due"}},
        PassCase{"a captured mouse is tracked before the poll", {kLeftButtonDown}, false, false, false, true,
                 {"idle", "track", "translate lbuttondown", "dispatch lbuttondown", "deferred", "focus idle",
                  "task due"}},
        PassCase{"with a captured mouse an empty queue is not waited for", {}, false, false, false, true,
                 {"idle", "track", "deferred", "focus idle", "task due"}},
        // The stand-in queue's wait on nothing ends like WM_QUIT.
        PassCase{"without capture an empty queue is waited for", {}, false, false, false, false, {"idle", "wait"},
                 true}),
    [](const ::testing::TestParamInfo<PassCase>& info) { return "Case" + std::to_string(info.index); });

// --- How the loop ends ---

using MainLoop = LoopTest;

TEST_F(MainLoop, WmQuitEndsThePassAtOnceAndSetsTheQuitFlag) {
  world().openWindows = 1;
  platform::PostQuitToLoop(0);
  test::TracingTask task("due", 0);
  RunMainLoopPass();
  EXPECT_THAT(trace(), ElementsAre("idle"));
  EXPECT_TRUE(QuitRequested());
}

TEST_F(MainLoop, AWmQuitPolledWhileTheMouseIsCapturedIsNotLost) {
  world().openWindows = 1;
  world().mouseCaptured = true;
  platform::PostQuitToLoop(0);
  RunMainLoopPass();
  EXPECT_THAT(trace(), ElementsAre("idle", "track"));
  EXPECT_TRUE(QuitRequested());
}

TEST_F(MainLoop, EndsWhenTheLastWindowClosesAndShutsDown) {
  world().openWindows = 1;
  bool runningWhileDispatching = false;
  world().onDispatch = [&](const LoopMessage& m) {
    runningWhileDispatching = MainLoopRunning();
    if (m.message == test::kClose) world().openWindows = 0;
  };
  Post(kUser + 1);
  Post(test::kClose);
  RuntimeRun();
  EXPECT_TRUE(runningWhileDispatching);
  EXPECT_FALSE(MainLoopRunning());
  EXPECT_TRUE(QuitRequested());
  EXPECT_THAT(trace(), ElementsAre("idle", "track", "translate user+1", "dispatch user+1", "deferred", "focus idle",
                                   "idle", "track", "translate close", "dispatch close", "deferred", "focus idle"));
}

TEST_F(MainLoop, ShutdownClosesTheWindowsStillOpen) {
  world().openWindows = 2;
  world().onDispatch = [](const LoopMessage&) { RequestQuit(); };
  Post(kUser);
  RuntimeRun();
  EXPECT_THAT(trace(), ElementsAre("idle", "track", "translate user+0", "dispatch user+0", "deferred", "focus idle",
                                   "close window", "close window"));
  EXPECT_EQ(world().openWindows, 0);
}

TEST_F(MainLoop, WithoutMdiAndWithoutAWindowTheLoopEndsWithoutWaiting) {
  RuntimeRun();
  EXPECT_THAT(trace(), ElementsAre("idle", "deferred", "focus idle"));
  EXPECT_TRUE(QuitRequested());
}

TEST_F(MainLoop, InMdiModeTheLoopWaitsEvenWithoutAWindow) {
  world().mdi = true;
  Post(kUser);
  RunMainLoopPass();
  EXPECT_FALSE(QuitRequested());
  RunMainLoopPass();  // the stand-in queue is empty now: its wait ends like WM_QUIT
  EXPECT_THAT(trace(), ElementsAre("idle", "track", "mdi user+0", "translate user+0", "dispatch user+0", "deferred",
                                   "focus idle", "idle", "wait"));
  EXPECT_TRUE(QuitRequested());
}

TEST_F(MainLoop, ANullStepIsReported) {
  test::AssertionRecorder recorder;
  RunProtected(nullptr);
  ASSERT_EQ(recorder.count(), 1u);
  EXPECT_EQ(recorder.reports()[0].source, "runtimemainloop");
  EXPECT_EQ(recorder.reports()[0].line, 596);
  EXPECT_EQ(recorder.reports()[0].condition, "fp");
}

// --- Exceptions that escape a pass ---

struct EscapeCase {
  const char* what;
  bool implementsUnhandledException;
  bool handles, quitsInside, raisesInside;
  bool raiseEnd;  // the dispatched message calls Quit instead of raising NilObjectException
  Trace appTrace;  // what the application and the windows saw, without the loop's own steps
  std::vector<std::string> boxes;
  bool quit;
};
void PrintTo(const EscapeCase& c, std::ostream* os) { *os << c.what; }

class EscapingException : public LoopTest, public ::testing::WithParamInterface<EscapeCase> {};

constexpr const char kNilObjectReport[] =
    "An exception of class NilObjectException was not handled.\r\nThe application must shut down.";

TEST_P(EscapingException, IsOfferedToTheApplicationThenReported) {
  const EscapeCase& c = GetParam();
  std::vector<int> events = {0, 1};
  if (c.implementsUnhandledException) events.push_back(8);
  RegisterTracingApplication(events);
  world().openWindows = 1;
  world().handleExceptions = c.handles;
  world().quitInUnhandledException = c.quitsInside;
  world().raiseInUnhandledException = c.raisesInside;
  world().onDispatch = [&](const LoopMessage&) {
    if (c.raiseEnd)
      ApplicationQuit();
    else
      RuntimeNilObject();
    world().trace.push_back("after the raise");  // exceptions redirect: the code goes on
  };
  Post(kUser);
  trace().clear();
  RunProtected(RunMainLoopPass);
  Trace seen;
  for (const std::string& line : trace())
    if (line.rfind("app ", 0) == 0 || line.rfind("quit ", 0) == 0 || line.rfind("close", 0) == 0 ||
        line == "cancel close?" || line == "after the raise" || line == "message box")
      seen.push_back(line);
  EXPECT_THAT(seen, ElementsAreArray(c.appTrace));
  EXPECT_THAT(world().messageBoxes, ElementsAreArray(c.boxes));
  EXPECT_EQ(QuitRequested(), c.quit);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, EscapingException,
    ::testing::Values(
        EscapeCase{"not implemented: reported, quit", false, false, false, false, false,
                   {"after the raise", "message box"}, {kNilObjectReport}, true},
        EscapeCase{"answered False: reported, quit", true, false, false, false, false,
                   {"after the raise", "app UnhandledException NilObjectException", "message box"},
                   {kNilObjectReport}, true},
        EscapeCase{"answered True: the application goes on", true, true, false, false, false,
                   {"after the raise", "app UnhandledException NilObjectException"}, {}, false},
        EscapeCase{"Quit inside UnhandledException raises nothing and quits quietly", true, false, true, false, false,
                   {"after the raise", "app UnhandledException NilObjectException", "cancel close?",
                    "close documents", "app Close", "quit raised nothing"},
                   {}, true},
        EscapeCase{"Quit inside a True UnhandledException still quits", true, true, true, false, false,
                   {"after the raise", "app UnhandledException NilObjectException", "cancel close?",
                    "close documents", "app Close", "quit raised nothing"},
                   {}, true},
        EscapeCase{"an exception escaping UnhandledException counts as not handled", true, true, false, true, false,
                   {"after the raise", "app UnhandledException NilObjectException", "message box"},
                   {kNilObjectReport}, true},
        EscapeCase{"Quit's EndException is never offered nor reported", true, false, false, false, true,
                   {"cancel close?", "close documents", "app Close", "after the raise"}, {}, true}),
    [](const ::testing::TestParamInfo<EscapeCase>& info) { return "Case" + std::to_string(info.index); });

TEST_F(MainLoop, AnExceptionWithoutAnyApplicationIsReported) {
  world().openWindows = 1;
  world().onDispatch = [](const LoopMessage&) { RuntimeNilObject(); };
  Post(kUser);
  RuntimeRun();
  EXPECT_THAT(world().messageBoxes, ElementsAre(kNilObjectReport));
  EXPECT_FALSE(MainLoopRunning());
}

TEST_F(MainLoop, TheReportNamesTheExceptionsOwnClass) {
  RuntimeClass* base = ClassOf(intrinsic::RuntimeException);
  RuntimeClass* cls = test::NewTestClass(base, base->methodCount, base->interfaceCount, base->eventCount,
                                         base->staticMethodCount, base->propertyCount);
  cls->name = NewStringFromCText("CalculationError").release();
  cls->instanceSize = base->instanceSize;
  world().openWindows = 1;
  world().onDispatch = [cls](const LoopMessage&) { RaiseNewException(cls); };
  Post(kUser);
  RuntimeRun();
  EXPECT_THAT(world().messageBoxes,
              ElementsAre("An exception of class CalculationError was not handled.\r\nThe application must shut down."));
}

// --- RuntimeBackgroundTask ---

using BackgroundTask = LoopTest;

TEST_F(BackgroundTask, DoesItsWorkOncePerTick) {
  test::TracingTask task("due", 0);
  for (int i = 0; i < 3; ++i) RuntimeBackgroundTask();
  world().milliseconds += 17;  // the next tick
  RuntimeBackgroundTask();
  RuntimeBackgroundTask();
  EXPECT_THAT(trace(), ElementsAre("task due", "task due"));
}

TEST_F(BackgroundTask, NotesTheEscapeKeyUntilTheNextPass) {
  world().openWindows = 1;
  platform::SetEscapeKeyDown(true);
  RuntimeBackgroundTask();
  EXPECT_TRUE(UserCancelled());
  EXPECT_TRUE(getUserCancelled());
  platform::SetEscapeKeyDown(false);
  RuntimeBackgroundTask();  // the same tick: nothing is looked at
  EXPECT_TRUE(getUserCancelled());
  world().milliseconds += 17;
  platform::SetEscapeKeyDown(true);
  Post(kUser);
  RunMainLoopPass();
  EXPECT_FALSE(getUserCancelled());
}

TEST_F(BackgroundTask, ServesPaintTimersAndMovesButLeavesWorkStartingInputQueued) {
  constexpr uintptr_t kCaption = 2, kCloseBox = 20, kMenuBar = 5, kBottomRightBorder = 17;
  for (const auto& [message, wParam] : std::vector<std::pair<uint32_t, uintptr_t>>{
           {platform::kMessagePaint, 0},
           {kUser + 1, 0},
           {platform::kMessageMouseMove, 0},
           {kNcLeftButtonDown, kCaption},
           {kNcLeftButtonDown, kBottomRightBorder},
           {kLeftButtonDown, 0},  // from here on everything waits, but paint and timers
           {kUser + 2, 0},
           {platform::kMessagePaint, 0},
           {kKeyDown, 0},
           {platform::kMessageTimer, 0},
       })
    Post(message, wParam);
  RuntimeBackgroundTask();
  EXPECT_THAT(trace(), ElementsAre("translate paint", "dispatch paint", "translate user+1", "dispatch user+1",
                                   "translate mousemove", "dispatch mousemove", "translate nclbuttondown",
                                   "dispatch nclbuttondown", "translate nclbuttondown", "dispatch nclbuttondown",
                                   "translate paint", "dispatch paint", "translate timer", "dispatch timer"));
  ASSERT_EQ(platform::QueuedMessageCount(), 3u);
  LoopMessage m;
  for (uint32_t expected : std::vector<uint32_t>{kLeftButtonDown, kUser + 2, kKeyDown}) {
    ASSERT_TRUE(platform::PeekNextMessage(m, platform::Removal::Remove));
    EXPECT_EQ(test::MessageName(m.message), test::MessageName(expected));
  }

  // Presses on the close box or the menu bar would close a window or run a
  // menu command inside the calculation.
  for (uintptr_t hit : {kCloseBox, kMenuBar}) {
    trace().clear();
    Post(kNcLeftButtonDown, hit);
    world().milliseconds += 17;
    RuntimeBackgroundTask();
    EXPECT_TRUE(trace().empty()) << hit;
    EXPECT_EQ(platform::QueuedMessageCount(), 1u) << hit;
    platform::ClearMessageQueue();
  }
}

TEST_F(BackgroundTask, AHandlerCallingItAgainGetsNoNestedServing) {
  world().onDispatch = [&](const LoopMessage& m) {
    if (m.message != kUser + 1) return;
    world().milliseconds += 17;
    RuntimeBackgroundTask();
    trace().push_back("nested call returned");
  };
  Post(kUser + 1);
  Post(kUser + 2);
  RuntimeBackgroundTask();
  EXPECT_THAT(trace(), ElementsAre("translate user+1", "dispatch user+1", "nested call returned", "translate user+2",
                                   "dispatch user+2"));
}

TEST_F(BackgroundTask, ServesABoundedNumberOfMessagesPerCall) {
  for (int i = 0; i < kBackgroundMessagesPerTask + 10; ++i) Post(kUser);
  RuntimeBackgroundTask();
  EXPECT_EQ(platform::QueuedMessageCount(), 10u);
}

TEST_F(BackgroundTask, AQuitMessageItTakesEndsTheLoopLater) {
  Post(kUser);
  platform::PostQuitToLoop(0);
  Post(kUser + 1);
  RuntimeBackgroundTask();
  EXPECT_TRUE(QuitRequested());
  EXPECT_THAT(trace(), ElementsAre("translate user+0", "dispatch user+0"));
  EXPECT_EQ(platform::QueuedMessageCount(), 1u);
}

}  // namespace
}  // namespace ql

#endif
