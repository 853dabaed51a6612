#include "startup/periodic_tasks.h"

#include "core/array.h"
#include "platform/process.h"
#include "platform/timer_window.h"

namespace ql {
namespace {

// GetTickCount × 0.06 ranges over [0, kTickRange).
constexpr uint32_t kTickRange = static_cast<uint32_t>(uint64_t{4294967295u} * 6 / 100) + 1;

MillisecondClock g_clock = nullptr;
uintptr_t g_lastTimerId = 0;

// In creation order. Never destroyed: tasks may outlive static destruction.
Array<PeriodicTask*>& Tasks() {
  static Array<PeriodicTask*>& tasks = *new Array<PeriodicTask*>;
  return tasks;
}

size_t IndexOf(const PeriodicTask* task) {
  Array<PeriodicTask*>& tasks = Tasks();
  for (size_t i = 0; i < tasks.Count(); ++i)
    if (tasks[i] == task) return i;
  return tasks.Count();
}

void FireTaskOfTimer(uintptr_t timerId) {
  for (PeriodicTask* task : Tasks())
    if (task->timerId() == timerId) {
      task->Fire();
      return;
    }
}

void InstallTimerHandlerOnce() {
  static bool installed = false;
  if (installed) return;
  installed = true;
  platform::SetTimerHandler(FireTaskOfTimer);
}

uint32_t MillisecondsOf(uint32_t periodTicks) { return static_cast<uint32_t>(uint64_t{periodTicks} * 1000 / 60); }

}  // namespace

// In integers: for every 32-bit count the same as truncating the double
// product with 0.06, which x87's wider intermediates (i686) would take to
// just below the whole tick on exact multiples (1000 ms gave 59).
uint32_t TickFromMilliseconds(uint32_t milliseconds) {
  return static_cast<uint32_t>(uint64_t{milliseconds} * 6 / 100);
}

uint32_t CurrentTick() { return TickFromMilliseconds(g_clock ? g_clock() : platform::TickCount()); }

MillisecondClock SetMillisecondClock(MillisecondClock clock) {
  MillisecondClock previous = g_clock;
  g_clock = clock;
  return previous;
}

PeriodicTask::PeriodicTask(uint32_t periodTicks) : period_(periodTicks), timerId_(++g_lastTimerId) {
  InstallTimerHandlerOnce();
  Tasks().Append(this);
  platform::StartTimer(timerId_, MillisecondsOf(period_));
}

PeriodicTask::~PeriodicTask() {
  if (destroyed_) *destroyed_ = true;
  platform::StopTimer(timerId_);
  const size_t index = IndexOf(this);
  if (index < Tasks().Count()) Tasks().RemoveAt(index);
}

bool PeriodicTask::Fire() {
  if (destroyed_) return true;  // its action is running
  bool destroyed = false;
  destroyed_ = &destroyed;
  Action();
  if (destroyed) return false;  // nothing of it may be touched now
  destroyed_ = nullptr;
  lastFiring_ = CurrentTick();
  return true;
}

bool PeriodicTask::DueAt(uint32_t tick) const {
  if (tick >= lastFiring_) return tick - lastFiring_ >= period_;
  return lastFiring_ - tick > kTickRange / 2;
}

void FireDuePeriodicTasks() {
  const uint32_t tick = CurrentTick();
  Array<PeriodicTask*>& tasks = Tasks();
  for (size_t i = tasks.Count(); i-- > 0;) {
    PeriodicTask* task = tasks[i];
    if (!task->DueAt(tick)) continue;
    // Actions may create and destroy tasks: go on below where this one
    // stands now, or below its old place when it is gone.
    if (task->Fire())
      i = IndexOf(task);
    else if (i > tasks.Count())
      i = tasks.Count();
  }
}

size_t PeriodicTaskCount() { return Tasks().Count(); }

}  // namespace ql
