// The window procedure and the key pre-translation driven by real messages:
// sent and posted to real windows, taken by the real main loop.
#if defined(_WIN32)

#include <windows.h>

#include <gtest/gtest.h>

#include <stdio.h>
#include <stdlib.h>

#include "core/exception.h"
#include "core/object.h"
#include "platform/message_box.h"
#include "quillon/entrypoints/windows.h"
#include "startup/application.h"
#include "startup/mainloop.h"
#include "ui/control_panes.h"
#include "ui/fonts.h"
#include "ui/native.h"
#include "ui/view_window.h"
#include "ui/window_layer.h"
#include "ui_world.h"

namespace ql::test {
namespace {

using ui::AsControl;
using ui::AsWindow;
using ui::Pane;
using Strings = std::vector<std::string>;

std::vector<std::string> g_messageBoxes;
void RecordMessageBox(const char* text) { g_messageBoxes.push_back(text); }

HWND Hwnd(RuntimeObject* w) { return static_cast<HWND>(AsWindow(w)->view->NativeHandle()); }
HWND Hwnd(Pane* p) { return static_cast<HWND>(p->NativeHandle()); }

class WindowMessages : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    LoadLibraryA("RICHED20.DLL");  // the text fields' class
    ui::InstallWindowLayer();
    previousHook_ = SetUnhandledExceptionHook(HandleUnhandledException);
    previousBox_ = platform::SetMessageBoxObserver(RecordMessageBox);
    g_messageBoxes.clear();
  }
  void TearDown() override {
    UiTest::TearDown();
    SetUnhandledExceptionHook(previousHook_);
    platform::SetMessageBoxObserver(previousBox_);
    ResetApplicationState();
    ResetMainLoopState();
  }
  // Passes of the main loop while messages wait.
  static void Pump() {
    for (int i = 0; i < 500 && !QuitRequested(); ++i) {
      MSG m;
      if (!PeekMessageA(&m, nullptr, 0, 0, PM_NOREMOVE)) break;
      RunProtected(RunMainLoopPass);
    }
  }
  // Shown and active, as the idle pass and the system make it.
  static RuntimeObject* Open(const WindowDesign& d) {
    RuntimeObject* w = OpenWindow(d);
    RuntimeShowWindow(w);
    Pump();
    SendMessageW(Hwnd(w), WM_ACTIVATE, WA_ACTIVE, 0);
    return w;
  }
  ExceptionHook previousHook_ = nullptr;
  platform::MessageBoxObserver previousBox_ = nullptr;
};

WindowDesign Buttons(const char* name) {
  WindowDesign d;
  d.className = name;
  d.controls = {
      ControlDesign{.className = "Field", .bounds = {10, 10, 30, 150}, .kind = PaneKind::TextField},
      ControlDesign{.className = "Hidden", .bounds = {40, 10, 60, 150}, .visible = false},
      ControlDesign{.className = "Off", .bounds = {70, 10, 90, 150}, .enabled = false},
      ControlDesign{.className = "Label", .bounds = {100, 10, 120, 150}, .kind = PaneKind::Label},
      ControlDesign{.className = "Ok", .bounds = {130, 10, 150, 90}, .isDefault = true},
      ControlDesign{.className = "Cancel", .bounds = {130, 100, 150, 190}, .isCancel = true},
  };
  return d;
}

TEST_F(WindowMessages, CloseHonoursCancelCloseAndTheLastWindowEndsTheLoop) {
  WindowDesign d = Buttons("CloseMessageWindow");
  d.cancelClose = true;
  ObjectRef w = ObjectRef::Adopt(Open(d));
  HWND hwnd = Hwnd(w.get());
  SendMessageW(hwnd, WM_CLOSE, 0, 0);
  EXPECT_TRUE(IsWindow(hwnd));
  EXPECT_NE(AsWindow(w.get())->view, nullptr);
  EXPECT_EQ(TraceOf("CloseMessageWindow Close"), Strings{});
  WindowDesign willing = d;
  willing.cancelClose = false;
  WindowClassOf(willing);  // the same class now says False
  PostMessageW(hwnd, WM_CLOSE, 0, 0);
  Pump();
  EXPECT_FALSE(IsWindow(hwnd));
  EXPECT_EQ(AsWindow(w.get())->view, nullptr);
  EXPECT_EQ(TraceOf("CloseMessageWindow Close"), Strings{"CloseMessageWindow Close"});
  RunProtected(RunMainLoopPass);
  EXPECT_TRUE(QuitRequested()) << "no window is left";
}

