#include <windows.h>

#include "platform/module.h"
#include "platform/timer_window.h"
#include "platform/version.h"

namespace ql::platform {
namespace {

HWND g_window = nullptr;
TimerHandler g_handler = nullptr;

LRESULT CALLBACK TimerWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_TIMER && g_handler) {
    g_handler(static_cast<uintptr_t>(wParam));
    return 0;
  }
  return IsWindowUnicode(window) ? DefWindowProcW(window, message, wParam, lParam)
                                 : DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

bool CreateTimerWindow() {
  if (g_window) return true;
  HINSTANCE instance = static_cast<HINSTANCE>(ModuleInstance());
  if (IsNTPlatform()) {
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = TimerWindowProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = L"WinTimerClass";
    RegisterClassW(&windowClass);
    g_window = CreateWindowExW(WS_EX_LEFT, L"WinTimerClass", L"", 0, 0, 0, 1, 1, nullptr, nullptr, instance, nullptr);
  } else {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = TimerWindowProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = "WinTimerClass";
    RegisterClassA(&windowClass);
    g_window = CreateWindowExA(WS_EX_LEFT, "WinTimerClass", "", 0, 0, 0, 1, 1, nullptr, nullptr, instance, nullptr);
  }
  return g_window != nullptr;
}

void* TimerWindow() { return g_window; }

TimerHandler SetTimerHandler(TimerHandler handler) {
  TimerHandler previous = g_handler;
  g_handler = handler;
  return previous;
}

bool StartTimer(uintptr_t timerId, uint32_t milliseconds) {
  return g_window && SetTimer(g_window, timerId, milliseconds, nullptr) != 0;
}

void StopTimer(uintptr_t timerId) {
  if (g_window) KillTimer(g_window, timerId);
}

}  // namespace ql::platform
