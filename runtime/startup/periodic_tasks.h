// Ticks and periodic tasks, the time services of the main loop.
//
// A tick is 1/60 second: GetTickCount() × 0.06, truncated. A periodic task
// (the timers of class Timer, the time slices of runtime threads) has a
// period in ticks, the tick of its last firing and a timer of the timer
// window; its action is a virtual operation. Tasks fire in two ways: the
// timer window's WM_TIMER fires the task whose timer it is, and every pass of
// the main loop (and RuntimeBackgroundTask) fires every task that is due,
// walking the tasks from the newest to the oldest.
#pragma once

#include <stddef.h>
#include <stdint.h>

namespace ql {

// The current tick.
uint32_t CurrentTick();
uint32_t TickFromMilliseconds(uint32_t milliseconds);

// Replaces the millisecond clock ticks are read from, for tests (nullptr:
// the system's, GetTickCount). Returns the previous one.
using MillisecondClock = uint32_t (*)();
MillisecondClock SetMillisecondClock(MillisecondClock clock);

class PeriodicTask {
 public:
  // Creating a task enters it at the end of the process-wide list and starts
  // its timer: every period × 1000 / 60 ms, identifiers counting up from 1.
  explicit PeriodicTask(uint32_t periodTicks);
  // Destroying it stops the timer and takes it out of the list; a task may
  // destroy itself, or others, from its action.
  virtual ~PeriodicTask();
  PeriodicTask(const PeriodicTask&) = delete;
  PeriodicTask& operator=(const PeriodicTask&) = delete;

  virtual void Action() = 0;

  uint32_t period() const { return period_; }
  uint32_t lastFiring() const { return lastFiring_; }
  uintptr_t timerId() const { return timerId_; }

  // Runs the action; the last firing becomes the tick read after it. A task
  // whose action is running (it called RuntimeBackgroundTask) is not fired
  // again from inside it. False when the action destroyed the task.
  bool Fire();
  // The period has passed since the last firing (0 at creation, so a new
  // task is due at once). A last firing far ahead of `tick` means the tick
  // wrapped with GetTickCount (after 49.7 days): the task is due rather
  // than stuck for as long again.
  bool DueAt(uint32_t tick) const;

 private:
  uint32_t period_;
  uint32_t lastFiring_ = 0;
  uintptr_t timerId_;
  bool* destroyed_ = nullptr;  // while the action runs: set by the destructor
};

// Reads the current tick once and fires every due task, newest first.
void FireDuePeriodicTasks();

// The number of live tasks.
size_t PeriodicTaskCount();

}  // namespace ql