TEST_F(WindowMessages, TheDestroyMessageDestroysTheWindow) {
  HWND hwnd = CreateWindowExW(0, L"QLWindow", L"", WS_OVERLAPPED, 0, 0, 50, 50, nullptr, nullptr,
                              GetModuleHandleW(nullptr), nullptr);
  ASSERT_TRUE(hwnd);
  EXPECT_EQ(SendMessageW(hwnd, 0x862, 1, 2), 1);
  EXPECT_FALSE(IsWindow(hwnd));
}

TEST_F(WindowMessages, SizeMovesLockedControlsByExactlyTheChange) {
  WindowDesign d;
  d.className = "SizeMessageWindow";
  d.controls = {
      ControlDesign{.className = "Free", .bounds = {10, 10, 30, 90}},
      ControlDesign{.className = "Stretch", .bounds = {40, 10, 60, 290}, .lockLeft = true, .lockRight = true},
      ControlDesign{.className = "Corner", .bounds = {170, 220, 190, 290}, .lockRight = true, .lockBottom = true},
  };
  ObjectRef w = ObjectRef::Adopt(Open(d));
  HWND hwnd = Hwnd(w.get());
  RECT client;
  GetClientRect(hwnd, &client);
  RECT frame{0, 0, client.right + 50, client.bottom + 30};
  AdjustWindowRectEx(&frame, GetWindowLongW(hwnd, GWL_STYLE), FALSE, GetWindowLongW(hwnd, GWL_EXSTYLE));
  trace().clear();
  SetWindowPos(hwnd, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top, SWP_NOMOVE | SWP_NOZORDER);
  EXPECT_EQ(TraceOf("SizeMessageWindow Resized").size(), 1u);
  struct Case {
    const char* key;
    int32_t left, top, width, height;
  };
  for (const Case& c : {Case{"Free", 10, 10, 80, 20}, Case{"Stretch", 10, 40, 330, 20}, Case{"Corner", 270, 200, 70, 20}}) {
    RuntimeObject* control = ControlOf(w.get(), c.key);
    EXPECT_EQ(ctlPosGetter(control, 0), c.left) << c.key;
    EXPECT_EQ(ctlPosGetter(control, 1), c.top) << c.key;
    EXPECT_EQ(ctlPosGetter(control, 2), c.width) << c.key;
    EXPECT_EQ(ctlPosGetter(control, 3), c.height) << c.key;
    RECT r;
    GetWindowRect(Hwnd(PaneOf(w.get(), c.key)), &r);
    MapWindowPoints(nullptr, hwnd, reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(r.left, c.left) << c.key;
    EXPECT_EQ(r.top, c.top) << c.key;
    EXPECT_EQ(r.right - r.left, c.width) << c.key;
  }
}

TEST_F(WindowMessages, MinMaxInfoComesFromTheSizeLimits) {
  WindowDesign d = Buttons("LimitWindow");
  d.minWidth = 200;
  d.minHeight = 150;
  d.maxWidth = 600;
  d.maxHeight = 500;
  ObjectRef w = ObjectRef::Adopt(Open(d));
  HWND hwnd = Hwnd(w.get());
  MINMAXINFO info{};
  SendMessageW(hwnd, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
  const int32_t fx = GetSystemMetrics(SM_CXDLGFRAME), fy = GetSystemMetrics(SM_CYDLGFRAME);
  const int32_t caption = GetSystemMetrics(SM_CYCAPTION);
  EXPECT_EQ(info.ptMinTrackSize.x, 200 + 2 * fx);
  EXPECT_EQ(info.ptMinTrackSize.y, 150 + 2 * fy + caption);
  EXPECT_EQ(info.ptMaxTrackSize.x, 600 + 2 * fx);
  EXPECT_EQ(info.ptMaxTrackSize.y, 500 + 2 * fy + caption);
}

// MDI mode for one test: the frame made as RuntimeInit makes it, destroyed
// at the end so that the other tests see top-level windows again.
struct MdiFrame {
  MdiFrame() { made = ui::native::CreateMdiFrame(nullptr); }
  ~MdiFrame() {
    if (HWND frame = static_cast<HWND>(ui::native::MdiFrame())) DestroyWindow(frame);
  }
  bool made = false;
};

TEST_F(WindowMessages, InMdiModeWindowsAreChildrenOfTheFrameWithBoundsInItsClient) {
  MdiFrame mdi;
  ASSERT_TRUE(mdi.made);
  HWND client = static_cast<HWND>(ui::native::MdiClient());
  WindowDesign d;
  d.className = "MdiMessageWindow";
  d.controls = {ControlDesign{.className = "Corner", .bounds = {170, 220, 190, 290}, .lockRight = true, .lockBottom = true}};
  ObjectRef w = ObjectRef::Adopt(Open(d));
  HWND hwnd = Hwnd(w.get());
  ASSERT_TRUE(hwnd);
  EXPECT_EQ(GetParent(hwnd), client);
  wchar_t name[32] = {};
  GetClassNameW(hwnd, name, 32);
  EXPECT_STREQ(name, L"QL_MDICHILD");

  // Left and Top are the client area's place inside the MDI client.
  auto expectBoundsOfClientArea = [&](const char* when) {
    RECT r;
    GetClientRect(hwnd, &r);
    MapWindowPoints(hwnd, client, reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(windowPosGetter(w.get(), 0), r.left) << when;
    EXPECT_EQ(windowPosGetter(w.get(), 1), r.top) << when;
    EXPECT_EQ(windowPosGetter(w.get(), 2), r.right - r.left) << when;
    EXPECT_EQ(windowPosGetter(w.get(), 3), r.bottom - r.top) << when;
  };
  expectBoundsOfClientArea("opened");
  EXPECT_EQ(windowPosGetter(w.get(), 2), 300);
  EXPECT_EQ(windowPosGetter(w.get(), 3), 200);

  // Setting Left moves the child inside the MDI client, not on the screen.
  windowPosSetter(w.get(), 0, 40);
  Pump();
  expectBoundsOfClientArea("moved");
  EXPECT_EQ(windowPosGetter(w.get(), 0), 40);

  RECT outer;
  GetWindowRect(hwnd, &outer);
  SetWindowPos(hwnd, nullptr, 0, 0, outer.right - outer.left + 20, outer.bottom - outer.top + 10,
               SWP_NOMOVE | SWP_NOZORDER);
  expectBoundsOfClientArea("resized");
  RuntimeObject* corner = ControlOf(w.get(), "Corner");
  EXPECT_EQ(ctlPosGetter(corner, 0), 240);
  EXPECT_EQ(ctlPosGetter(corner, 1), 180);

  // The last child closing leaves the application running (the window image
  // test closes its frame to quit).
  PostMessageW(hwnd, WM_CLOSE, 0, 0);
  Pump();
  EXPECT_FALSE(IsWindow(hwnd));
  EXPECT_EQ(AsWindow(w.get())->view, nullptr);
  HWND frame = static_cast<HWND>(ui::native::MdiFrame());
  PostMessageW(frame, WM_NULL, 0, 0);  // in MDI mode the pass waits for a message
  RunProtected(RunMainLoopPass);
  EXPECT_FALSE(QuitRequested());
}

HWND Focused() { return GetFocus(); }

void PressKey(HWND target, WPARAM vk) {
  PostMessageA(target, WM_KEYDOWN, vk, 1);
  PostMessageA(target, WM_KEYUP, vk, 0xC0000001);
}

// The Shift key held down, as the keyboard's state reports it.
struct ShiftDown {
  ShiftDown() { keybd_event(VK_SHIFT, 0, 0, 0); }
  ~ShiftDown() { keybd_event(VK_SHIFT, 0, KEYEVENTF_KEYUP, 0); }
};

TEST_F(WindowMessages, TabAndShiftTabFollowCreationOrderSkippingWhatCannotTakeTheFocus) {
  ObjectRef w = ObjectRef::Adopt(Open(Buttons("TabMessageWindow")));
  struct Step {
    bool shift;
    const char* expected;
  };
  const Step steps[] = {{false, "Field"}, {false, "Ok"}, {false, "Cancel"}, {false, "Field"},
                        {true, "Cancel"}, {true, "Ok"},  {true, "Field"}};
  for (const Step& s : steps) {
    HWND target = Focused() ? Focused() : Hwnd(w.get());
    if (s.shift) {
      ShiftDown shift;
      PressKey(target, VK_TAB);
      Pump();
    } else {
      PressKey(target, VK_TAB);
      Pump();
    }
    EXPECT_EQ(Focused(), Hwnd(PaneOf(w.get(), s.expected))) << s.expected << (s.shift ? " (Shift+Tab)" : "");
  }
}

TEST_F(WindowMessages, ReturnPushesTheDefaultButtonAndEscapeTheCancelButton) {
  ObjectRef w = ObjectRef::Adopt(Open(Buttons("ReturnMessageWindow")));
  ui::ControlView(ControlOf(w.get(), "Field"))->SetFocusPane(PaneOf(w.get(), "Field"));
  PressKey(Focused(), VK_RETURN);
  Pump();
  EXPECT_EQ(PushCount(ControlOf(w.get(), "Ok")), 1);
  EXPECT_EQ(PushCount(ControlOf(w.get(), "Cancel")), 0);
  PressKey(Focused(), VK_ESCAPE);
  Pump();
  EXPECT_EQ(PushCount(ControlOf(w.get(), "Cancel")), 1);
  EXPECT_EQ(PushCount(ControlOf(w.get(), "Ok")), 1);
}

TEST_F(WindowMessages, MouseDownGoesToTheControlUnderThePointerThenToTheWindow) {
  ObjectRef w = ObjectRef::Adopt(Open(Buttons("MouseMessageWindow")));
  trace().clear();
  SendMessageW(Hwnd(PaneOf(w.get(), "Label")), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 6));
  SendMessageW(Hwnd(PaneOf(w.get(), "Label")), WM_LBUTTONUP, 0, MAKELPARAM(5, 6));
  EXPECT_EQ(trace(), (Strings{"Label MouseDown 5,6", "MouseMessageWindow MouseDown 15,106"}));
  trace().clear();
  SendMessageW(Hwnd(w.get()), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(250, 20));
  EXPECT_EQ(trace(), Strings{"MouseMessageWindow MouseDown 250,20"});
}

TEST_F(WindowMessages, MouseMovesEnterAndLeaveControls) {
  ObjectRef w = ObjectRef::Adopt(Open(Buttons("MoveMessageWindow")));
  trace().clear();
  SendMessageW(Hwnd(w.get()), WM_MOUSEMOVE, 0, MAKELPARAM(20, 105));
  SendMessageW(Hwnd(w.get()), WM_MOUSEMOVE, 0, MAKELPARAM(250, 20));
  EXPECT_EQ(trace(), (Strings{"MoveMessageWindow MouseEnter", "Label MouseEnter", "Label MouseMove 10,5",
                              "MoveMessageWindow MouseMove 20,105", "Label MouseExit",
                              "MoveMessageWindow MouseMove 250,20"}));
}

TEST_F(WindowMessages, AnExceptionEscapingAnEventIsReportedAndTheApplicationQuits) {
  WindowDesign d = Buttons("RaisingWindow");
  d.raisesOnKeyDown = true;
  ObjectRef w = ObjectRef::Adopt(Open(d));
  PressKey(Hwnd(w.get()), 'A');
  Pump();
  ASSERT_EQ(g_messageBoxes.size(), 1u);
  EXPECT_EQ(g_messageBoxes[0],
            "An exception of class NilObjectException was not handled.\r\nThe application must shut down.");
  EXPECT_TRUE(QuitRequested());
}

int64_t GuiObjects(DWORD kind) { return GetGuiResources(GetCurrentProcess(), kind); }

// The windows of this process, children included: counted by walking them,
// since wine answers GetGuiResources with 0.
BOOL CALLBACK CountWindow(HWND window, LPARAM count) {
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process != GetCurrentProcessId()) return TRUE;
  ++*reinterpret_cast<int64_t*>(count);
  EnumChildWindows(window, CountWindow, count);
  return TRUE;
}
int64_t WindowsOfProcess() {
  int64_t count = 0;
  EnumWindows(CountWindow, reinterpret_cast<LPARAM>(&count));
  return count;
}

TEST_F(WindowMessages, OpeningAndClosingAWindowAgainAndAgainLeaksNothing) {
  // scripts/soak-windows.sh runs this test with many more cycles.
  const char* soak = getenv("QL_WINDOW_CYCLES");
  const int cycles = soak ? atoi(soak) : 25;
  const WindowDesign d = Buttons("CycleWindow");
  auto cycle = [&] {
    ObjectRef w = ObjectRef::Adopt(Open(d));
    PostMessageW(Hwnd(w.get()), WM_CLOSE, 0, 0);
    Pump();
    // The last window closing asked the loop to end: a fresh loop for the next cycle.
    ResetMainLoopState();
    ui::InstallWindowLayer();
  };
  cycle();
  const size_t objects = LiveObjectCount();
  const int64_t gdi = GuiObjects(GR_GDIOBJECTS), user = GuiObjects(GR_USEROBJECTS);
  const int64_t windows = WindowsOfProcess();
  const size_t fonts = ui::CachedFontCount();
  for (int i = 0; i < cycles; ++i) cycle();
  if (soak)
    printf("after the first cycle: %zu objects, %lld windows, %zu fonts, GDI %lld, USER %lld\n"
           "after %d more cycles: %zu objects, %lld windows, %zu fonts, GDI %lld, USER %lld\n",
           objects, static_cast<long long>(windows), fonts, static_cast<long long>(gdi), static_cast<long long>(user),
           cycles, LiveObjectCount(), static_cast<long long>(WindowsOfProcess()), ui::CachedFontCount(),
           static_cast<long long>(GuiObjects(GR_GDIOBJECTS)), static_cast<long long>(GuiObjects(GR_USEROBJECTS)));
  EXPECT_EQ(LiveObjectCount(), objects);
  EXPECT_EQ(WindowsOfProcess(), windows);
  EXPECT_EQ(ui::CachedFontCount(), fonts);
  EXPECT_EQ(GuiObjects(GR_GDIOBJECTS), gdi);
  EXPECT_EQ(GuiObjects(GR_USEROBJECTS), user);
}

}  // namespace
}  // namespace ql::test

#endif
