// The hidden top-level window of class "WinTimerClass" whose WM_TIMER
// messages drive the periodic tasks of the main loop.
#pragma once

#include <stdint.h>

namespace ql::platform {

// Registers the class with the module instance and creates the window
// (1 by 1 at 0,0, no title, no parent, no menu). POSIX: nothing to create.
bool CreateTimerWindow();
// The window's handle, nullptr before it exists. POSIX: a token that stands
// for the window in queued messages.
void* TimerWindow();

// SetTimer on the window with `timerId`: a WM_TIMER every `milliseconds`.
// False when the window does not exist or the system refuses. KillTimer.
bool StartTimer(uintptr_t timerId, uint32_t milliseconds);
void StopTimer(uintptr_t timerId);

// Called with the timer identifier of every WM_TIMER the window receives;
// installed by the periodic tasks. Returns the previous handler.
using TimerHandler = void (*)(uintptr_t timerId);
TimerHandler SetTimerHandler(TimerHandler handler);

}  // namespace ql::platform
