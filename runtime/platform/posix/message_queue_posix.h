// The POSIX stand-in for the thread's message queue and the timer window:
// what tests use to play the system's side of the main loop.
#pragma once

#include <stddef.h>
#include <stdint.h>

#include "platform/message_loop.h"

namespace ql::platform {

// Appends a message to the queue (PostMessage). A WM_TIMER for TimerWindow()
// is dispatched to the timer handler, as the timer window's procedure does.
void PostToQueue(const LoopMessage& message);
size_t QueuedMessageCount();
void ClearMessageQueue();

// Called with every dispatched message other than the timer window's (the
// window procedures); nullptr: dispatching does nothing. Returns the
// previous one.
using DispatchObserver = void (*)(const LoopMessage& message);
DispatchObserver SetDispatchObserver(DispatchObserver observer);
// Called when a wait finds the queue empty, before the wait gives up and
// reports WM_QUIT; it may post messages.
using WaitObserver = void (*)();
WaitObserver SetWaitObserver(WaitObserver observer);
// Called with every translated message.
using TranslateObserver = void (*)(const LoopMessage& message);
TranslateObserver SetTranslateObserver(TranslateObserver observer);

// What EscapeKeyDown and CursorPosition answer.
void SetEscapeKeyDown(bool down);
void SetCursorPosition(int32_t x, int32_t y);

// The period of a running timer of the timer window, -1 when none runs.
int64_t TimerMilliseconds(uintptr_t timerId);
// Calls the timer handler with `timerId` (the window's WM_TIMER).
void DeliverTimerMessage(uintptr_t timerId);

}  // namespace ql::platform
