// What the application object and the main loop see around them in a test:
// a window layer of fake hooks, a manual clock, the message-box seam and an
// application class whose events write to one trace. Each test starts from
// a fresh loop and application.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "quillon/abi.h"
#include "startup/mainloop.h"
#include "startup/periodic_tasks.h"

namespace ql::test {

enum : uint32_t {
  kClose = 0x0010,         // WM_CLOSE
  kKeyDown = 0x0100,       // WM_KEYDOWN
  kChar = 0x0102,          // WM_CHAR
  kLeftButtonDown = 0x0201,
  kNcLeftButtonDown = 0x00A1,
  kUser = 0x0400,          // WM_USER
};

// The state the fake window layer answers from, and the trace every fake
// writes to.
struct LoopWorld {
  std::vector<std::string> trace;
  int openWindows = 0;
  bool mdi = false;
  bool mouseCaptured = false;
  bool consumeKeys = false;     // pre-translation takes every key-down
  bool consumeMdi = false;      // the MDI accelerators take every message
  int cancelCloses = 0;         // CancelClose returns True this many more times
  uint32_t milliseconds = 1000000;
  bool handleExceptions = false;  // UnhandledException's answer
  bool quitInUnhandledException = false;
  bool raiseInUnhandledException = false;
  // Run for each dispatched message (the window procedures), after the trace.
  std::function<void(const LoopMessage&)> onDispatch;
  std::function<void()> onOpen;  // the application's Open
  std::vector<std::string> messageBoxes;
  std::vector<RuntimeObject*> documentItems;  // what each OpenDocument was given
};

LoopWorld& World();

// "keydown", "close", "user+1", ... for the trace.
std::string MessageName(uint32_t message);

// The window layer of the world.
WindowLayerHooks WorldHooks();

// A subclass of Application, as an image makes one, implementing every
// event; `implemented` lists the slots that get a handler (all by default).
RuntimeClass* TracingApplicationClass(const std::vector<int>& implemented = {0, 1, 2, 3, 4, 5, 6, 7, 8});

// A periodic task that writes "task <name>" to the trace, then runs `then`.
class TracingTask : public PeriodicTask {
 public:
  TracingTask(std::string name, uint32_t periodTicks, std::function<void()> then = {})
      : PeriodicTask(periodTicks), name_(std::move(name)), then_(std::move(then)) {}
  void Action() override {
    World().trace.push_back("task " + name_);
    if (then_) then_();
  }

 private:
  std::string name_;
  std::function<void()> then_;
};

// A fresh loop, application and queue before each test, with the world's
// hooks, clock and message-box observer installed.
class LoopTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  LoopWorld& world() { return World(); }
  std::vector<std::string>& trace() { return World().trace; }
};

}  // namespace ql::test
