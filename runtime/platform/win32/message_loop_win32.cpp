#include <windows.h>

#include "platform/message_loop.h"

namespace ql::platform {
namespace {

LoopMessage Decode(const MSG& m) {
  return LoopMessage{m.hwnd, m.message, m.wParam, m.lParam, static_cast<uint32_t>(m.time), m.pt.x, m.pt.y};
}

MSG Encode(const LoopMessage& m) {
  MSG msg = {};
  msg.hwnd = static_cast<HWND>(m.window);
  msg.message = m.message;
  msg.wParam = m.wParam;
  msg.lParam = m.lParam;
  msg.time = m.time;
  msg.pt.x = m.x;
  msg.pt.y = m.y;
  return msg;
}

}  // namespace

bool TakeNextMessage(LoopMessage& message) {
  MSG msg;
  const BOOL result = GetMessageA(&msg, nullptr, 0, 0);
  if (result <= 0) return false;  // 0: WM_QUIT; -1: the call failed
  message = Decode(msg);
  return true;
}

bool PeekNextMessage(LoopMessage& message, Removal removal, uint32_t first, uint32_t last) {
  MSG msg;
  if (!PeekMessageA(&msg, nullptr, first, last, removal == Removal::Remove ? PM_REMOVE : PM_NOREMOVE)) return false;
  message = Decode(msg);
  return true;
}

void TranslateLoopMessage(const LoopMessage& message) {
  const MSG msg = Encode(message);
  TranslateMessage(&msg);
}

void DispatchLoopMessage(const LoopMessage& message) {
  const MSG msg = Encode(message);
  DispatchMessageA(&msg);
}

void PostQuitToLoop(int32_t exitCode) { PostQuitMessage(exitCode); }

bool EscapeKeyDown() { return (GetAsyncKeyState(VK_ESCAPE) & 0x8000) != 0; }

void CursorPosition(int32_t* x, int32_t* y) {
  POINT p = {};
  GetCursorPos(&p);
  *x = p.x;
  *y = p.y;
}

}  // namespace ql::platform
