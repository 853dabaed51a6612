// The main event loop and the services around it: the loop runner that
// protects every step of a loop against escaping exceptions, one pass of the
// main loop, RuntimeRun and the runtime shutdown, the quit flag.
//
// The loop sits below the window layer, so what it needs from windows, panes
// and menus arrives through WindowLayerHooks, installed by the window layer
// when the runtime initialises. A hook left null does nothing (returns false
// or "none"), so the loop runs, and is tested, without any window layer.
#pragma once

#include <stdint.h>

namespace ql {

// One Win32 message as the loop took it, decoded once.
struct LoopMessage {
  void* window;       // HWND, nil for a thread message
  uint32_t message;   // WM_*
  uintptr_t wParam;
  intptr_t lParam;
  uint32_t time;      // GetMessageTime
  int32_t x, y;       // GetMessagePos, screen pixels
};

// What the window layer offers the loop. Every member may be null.
struct WindowLayerHooks {
  // Idle pass: pending geometry of every open window applied, windows marked
  // shown made visible.
  void (*idlePass)();
  // Key pre-translation of a WM_KEYDOWN / WM_SYSKEYDOWN (shortcuts, the
  // focused control's and the window's KeyDown, Tab, arrows, Return,
  // Escape); true when the key was consumed.
  bool (*preTranslateKey)(const LoopMessage& message);
  // Mouse-position tracking while a control or window has the mouse.
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
};

void InstallWindowLayerHooks(const WindowLayerHooks& hooks);
const WindowLayerHooks& CurrentWindowLayerHooks();

// Loop runner: calls step(0) inside a protected call; an exception that no
// handler inside the step takes goes to the unhandled-exception handler.
using LoopStep = void (*)(intptr_t argument);
void RunProtected(LoopStep step, intptr_t argument = 0);

// One pass of the main loop, in its fixed order.
void RunMainLoopPass(intptr_t unused = 0);

// Process-wide flags.
bool QuitRequested();
void RequestQuit();          // sets the quit flag (never cleared)
bool MainLoopRunning();      // true while RuntimeRun loops
bool UserCancelled();        // Escape was down at the last background task

}  // namespace ql
