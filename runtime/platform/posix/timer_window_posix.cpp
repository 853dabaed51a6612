#include "platform/timer_window.h"

namespace ql::platform {
namespace {

TimerHandler g_handler = nullptr;

}  // namespace

bool CreateTimerWindow() { return true; }

void* TimerWindow() { return nullptr; }

TimerHandler SetTimerHandler(TimerHandler handler) {
  TimerHandler previous = g_handler;
  g_handler = handler;
  return previous;
}

}  // namespace ql::platform
