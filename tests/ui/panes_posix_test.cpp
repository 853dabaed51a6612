// Panes over the POSIX stand-in of native windows: native parents and
// positions, visibility with tab pages, the Tab order, hit-testing and mouse
// dispatch, the key pre-translation, resizing with locked controls. The
// stand-in records what a real window would be (ui/posix/fake_windows.h).
#if !defined(_WIN32)

#include <gtest/gtest.h>

#include "core/object.h"
#include "quillon/entrypoints/windows.h"
#include "ui/control_panes.h"
#include "ui/keys.h"
#include "ui/posix/fake_windows.h"
#include "ui/shortcuts.h"
#include "ui/view_window.h"
#include "ui/window.h"
#include "ui/window_messages.h"
#include "ui_world.h"

namespace ql::test {
namespace {

namespace fake = ui::fake;
namespace native = ui::native;
using ui::AsControl;
using ui::AsWindow;
using ui::FocusDirection;
using ui::MouseEvent;
using ui::Pane;
using ui::Rect16;
using ui::RuntimeViewWindow;
using Strings = std::vector<std::string>;

RuntimeViewWindow* ViewOf(RuntimeObject* w) { return AsWindow(w)->view; }

std::string FocusKey(RuntimeObject* w) {
  Pane* p = ViewOf(w)->FocusPane();
  RuntimeObject* c = p ? p->Control() : nullptr;
  return c ? std::string(StringText(c->cls->name), StringLength(c->cls->name)) : "none";
}

using NativePanes = UiTest;

TEST_F(NativePanes, NativeParentsFollowContainmentAndPositionsTheParentsCoordinates) {
  WindowDesign d;
  d.className = "NativeWindow";
  d.controls = {
      ControlDesign{.className = "Group", .bounds = {10, 10, 110, 210}, .kind = PaneKind::Group},
      ControlDesign{.className = "Inner", .bounds = {30, 20, 50, 120}},
      ControlDesign{.className = "Label", .bounds = {150, 10, 170, 90}, .kind = PaneKind::Label},
  };
  ObjectRef w = ObjectRef::Adopt(OpenWindow(d));
  const fake::FakeWindow* inner = fake::WindowOf(PaneOf(w.get(), "Inner")->NativeHandle());
  EXPECT_EQ(inner->parent, PaneOf(w.get(), "Group")->NativeHandle());
  EXPECT_EQ(inner->position.x, 10);
  EXPECT_EQ(inner->position.y, 20);
  EXPECT_EQ(inner->className, "BUTTON");
  EXPECT_EQ(inner->style & 0x50000000u, 0x50000000u) << "WS_CHILD | WS_VISIBLE";
  EXPECT_EQ(inner->pane, PaneOf(w.get(), "Inner"));
  const fake::FakeWindow* label = fake::WindowOf(PaneOf(w.get(), "Label")->NativeHandle());
  EXPECT_EQ(label->parent, ViewOf(w.get())->NativeHandle());
  EXPECT_EQ(label->className, "QL_Pane");
  const fake::FakeWindow* group = fake::WindowOf(PaneOf(w.get(), "Group")->NativeHandle());
  EXPECT_EQ(group->style & 0xF, 7u);
}

TEST_F(NativePanes, AComboBoxIsTallerByItsDropDownList) {
  ObjectRef w = ObjectRef::Adopt(OpenWindow(WindowDesign{.className = "ComboWindow"}));
  struct ComboPane : Pane {};
  auto* pane = new ComboPane;
  pane->CreatePaneWindow(ViewOf(w.get()), nullptr, Rect16{10, 10, 30, 110}, ui::PaneWindowSpec{.className = "COMBOBOX"});
  EXPECT_EQ(fake::WindowOf(pane->NativeHandle())->height, 220);
  pane->SetBounds(Rect16{10, 10, 40, 110});
  EXPECT_EQ(fake::WindowOf(pane->NativeHandle())->height, 230);
  pane->Close();
}

TEST_F(NativePanes, APaneOnAHiddenPageStaysHiddenUntilItsPageShows) {
  WindowDesign d;
  d.className = "PagePaneWindow";
  d.controls = {ControlDesign{.className = "OnPage2", .tabPage = 2}};
  ObjectRef w = ObjectRef::Adopt(OpenWindow(d));
  Pane* pane = PaneOf(w.get(), "OnPage2");
  pane->SetPageShown(false);  // page 1 is selected
  EXPECT_FALSE(fake::WindowOf(pane->NativeHandle())->visible);
  ControlVisibleSetter(ControlOf(w.get(), "OnPage2"), 0, false);
  ControlVisibleSetter(ControlOf(w.get(), "OnPage2"), 0, true);
  EXPECT_FALSE(fake::WindowOf(pane->NativeHandle())->visible) << "Visible true on an unselected page";
  pane->SetPageShown(true);  // its page is selected
  EXPECT_TRUE(fake::WindowOf(pane->NativeHandle())->visible);
}

TEST_F(NativePanes, ClosingTheWindowDestroysEveryNativeWindow) {
  WindowDesign d;
  d.className = "CountWindow";
  d.controls = {ControlDesign{.className = "A"}, ControlDesign{.className = "B", .kind = PaneKind::Label}};
  const size_t before = fake::LiveWindowCount();
  ObjectRef w = ObjectRef::Adopt(OpenWindow(d));
  EXPECT_EQ(fake::LiveWindowCount(), before + 3);
  RuntimeCloseWindow(w.get());
  EXPECT_EQ(fake::LiveWindowCount(), before);
}

// --- Tab order ---

WindowDesign TabWindow() {
  WindowDesign d;
  d.className = "TabWindow";
  d.controls = {
      ControlDesign{.className = "First", .bounds = {10, 10, 30, 90}},
      ControlDesign{.className = "Label", .bounds = {40, 10, 60, 90}, .kind = PaneKind::Label},
      ControlDesign{.className = "Off", .bounds = {70, 10, 90, 90}, .enabled = false},
      ControlDesign{.className = "Gone", .bounds = {100, 10, 120, 90}, .visible = false},
      ControlDesign{.className = "Paged", .bounds = {130, 10, 150, 90}, .tabPage = 2},
      ControlDesign{.className = "Field", .bounds = {160, 10, 180, 90}, .kind = PaneKind::TextField},
      ControlDesign{.className = "Last", .bounds = {190, 10, 210, 90}},
  };
  return d;
}

using TabOrder = UiTest;

TEST_F(TabOrder, FollowsCreationOrderAndSkipsWhatCannotTakeTheFocus) {
  ObjectRef w = ObjectRef::Adopt(OpenWindow(TabWindow()));
  PaneOf(w.get(), "Paged")->SetPageShown(false);
  RuntimeViewWindow* view = ViewOf(w.get());
  EXPECT_EQ(FocusKey(w.get()), "none") << "a new window has no focused control";
  struct Step {
    FocusDirection direction;
    const char* expected;
  };
  const Step steps[] = {
      {FocusDirection::Next, "First"},     {FocusDirection::Next, "Field"},     {FocusDirection::Next, "Last"},
      {FocusDirection::Next, "First"},     {FocusDirection::Previous, "Last"},  {FocusDirection::Previous, "Field"},
      {FocusDirection::Previous, "First"}, {FocusDirection::Previous, "Last"},
  };
  for (const Step& s : steps) {
    view->MoveFocus(s.direction);
    EXPECT_EQ(FocusKey(w.get()), s.expected);
  }
  PaneOf(w.get(), "Paged")->SetPageShown(true);
  view->MoveFocus(FocusDirection::Previous);
  EXPECT_EQ(FocusKey(w.get()), "Field");
  view->MoveFocus(FocusDirection::Previous);
  EXPECT_EQ(FocusKey(w.get()), "Paged") << "its page is shown now";
}

TEST_F(TabOrder, ShiftTabWithoutFocusTakesTheLastAndFocusEventsFire) {
  ObjectRef w = ObjectRef::Adopt(OpenWindow(TabWindow()));
  ui::OnActivate(ViewOf(w.get()), true);  // the system's focus follows in the active window
  trace().clear();
  ViewOf(w.get())->MoveFocus(FocusDirection::Previous);
  EXPECT_EQ(FocusKey(w.get()), "Last");
  ViewOf(w.get())->MoveFocus(FocusDirection::Next);
  EXPECT_EQ(trace(), (Strings{"Last GotFocus", "Last LostFocus", "First GotFocus"}));
  EXPECT_EQ(native::FocusedWindow(), PaneOf(w.get(), "First")->NativeHandle());
}

// --- Keys ---

using KeyPreTranslation = UiTest;

bool Key(RuntimeObject* w, uint32_t vk, uint32_t modifiers = 0, bool extended = false) {
  return ui::PreTranslateKeyDown(ViewOf(w), vk, extended, modifiers);
}

TEST_F(KeyPreTranslation, TabShiftTabAndArrowsMoveTheFocus) {
  ObjectRef w = ObjectRef::Adopt(OpenWindow(TabWindow()));
  PaneOf(w.get(), "Paged")->SetPageShown(false);
  struct Case {
    uint32_t vk, modifiers;
    bool consumed;
    const char* focus;
  };
  const Case cases[] = {
      {ui::kKeyTab, 0, true, "First"},
      {ui::kKeyTab, ui::kModifierShift, true, "Last"},
      {ui::kKeyTab, ui::kModifierControl, false, "Last"},  // Ctrl+Tab is not the window's
      {ui::kKeyLeft, 0, true, "Field"},
      {ui::kKeyRight, 0, false, "Field"},  // a text field keeps the arrows
      {ui::kKeyTab, 0, true, "Last"},
      {ui::kKeyDown, 0, true, "First"},
      {ui::kKeyUp, 0, true, "Last"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Key(w.get(), c.vk, c.modifiers), c.consumed) << c.vk;
    EXPECT_EQ(FocusKey(w.get()), c.focus) << c.vk;
  }
}

TEST_F(KeyPreTranslation, FocusedControlFirstThenTheWindowUnlessATextFieldHasTheFocus) {
  WindowDesign d = TabWindow();
  d.className = "KeyOrderWindow";
  ObjectRef w = ObjectRef::Adopt(OpenWindow(d));
  ViewOf(w.get())->SetFocusPane(PaneOf(w.get(), "First"));
  trace().clear();
  EXPECT_FALSE(Key(w.get(), 'A'));  // neither consumed it, nor does the default handling
  EXPECT_EQ(trace(), (Strings{"First KeyDown 97", "KeyOrderWindow KeyDown 97"}));
  ViewOf(w.get())->SetFocusPane(PaneOf(w.get(), "Field"));
  trace().clear();
  Key(w.get(), 'A');
  EXPECT_EQ(trace(), (Strings{"Field KeyDown 97"})) << "the window's KeyDown is not offered";
  trace().clear();
  Key(w.get(), ui::kKeyF1);
  EXPECT_EQ(trace(), (Strings{"Field KeyDown 200"}));
  trace().clear();
  Key(w.get(), ui::kKeyLeft);
  EXPECT_EQ(trace(), (Strings{"Field KeyDown 28"}));
}

TEST_F(KeyPreTranslation, ReturnPushesTheDefaultButtonAndEscapeTheCancelButton) {
  WindowDesign d;
  d.className = "ButtonsWindow";
  d.controls = {
      ControlDesign{.className = "Field", .kind = PaneKind::TextField},
      ControlDesign{.className = "Ok", .bounds = {40, 10, 60, 90}, .isDefault = true},
      ControlDesign{.className = "Cancel", .bounds = {70, 10, 90, 90}, .isCancel = true},
      ControlDesign{.className = "Other", .bounds = {100, 10, 120, 90}},
  };
  ObjectRef w = ObjectRef::Adopt(OpenWindow(d));
  RuntimeObject* ok = ControlOf(w.get(), "Ok");
  RuntimeObject* cancel = ControlOf(w.get(), "Cancel");
  RuntimeObject* other = ControlOf(w.get(), "Other");
  EXPECT_TRUE(Key(w.get(), ui::kKeyReturn));
  EXPECT_EQ(PushCount(ok), 1);
  EXPECT_TRUE(Key(w.get(), ui::kKeyEscape));
  EXPECT_EQ(PushCount(cancel), 1);
  ViewOf(w.get())->SetFocusPane(PaneOf(w.get(), "Other"));
  EXPECT_TRUE(Key(w.get(), ui::kKeyReturn));
  EXPECT_EQ(PushCount(other), 1) << "the focused push button";
  EXPECT_EQ(PushCount(ok), 1);
  controlEnabledSetter(ok, 0, false);
  ViewOf(w.get())->SetFocusPane(PaneOf(w.get(), "Field"));
  EXPECT_FALSE(Key(w.get(), ui::kKeyReturn)) << "a disabled default button is not pushed";
}

TEST_F(KeyPreTranslation, ControlShortcutsComeFirst) {
  WindowDesign d = TabWindow();
  d.className = "ShortcutWindow";
  ObjectRef w = ObjectRef::Adopt(OpenWindow(d));
  Pane* last = PaneOf(w.get(), "Last");
  String text = NewStringFromCText("Alt+L");
  ui::EnterControlShortcut(last, ui::ShortcutKind::PushButton, text.get());
  trace().clear();
  EXPECT_TRUE(Key(w.get(), 'L', ui::kModifierAlt));
  EXPECT_EQ(trace(), Strings{"Last Push"}) << "no KeyDown once the shortcut consumed the key";
  RuntimeCloseWindow(w.get());
  EXPECT_FALSE(ui::FindShortcut(static_cast<ui::ShortcutTarget*>(last), ui::ShortcutKind::PushButton, nullptr))
      << "the pane's shortcut went with it";
}

// --- Mouse ---

using MouseDispatch = UiTest;

WindowDesign Overlapping(bool laterHandles) {
  WindowDesign d;
  d.className = laterHandles ? "OverlapHandled" : "OverlapPassed";
  d.controls = {
      ControlDesign{.className = "Under", .bounds = {10, 10, 50, 100}, .handlesMouseDown = true},
      ControlDesign{.className = "Over", .bounds = {30, 50, 70, 150}, .handlesMouseDown = laterHandles},
  };
  return d;
}

MouseEvent At(int32_t x, int32_t y) {
  MouseEvent e;
  e.x = x;
  e.y = y;
  return e;
}

TEST_F(MouseDispatch, TheLaterPaneGetsAClickInTheOverlapTheEarlierOneWhenItPasses) {
  struct Case {
    bool laterHandles;
    int32_t x, y;
    Strings expected;
  };
  const Case cases[] = {
      {true, 60, 40, {"Over MouseDown 10,10"}},
      {false, 60, 40, {"Over MouseDown 10,10", "Under MouseDown 50,30"}},
      {true, 20, 20, {"Under MouseDown 10,10"}},
      {true, 200, 150, {"OverlapHandled MouseDown 200,150"}},
  };
  for (const Case& c : cases) {
    ObjectRef w = ObjectRef::Adopt(OpenWindow(Overlapping(c.laterHandles)));
    trace().clear();
    fake::SetMouseButtons(true, false);
    ui::OnMouseDown(ViewOf(w.get()), At(c.x, c.y));
    EXPECT_EQ(trace(), c.expected) << c.x << "," << c.y;
    fake::SetMouseButtons(false, false);
    ui::OnMouseUp(ViewOf(w.get()), At(c.x, c.y));
    RuntimeCloseWindow(w.get());
  }
}

TEST_F(MouseDispatch, AHandledPressTracksTheReleaseToThePressedControl) {
  ObjectRef w = ObjectRef::Adopt(OpenWindow(Overlapping(true)));
  fake::SetMouseButtons(true, false);
  ui::OnMouseDown(ViewOf(w.get()), At(60, 40));
  EXPECT_EQ(ViewOf(w.get())->TrackingPane(), PaneOf(w.get(), "Over"));
  trace().clear();
  fake::SetMouseButtons(false, false);
  ui::OnMouseUp(ViewOf(w.get()), At(5, 5));
  EXPECT_EQ(trace(), Strings{"Over MouseUp -45,-25"});
  EXPECT_FALSE(ViewOf(w.get())->Tracking());
}

TEST_F(MouseDispatch, AButtonReleasedDuringThePressEndsTheTrackingAtOnce) {
  ObjectRef w = ObjectRef::Adopt(OpenWindow(Overlapping(true)));
  fake::SetMouseButtons(false, false);
  fake::SetCursor(native::MapPoint(ViewOf(w.get())->NativeHandle(), nullptr, {61, 41}));
  trace().clear();
  ui::OnMouseDown(ViewOf(w.get()), At(60, 40));
  EXPECT_EQ(trace(), (Strings{"Over MouseDown 10,10", "Over MouseUp 11,11"}));
  EXPECT_FALSE(ViewOf(w.get())->Tracking());
}

TEST_F(MouseDispatch, MovingOverControlsEntersAndExitsThem) {
  ObjectRef w = ObjectRef::Adopt(OpenWindow(Overlapping(true)));
  RuntimeViewWindow* view = ViewOf(w.get());
  trace().clear();
  ui::OnMouseMove(view, At(20, 20));
  ui::OnMouseMove(view, At(21, 20));
  ui::OnMouseMove(view, At(200, 150));
  ui::OnMouseLeave(view);
  EXPECT_EQ(trace(), (Strings{"OverlapHandled MouseEnter", "Under MouseEnter", "Under MouseMove 10,10",
                              "OverlapHandled MouseMove 20,20", "Under MouseMove 11,10",
                              "OverlapHandled MouseMove 21,20", "Under MouseExit", "OverlapHandled MouseMove 200,150",
                              "OverlapHandled MouseExit"}));
}

// --- Resizing ---

using Resizing = UiTest;

TEST_F(Resizing, LockedControlsFollowTheWindowsSizeChange) {
  WindowDesign d;
  d.className = "LockWindow";
  d.bounds = {0, 0, 200, 300};
  d.controls = {
      ControlDesign{.className = "Free", .bounds = {10, 10, 30, 90}},
      ControlDesign{.className = "Stretch", .bounds = {40, 10, 60, 290}, .lockLeft = true, .lockRight = true},
      ControlDesign{.className = "Corner", .bounds = {170, 220, 190, 290}, .lockRight = true, .lockBottom = true},
  };
  ObjectRef w = ObjectRef::Adopt(OpenWindow(d));
  RuntimeViewWindow* view = ViewOf(w.get());
  ui::OnActivate(view, true);  // WM_SIZE counts after the first activation
  native::Box client = native::ClientBoxOnScreen(view->NativeHandle());
  native::PlaceClientArea(view->NativeHandle(), native::Box{client.left, client.top, client.right + 50, client.bottom + 30});
  trace().clear();
  ui::OnSize(view, false);
  EXPECT_EQ(TraceOf("LockWindow"), Strings{"LockWindow Resized"});
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
    const fake::FakeWindow* native = fake::WindowOf(PaneOf(w.get(), c.key)->NativeHandle());
    EXPECT_EQ(native->position.x, c.left) << c.key;
    EXPECT_EQ(native->width, c.width) << c.key;
  }
  EXPECT_EQ(windowPosGetter(w.get(), 2), 350);
}

}  // namespace
}  // namespace ql::test

#endif
