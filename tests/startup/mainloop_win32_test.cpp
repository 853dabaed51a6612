// The main loop over the thread's real message queue: the timer window's
// timers drive periodic tasks while the loop waits, and the background task
// serves paint and posted messages but leaves clicks for the loop.
#if defined(_WIN32)

#include <windows.h>
#include <ole2.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "platform/ole.h"
#include "platform/timer_window.h"
#include "quillon/entrypoints/application.h"
#include "startup/loop_world.h"
#include "startup/mainloop.h"

namespace ql {
namespace {

using ::testing::ElementsAre;
using MainLoopWin32 = test::LoopTest;

void CALLBACK GiveUp(HWND, UINT, UINT_PTR, DWORD) { PostQuitMessage(0); }

TEST_F(MainLoopWin32, TheTimerWindowsTimersFireTasksWhileTheLoopWaits) {
  ASSERT_TRUE(platform::CreateTimerWindow());
  world().openWindows = 1;
  int fired = 0;
  // The test's clock stands still, so no task ever falls due by the clock:
  // only WM_TIMER can fire it after its first time.
  test::TracingTask task("tick", 1, [&] {
    if (++fired == 3) world().openWindows = 0;
  });
  const UINT_PTR watchdog = SetTimer(nullptr, 0, 10000, GiveUp);
  RuntimeRun();
  KillTimer(nullptr, watchdog);
  EXPECT_EQ(fired, 3);
  EXPECT_TRUE(QuitRequested());
  EXPECT_FALSE(MainLoopRunning());
}

std::vector<std::string>* g_windowTrace = nullptr;

LRESULT CALLBACK TestWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (g_windowTrace) {
    if (message == WM_PAINT) g_windowTrace->push_back("paint");
    if (message == WM_LBUTTONDOWN) g_windowTrace->push_back("lbuttondown");
    if (message >= WM_USER) g_windowTrace->push_back("user+" + std::to_string(message - WM_USER));
  }
  if (message == WM_PAINT) {
    PAINTSTRUCT paint;
    BeginPaint(window, &paint);
    EndPaint(window, &paint);
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

void DispatchEverythingPending() {
  MSG m;
  while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&m);
}

TEST_F(MainLoopWin32, TheBackgroundTaskServesPaintAndPostedMessagesButLeavesAClickQueued) {
  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = TestWindowProc;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.lpszClassName = "QLBackgroundTaskTest";
  RegisterClassA(&windowClass);
  HWND window = CreateWindowExA(0, "QLBackgroundTaskTest", "", WS_OVERLAPPED | WS_VISIBLE, 0, 0, 120, 80, nullptr,
                                nullptr, windowClass.hInstance, nullptr);
  ASSERT_NE(window, nullptr);
  UpdateWindow(window);
  DispatchEverythingPending();
  std::vector<std::string> seen;
  g_windowTrace = &seen;

  PostMessageA(window, WM_USER + 1, 0, 0);
  PostMessageA(window, WM_LBUTTONDOWN, 0, 0);
  PostMessageA(window, WM_USER + 2, 0, 0);
  InvalidateRect(window, nullptr, FALSE);
  RuntimeBackgroundTask();
  EXPECT_THAT(seen, ElementsAre("user+1", "paint"));
  MSG next;
  ASSERT_TRUE(PeekMessageA(&next, nullptr, 0, 0, PM_NOREMOVE));
  EXPECT_EQ(next.message, static_cast<UINT>(WM_LBUTTONDOWN));
  DispatchEverythingPending();  // what the loop does once the calculation has returned
  EXPECT_THAT(seen, ElementsAre("user+1", "paint", "lbuttondown", "user+2"));

  g_windowTrace = nullptr;
  DestroyWindow(window);
  DispatchEverythingPending();
}

TEST_F(MainLoopWin32, TheShutdownBalancesOleInitialisation) {
  ASSERT_TRUE(platform::InitialiseOle());
  ShutDownRuntime();
  // Uninitialised again: initialising now is the first time, not a repeat.
  EXPECT_EQ(OleInitialize(nullptr), S_OK);
  OleUninitialize();
}

}  // namespace
}  // namespace ql

#endif
