// The thread's message queue as the main loop uses it: take (waiting), peek,
// translate, dispatch, post a quit; the key and cursor state the loop reads.
// Win32: the ANSI calls of user32 (GetMessageA, PeekMessageA, ...). POSIX: a
// queue that tests fill (platform/posix/message_queue_posix.h), so the loop
// runs, and is tested, without a window system.
#pragma once

#include <stdint.h>

namespace ql::platform {

// One message as the loop took it, decoded once.
struct LoopMessage {
  void* window;       // HWND, nil for a thread message
  uint32_t message;   // WM_*
  uintptr_t wParam;
  intptr_t lParam;
  uint32_t time;      // GetMessageTime
  int32_t x, y;       // GetMessagePos, screen pixels
};

// The message numbers the loop itself looks at.
enum : uint32_t {
  kMessagePaint = 0x000F,          // WM_PAINT
  kMessageQuit = 0x0012,           // WM_QUIT
  kMessageNcMouseMove = 0x00A0,    // WM_NCMOUSEMOVE
  kMessageNcLastMouse = 0x00AD,    // WM_NCXBUTTONDBLCLK
  kMessageFirstKey = 0x0100,       // WM_KEYFIRST, WM_KEYDOWN
  kMessageSysKeyDown = 0x0104,     // WM_SYSKEYDOWN
  kMessageLastKey = 0x0109,        // WM_KEYLAST
  kMessageTimer = 0x0113,          // WM_TIMER
  kMessageMouseMove = 0x0200,      // WM_MOUSEFIRST, WM_MOUSEMOVE
  kMessageLastMouse = 0x020E,      // WM_MOUSELAST
};

enum class Removal { Keep, Remove };  // PM_NOREMOVE, PM_REMOVE

// GetMessageA for every window of the thread: waits for the next message.
// False for WM_QUIT, and for a failing call (so a broken queue ends the loop
// instead of spinning). POSIX: a wait on an empty queue ends like WM_QUIT.
bool TakeNextMessage(LoopMessage& message);

// PeekMessageA: the first message in [first, last] (both 0: any message),
// without waiting; false when there is none. WM_QUIT is returned as a
// message.
bool PeekNextMessage(LoopMessage& message, Removal removal, uint32_t first = 0, uint32_t last = 0);

// TranslateMessage (character messages for key presses), DispatchMessageA
// (the window procedure).
void TranslateLoopMessage(const LoopMessage& message);
void DispatchLoopMessage(const LoopMessage& message);

// PostQuitMessage: the next take returns false.
void PostQuitToLoop(int32_t exitCode);

// GetAsyncKeyState(VK_ESCAPE): the key is down now.
bool EscapeKeyDown();

// GetCursorPos, screen pixels.
void CursorPosition(int32_t* x, int32_t* y);

}  // namespace ql::platform
