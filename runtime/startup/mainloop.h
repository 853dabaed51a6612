// The main event loop and the services around it: the loop runner that
// protects every step of a loop against escaping exceptions, one pass of the
// main loop, RuntimeRun and the runtime shutdown, the quit flag.
//
// The loop sits below the window layer, so what it needs from windows, panes
// and menus arrives through WindowLayerHooks, installed by the window layer
// when the runtime initialises. A hook left null does nothing (returns false
// or "none"), so the loop runs, and is tested, without any window layer.
// docs/startup.md describes one pass step by step.
#pragma once

#include <stdint.h>

#include <type_traits>

#include "platform/message_loop.h"

namespace ql {

// One Win32 message as the loop took it, decoded once.
using LoopMessage = platform::LoopMessage;

// What the window layer offers the loop. Every member may be null.
struct WindowLayerHooks {
  // Idle pass: pending geometry of every open window applied, windows marked
  // shown made visible.
  void (*idlePass)();
  // Key pre-translation of a WM_KEYDOWN / WM_SYSKEYDOWN (shortcuts, the
  // focused control's and the window's KeyDown, Tab, arrows, Return,
  // Escape); true when the key was consumed. Other messages are not offered.
  bool (*preTranslateKey)(const LoopMessage& message);
  // Mouse-position tracking while a control or window has the mouse; it
  // reads the cursor with platform::CursorPosition.
  void (*trackMouse)();
  bool (*mouseCaptured)();
  // The deferred updates queued by list boxes, most recent first.
  void (*runDeferredUpdates)();
  // The idle call of the focused pane.
  void (*focusedPaneIdle)();
  // Whether any window is open (the open-window list is not empty).
  bool (*anyWindowOpen)();
  // Closes the window at the head of the open-window list; false when the
  // list is empty. Shutdown calls it until it returns false.
  bool (*closeFirstOpenWindow)();
  // Try-quit's walk over the document windows in the system's window order:
  // fires CancelClose of each until one returns True (then true), and
  // closes each document window.
  bool (*anyDocumentWindowCancelsClose)();
  void (*closeDocumentWindows)();
  // MDI mode: TranslateMDISysAccel with the MDI client window.
  bool (*translateMdiAccelerator)(const LoopMessage& message);
  // MDI mode is on (the frame window exists): the loop then never ends for
  // want of open windows, and the accelerator hook is offered every message.
  bool (*mdiMode)();
  // In MDI mode, after the application's Open: shows the frame window when
  // it is marked visible but not yet visible on screen.
  void (*showPendingMdiFrame)();
};

void InstallWindowLayerHooks(const WindowLayerHooks& hooks);
const WindowLayerHooks& CurrentWindowLayerHooks();

// Calls a hook when it is installed; a missing one does nothing and answers
// false. CallHook(hooks.idlePass), AskHook(hooks.preTranslateKey, message).
template <class... Args>
void CallHook(void (*hook)(Args...), std::type_identity_t<Args>... args) {
  if (hook) hook(args...);
}
template <class... Args>
bool AskHook(bool (*hook)(Args...), std::type_identity_t<Args>... args) {
  return hook && hook(args...);
}

// Loop runner: calls step(argument) inside a protected call; an exception
// that no handler inside the step takes goes to the unhandled-exception
// handler, and the runner returns normally. A null step is reported
// (runtimemainloop 596, "fp").
using LoopStep = void (*)(intptr_t argument);
void RunProtected(LoopStep step, intptr_t argument = 0);

// One pass of the main loop, in its fixed order (a LoopStep).
void RunMainLoopPass(intptr_t unused = 0);

// The runtime shutdown RuntimeRun ends with: every open window closed, the
// running flag cleared, OLE uninitialised.
void ShutDownRuntime();
// Its first step: closes the window at the head of the open-window list
// until the list is empty.
void CloseEveryOpenWindow();

// Process-wide flags.
bool QuitRequested();
void RequestQuit();          // sets the quit flag (never cleared)
bool MainLoopRunning();      // true while RuntimeRun loops
bool UserCancelled();        // Escape was down at the last background task

// Messages RuntimeBackgroundTask serves at most per call: a window that
// never validates its paint region cannot keep a calculation waiting.
constexpr int kBackgroundMessagesPerTask = 64;

// For tests that run several loops in one process: the flags back to false,
// the hooks removed, the background task's tick forgotten. The runtime
// itself never calls it.
void ResetMainLoopState();

}  // namespace ql
