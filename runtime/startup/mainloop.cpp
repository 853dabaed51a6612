#include "startup/mainloop.h"

#include "core/assertion.h"
#include "platform/message_loop.h"
#include "platform/ole.h"
#include "quillon/entrypoints/application.h"
#include "quillon/entrypoints/exceptions.h"
#include "quillon/entrypoints/objects.h"
#include "startup/application.h"
#include "startup/periodic_tasks.h"

namespace ql {
namespace {

using platform::Removal;

constexpr const char kSource[] = "runtimemainloop";
// No real tick has this value: the background task has not run yet.
constexpr uint32_t kNoTick = UINT32_MAX;

WindowLayerHooks g_hooks = {};
bool g_quit = false;
bool g_running = false;
bool g_userCancelled = false;
uint32_t g_backgroundTick = kNoTick;
bool g_inBackgroundTask = false;

bool InMdiMode() { return AskHook(g_hooks.mdiMode); }

// Without MDI the application ends once its last window has closed.
bool NothingLeftToWaitFor() { return !InMdiMode() && !AskHook(g_hooks.anyWindowOpen); }

bool IsKeyDown(const LoopMessage& m) {
  return m.message == platform::kMessageFirstKey || m.message == platform::kMessageSysKeyDown;
}

// --- One pass ---

// Key pre-translation, then the MDI accelerators, then the window procedure.
void OfferAndDispatch(const LoopMessage& m) {
  if (IsKeyDown(m) && AskHook(g_hooks.preTranslateKey, m)) return;
  if (InMdiMode() && AskHook(g_hooks.translateMdiAccelerator, m)) return;
  platform::TranslateLoopMessage(m);
  platform::DispatchLoopMessage(m);
}

enum class Taken { Message, None, Quit };

// While the mouse is captured the loop polls, so that tracking goes on
// without input; otherwise it waits, unless no window is left that could
// ever send a message.
Taken TakeOneMessage(LoopMessage& m) {
  if (AskHook(g_hooks.mouseCaptured)) {
    CallHook(g_hooks.trackMouse);
    if (!platform::PeekNextMessage(m, Removal::Remove)) return Taken::None;
    return m.message == platform::kMessageQuit ? Taken::Quit : Taken::Message;
  }
  if (NothingLeftToWaitFor()) return Taken::None;
  if (!platform::TakeNextMessage(m)) return Taken::Quit;
  CallHook(g_hooks.trackMouse);
  return Taken::Message;
}

// --- RuntimeBackgroundTask ---

bool IsMoveOrSizeHit(uintptr_t hitTest) {
  constexpr uintptr_t kCaption = 2, kGrowBox = 4, kFirstBorder = 10, kLastBorder = 17;  // HT*
  return hitTest == kCaption || hitTest == kGrowBox || (hitTest >= kFirstBorder && hitTest <= kLastBorder);
}

// Input that would start application work inside the running calculation:
// keys, clicks and the wheel in client areas, and presses on a window's
// menu bar, close box or other buttons. Moving the mouse and dragging a
// window's caption or border do not.
bool StartsApplicationWork(const LoopMessage& m) {
  using namespace platform;
  if (m.message >= kMessageFirstKey && m.message <= kMessageLastKey) return true;
  if (m.message > kMessageMouseMove && m.message <= kMessageLastMouse) return true;
  if (m.message > kMessageNcMouseMove && m.message <= kMessageNcLastMouse) return !IsMoveOrSizeHit(m.wParam);
  return false;
}

// The next message the background task may serve. Input that starts work
// stays queued, with everything behind it, for the main loop to take once
// the calculation has returned; paint and timers are served past it.
bool TakeServableMessage(LoopMessage& m) {
  using namespace platform;
  if (PeekNextMessage(m, Removal::Keep) && !StartsApplicationWork(m))
    return PeekNextMessage(m, Removal::Remove, m.message, m.message);
  return PeekNextMessage(m, Removal::Remove, kMessagePaint, kMessagePaint) ||
         PeekNextMessage(m, Removal::Remove, kMessageTimer, kMessageTimer);
}

void ServePendingMessages() {
  LoopMessage m;
  for (int served = 0; served < kBackgroundMessagesPerTask && TakeServableMessage(m); ++served) {
    if (m.message == platform::kMessageQuit) {
      RequestQuit();  // the loop would have ended: it ends once the calculation returns
      return;
    }
    platform::TranslateLoopMessage(m);
    platform::DispatchLoopMessage(m);
  }
}

}  // namespace

void InstallWindowLayerHooks(const WindowLayerHooks& hooks) { g_hooks = hooks; }

const WindowLayerHooks& CurrentWindowLayerHooks() { return g_hooks; }

void RunProtected(LoopStep step, intptr_t argument) {
  if (!QL_CHECK(step != nullptr, kSource, 596, "fp")) return;
  RuntimeObject* exception = nullptr;
  RuntimeHandlerFrame frame;
  RuntimePushHandlerFrame(&frame, &exception);
  step(argument);
  if (RuntimePopHandlerFrame(&frame) && QL_CHECK(exception != nullptr, kSource, 646, "0"))
    HandleUnhandledException(exception);
  RuntimeUnlockObject(exception);
}

void RunMainLoopPass(intptr_t) {
  CallHook(g_hooks.idlePass);
  LoopMessage m;
  switch (TakeOneMessage(m)) {
    case Taken::Quit:
      RequestQuit();
      return;
    case Taken::Message:
      OfferAndDispatch(m);
      break;
    case Taken::None:
      break;
  }
  CallHook(g_hooks.runDeferredUpdates);
  CallHook(g_hooks.focusedPaneIdle);
  // Serial ports and sockets would be polled here; this build has neither.
  g_userCancelled = false;
  if (NothingLeftToWaitFor()) RequestQuit();
  FireDuePeriodicTasks();
}

void CloseEveryOpenWindow() {
  while (AskHook(g_hooks.closeFirstOpenWindow)) {
  }
}

void ShutDownRuntime() {
  CloseEveryOpenWindow();
  g_running = false;
  // Sockets and media are not built: nothing of theirs to release.
  platform::UninitialiseOle();
}

bool QuitRequested() { return g_quit; }

void RequestQuit() { g_quit = true; }

bool MainLoopRunning() { return g_running; }

bool UserCancelled() { return g_userCancelled; }

void ResetMainLoopState() {
  g_hooks = {};
  g_quit = g_running = g_userCancelled = g_inBackgroundTask = false;
  g_backgroundTick = kNoTick;
}

}  // namespace ql

using namespace ql;

QL_ENTRY void RuntimeRun(void) {
  g_running = true;
  while (!g_quit) RunProtected(RunMainLoopPass);
  ShutDownRuntime();
}

// At most once per tick. Pending messages are served first, so the windows
// repaint, timers run and a window can be moved while the calculation goes
// on; input that would start application work waits for the main loop (see
// StartsApplicationWork), so a click on the button that started the
// calculation cannot start it again inside itself. A handler that calls
// RuntimeBackgroundTask while this one serves messages returns at once.
QL_ENTRY void RuntimeBackgroundTask(void) {
  const uint32_t tick = CurrentTick();
  if (tick == g_backgroundTick || g_inBackgroundTask) return;
  g_backgroundTick = tick;
  g_inBackgroundTask = true;
  ServePendingMessages();
  FireDuePeriodicTasks();
  g_userCancelled = platform::EscapeKeyDown();
  g_backgroundTick = CurrentTick();
  g_inBackgroundTask = false;
}

QL_ENTRY bool getUserCancelled(void) { return g_userCancelled; }
