#include <map>

#include "platform/posix/message_queue_posix.h"
#include "platform/timer_window.h"

namespace ql::platform {
namespace {

TimerHandler g_handler = nullptr;
char g_window;  // its address stands for the window
bool g_created = false;

std::map<uintptr_t, uint32_t>& Timers() {
  static std::map<uintptr_t, uint32_t>& timers = *new std::map<uintptr_t, uint32_t>;
  return timers;
}

}  // namespace

bool CreateTimerWindow() {
  g_created = true;
  return true;
}

void* TimerWindow() { return g_created ? &g_window : nullptr; }

TimerHandler SetTimerHandler(TimerHandler handler) {
  TimerHandler previous = g_handler;
  g_handler = handler;
  return previous;
}

bool StartTimer(uintptr_t timerId, uint32_t milliseconds) {
  if (!g_created) return false;
  Timers()[timerId] = milliseconds;
  return true;
}

void StopTimer(uintptr_t timerId) { Timers().erase(timerId); }

int64_t TimerMilliseconds(uintptr_t timerId) {
  auto it = Timers().find(timerId);
  return it == Timers().end() ? int64_t{-1} : int64_t{it->second};
}

void DeliverTimerMessage(uintptr_t timerId) {
  if (g_handler) g_handler(timerId);
}

}  // namespace ql::platform
