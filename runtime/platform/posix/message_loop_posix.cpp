#include <deque>

#include "platform/message_loop.h"
#include "platform/posix/message_queue_posix.h"
#include "platform/timer_window.h"

namespace ql::platform {
namespace {

std::deque<LoopMessage>& Queue() {
  static std::deque<LoopMessage>& queue = *new std::deque<LoopMessage>;
  return queue;
}

DispatchObserver g_dispatch = nullptr;
WaitObserver g_wait = nullptr;
TranslateObserver g_translate = nullptr;
bool g_escapeDown = false;
int32_t g_cursorX = 0, g_cursorY = 0;

bool InRange(const LoopMessage& m, uint32_t first, uint32_t last) {
  return (first == 0 && last == 0) || (m.message >= first && m.message <= last);
}

}  // namespace

void PostToQueue(const LoopMessage& message) { Queue().push_back(message); }

size_t QueuedMessageCount() { return Queue().size(); }

void ClearMessageQueue() { Queue().clear(); }

DispatchObserver SetDispatchObserver(DispatchObserver observer) {
  DispatchObserver previous = g_dispatch;
  g_dispatch = observer;
  return previous;
}

WaitObserver SetWaitObserver(WaitObserver observer) {
  WaitObserver previous = g_wait;
  g_wait = observer;
  return previous;
}

TranslateObserver SetTranslateObserver(TranslateObserver observer) {
  TranslateObserver previous = g_translate;
  g_translate = observer;
  return previous;
}

void SetEscapeKeyDown(bool down) { g_escapeDown = down; }

void SetCursorPosition(int32_t x, int32_t y) {
  g_cursorX = x;
  g_cursorY = y;
}

bool TakeNextMessage(LoopMessage& message) {
  if (Queue().empty() && g_wait) g_wait();
  if (Queue().empty()) return false;
  message = Queue().front();
  Queue().pop_front();
  return message.message != kMessageQuit;
}

bool PeekNextMessage(LoopMessage& message, Removal removal, uint32_t first, uint32_t last) {
  std::deque<LoopMessage>& queue = Queue();
  for (auto it = queue.begin(); it != queue.end(); ++it) {
    if (!InRange(*it, first, last)) continue;
    message = *it;
    if (removal == Removal::Remove) queue.erase(it);
    return true;
  }
  return false;
}

void TranslateLoopMessage(const LoopMessage& message) {
  if (g_translate) g_translate(message);
}

void DispatchLoopMessage(const LoopMessage& message) {
  if (message.message == kMessageTimer && message.window && message.window == TimerWindow()) {
    DeliverTimerMessage(message.wParam);
    return;
  }
  if (g_dispatch) g_dispatch(message);
}

void PostQuitToLoop(int32_t exitCode) {
  PostToQueue(LoopMessage{nullptr, kMessageQuit, static_cast<uintptr_t>(exitCode), 0, 0, 0, 0});
}

bool EscapeKeyDown() { return g_escapeDown; }

void CursorPosition(int32_t* x, int32_t* y) {
  *x = g_cursorX;
  *y = g_cursorY;
}

}  // namespace ql::platform
