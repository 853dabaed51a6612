// The object side of windows: creation order, stored properties, controls
// entering a window and their keys, implicit instances, menu handlers,
// closing; the frame, placement, sizing-limit and locked-edge rules.
#include <gtest/gtest.h>

#include "core/intrinsic_classes.h"
#include "core/object.h"
#include "core/string.h"
#include "quillon/entrypoints/objects.h"
#include "quillon/entrypoints/windows.h"
#include "support/assertion_recorder.h"
#include "ui/control_panes.h"
#include "ui/menu_hooks.h"
#include "ui/frames.h"
#include "ui/view_window.h"
#include "ui/window.h"
#include "ui/window_geometry.h"
#include "ui_world.h"

namespace ql::test {
namespace {

namespace native = ui::native;
using ui::AsControl;
using ui::AsWindow;
using ui::RuntimeViewWindow;
using ui::Rect16;
using ui::WindowObject;
using Strings = std::vector<std::string>;

String Str(const char* s) { return NewStringFromCText(s); }

WindowDesign TwoControls(const char* name = "OrderWindow") {
  WindowDesign d;
  d.className = name;
  d.controls = {ControlDesign{.className = "c1"}, ControlDesign{.className = "c2", .bounds = {40, 10, 60, 90}}};
  return d;
}

using WindowCreation = UiTest;

TEST_F(WindowCreation, EventsFollowTheFixedOrder) {
  ObjectRef w = ObjectRef::Adopt(OpenWindow(TwoControls()));
  EXPECT_EQ(trace(), (Strings{"OrderWindow Layout", "OrderWindow CreateControls", "c1 _Layout", "c2 _Layout",
                              "c1 CreatePane", "c2 CreatePane", "OrderWindow SetupBindings", "c1 Open", "c2 Open",
                              "OrderWindow Open"}));
  WindowObject* fields = AsWindow(w.get());
  ASSERT_NE(fields->view, nullptr);
  EXPECT_TRUE(fields->controlsBuilt);
  EXPECT_EQ(fields->view->PaneCount(), 2u);
}

TEST_F(WindowCreation, LayoutDesignValuesDecodeByWindowPropertyIndex) {
  WindowDesign d = TwoControls("DecodedWindow");
  d.bounds = {0, 0, 150, 240};
  d.title = "Solutions";
  d.frame = 1;
  d.placement = 0;
  d.minWidth = 100;
  d.maxHeight = 400;
  d.visible = false;
  ObjectRef w = ObjectRef::Adopt(OpenWindow(d));
  String title = String::Adopt(windowTitleGetter(w.get(), 0));
  EXPECT_STREQ(title.text(), "Solutions");
  EXPECT_EQ(windowFrameGetter(w.get(), 0), 1);
  EXPECT_FALSE(WindowVisibleGetter(w.get(), 0));
  EXPECT_EQ(AsWindow(w.get())->minWidth, 100);
  EXPECT_EQ(AsWindow(w.get())->maxHeight, 400);
  // Frame 1's default placement, 2: centred and a quarter of the free height down.
  const native::Metrics& m = native::SystemMetrics();
  EXPECT_EQ(windowPosGetter(w.get(), 0), (m.screenWidth - 240) / 2);
  EXPECT_EQ(windowPosGetter(w.get(), 1), (m.screenHeight - 150) / 4);
  EXPECT_EQ(windowPosGetter(w.get(), 2), 240);
  EXPECT_EQ(windowPosGetter(w.get(), 3), 150);
  EXPECT_FALSE(AsWindow(w.get())->view->ShownFlag()) << "Visible false clears the shown flag";
}

TEST_F(WindowCreation, ControlsTakeTheirDesignAndWindow) {
  ObjectRef w = ObjectRef::Adopt(OpenWindow(TwoControls("DesignWindow")));
  RuntimeObject* c2 = ControlOf(w.get(), "c2");
  ASSERT_NE(c2, nullptr);
  EXPECT_EQ(AsControl(c2)->window, w.get());
  EXPECT_EQ(AsControl(c2)->windowView, AsWindow(w.get())->view);
  EXPECT_EQ(ctlPosGetter(c2, 1), 40);
  EXPECT_EQ(ctlPosGetter(c2, 3), 20);
  String name = String::Adopt(stringGetter(c2, offsetof(ui::ControlObject, name)));
  EXPECT_STREQ(name.text(), "c2");
  ASSERT_NE(AsControl(c2)->pane, nullptr);
  EXPECT_EQ(ui::PaneControl(AsControl(c2)->pane), c2);
}

TEST_F(WindowCreation, ClosedWindowStoresWhatItIsGiven) {
  String name = Str("Window");
  RuntimeObject* w = RuntimeNewObject(RuntimeLookupClass(name.get()));  // a bare Window: no Layout, no controls
  ASSERT_NE(w, nullptr);
  ObjectRef hold = ObjectRef::Adopt(w);
  RuntimeViewWindow* view = AsWindow(w)->view;
  ASSERT_NE(view, nullptr);
  ui::CloseWindowView(w);
  EXPECT_EQ(AsWindow(w)->view, nullptr);
  windowPosSetter(w, 2, 333);
  EXPECT_EQ(windowPosGetter(w, 2), 333);
  EXPECT_EQ(windowPosGetter(w, 0), AsWindow(w)->bounds.left) << "Width changes nothing else";
  windowFullScreenSetter(w, 0, true);
  EXPECT_TRUE(windowFullScreenGetter(w, 0));
  windowBackColorSetter(w, 0, 0x123456);
  EXPECT_EQ(windowBackColorGetter(w, 0), 0x123456);
  String t = Str("later");
  windowTitleSetter(w, 0, t.get());
  String back = String::Adopt(windowTitleGetter(w, 0));
  EXPECT_STREQ(back.text(), "later");
  RuntimeShowWindow(w);
  EXPECT_TRUE(WindowVisibleGetter(w, 0)) << "Show on a closed window only sets Visible";
  EXPECT_EQ(AsWindow(w)->view, nullptr);
}

TEST_F(WindowCreation, TitleOfNilIsReported) {
  AssertionRecorder recorder;
  windowTitleSetter(nullptr, 0, nullptr);
  ASSERT_EQ(recorder.count(), 1u);
  EXPECT_EQ(recorder.reports()[0].condition, "view");
  EXPECT_EQ(recorder.reports()[0].message, "Trying to set the window's title, but there was no window");
}

// --- Controls entering a window ---

using WindowControls = UiTest;

TEST_F(WindowControls, KeysAreClassNamesAndArrayMembersCarryTheirIndex) {
  WindowDesign d;
  d.className = "KeyWindow";
  d.controls = {ControlDesign{.className = "Label", .index = 2}, ControlDesign{.className = "Field"}};
  ObjectRef w = ObjectRef::Adopt(OpenWindow(d));
  EXPECT_NE(ControlOf(w.get(), "Label$2"), nullptr);
  EXPECT_NE(ControlOf(w.get(), "label$2"), nullptr) << "keys compare without regard to case";
  EXPECT_EQ(ControlOf(w.get(), "Label"), nullptr);
  String label = Str("Label");
  ObjectRef member = ObjectRef::Adopt(RuntimeControlArrayItemReference(w.get(), label.get(), 2));
  EXPECT_EQ(member.get(), ControlOf(w.get(), "Label$2"));
  EXPECT_EQ(member.get()->refCount, 2) << "the table's reference and ours";
  String missing = Str("Nothing");
  EXPECT_EQ(RuntimeControlReference(w.get(), missing.get()), nullptr);
}

TEST_F(WindowControls, ControlByIndexCountsControlsInTableOrder) {
  WindowDesign d = TwoControls("IndexWindow");
  ObjectRef w = ObjectRef::Adopt(OpenWindow(d));
  EXPECT_EQ(windowControlCountGetter(w.get(), 0), 2);
  struct Case {
    int32_t index;
    const char* key;  // nullptr: nil
  };
  for (const Case& c : {Case{0, "c1"}, Case{1, "c2"}, Case{2, nullptr}, Case{-1, nullptr}}) {
    ObjectRef got = ObjectRef::Adopt(windowControl(w.get(), c.index));
    EXPECT_EQ(got.get(), c.key ? ControlOf(w.get(), c.key) : nullptr) << c.index;
  }
}

TEST_F(WindowControls, SecondAddWithTheSameKeyReplacesTheEntry) {
  ObjectRef w = ObjectRef::Adopt(OpenWindow(TwoControls("ReplaceWindow")));
  RuntimeObject* first = ControlOf(w.get(), "c1");
  ObjectRef keep = ObjectRef::Retain(first);
  RuntimeObject* second = WindowAllocateObject(w.get(), first->cls);
  AsControl(second)->index = -1;
  WindowAddControl(w.get(), second);
  EXPECT_EQ(ControlOf(w.get(), "c1"), second);
  EXPECT_EQ(first->refCount, 1) << "the table let go of the first";
  EXPECT_EQ(second->refCount, 2);
  // Joining a built window: _Layout, the pane, Open.
  EXPECT_EQ(TraceOf("c1").back(), "c1 Open");
  EXPECT_NE(AsControl(second)->pane, nullptr);
  RuntimeUnlockObject(second);
}

TEST_F(WindowControls, AddControlMisuseIsReported) {
  AssertionRecorder recorder;
  WindowAddControl(nullptr, nullptr);
  EXPECT_TRUE(recorder.Saw("self"));
}

TEST_F(WindowControls, MenuHandlersAreKeptByItemName) {
  ObjectRef w = ObjectRef::Adopt(OpenWindow(TwoControls("HandlerWindow")));
  String objectName = Str("Object");
  RuntimeObject* handler = RuntimeNewObject(RuntimeLookupClass(objectName.get()));
  String item = Str("FileQuit");
  WindowAddMenuHandler(w.get(), item.get(), handler);
  EXPECT_EQ(handler->refCount, 2);
  String other = Str("filequit");
  EXPECT_EQ(ui::WindowMenuHandler(w.get(), other.get()), handler);
  ui::CloseWindowView(w.get());
  EXPECT_EQ(handler->refCount, 1) << "closing released the handler";
  RuntimeUnlockObject(handler);
  AssertionRecorder recorder;
  WindowAddMenuHandler(w.get(), nullptr, nullptr);
  EXPECT_TRUE(recorder.Saw("name"));
}

// --- Implicit instances ---

using ImplicitWindows = UiTest;

TEST_F(ImplicitWindows, ReferenceByClassNameOpensOneWindowUntilItCloses) {
  WindowDesign d = TwoControls("ImplicitA");
  String name = Str("ImplicitA");
  // The generated accessor: nil, so it creates the window, which becomes the instance.
  EXPECT_EQ(RuntimeGetImplicitWindow(name.get()), nullptr);
  ObjectRef made = ObjectRef::Adopt(OpenWindow(d));
  ObjectRef again = ObjectRef::Adopt(RuntimeGetImplicitWindow(name.get()));
  EXPECT_EQ(again.get(), made.get());
  ui::CloseWindowView(made.get());
  EXPECT_EQ(RuntimeGetImplicitWindow(name.get()), nullptr) << "closing removed the entry";
  ObjectRef second = ObjectRef::Adopt(OpenWindow(d));
  ObjectRef found = ObjectRef::Adopt(RuntimeGetImplicitWindow(name.get()));
  EXPECT_EQ(found.get(), second.get());
  EXPECT_NE(second.get(), made.get());
}

TEST_F(ImplicitWindows, WindowMadeBeforeAnyReferenceIsNotTheInstance) {
  WindowDesign d = TwoControls("ImplicitB");
  ObjectRef explicitly = ObjectRef::Adopt(OpenWindow(d));
  String name = Str("ImplicitB");
  EXPECT_EQ(RuntimeGetImplicitWindow(name.get()), nullptr);
  ObjectRef implicitly = ObjectRef::Adopt(OpenWindow(d));
  ObjectRef found = ObjectRef::Adopt(RuntimeGetImplicitWindow(name.get()));
  EXPECT_EQ(found.get(), implicitly.get());
  EXPECT_NE(found.get(), explicitly.get());
}

// --- Closing ---

using WindowClosing = UiTest;

TEST_F(WindowClosing, CancelCloseTrueKeepsTheWindowOpen) {
  WindowDesign d = TwoControls("StubbornWindow");
  d.cancelClose = true;
  ObjectRef w = ObjectRef::Adopt(OpenWindow(d));
  trace().clear();
  RuntimeCloseWindow(w.get());
  EXPECT_EQ(trace(), Strings{"StubbornWindow CancelClose"});
  EXPECT_NE(AsWindow(w.get())->view, nullptr);
}

// A control's Close reads what its pane shows: every pane still exists.
int32_t g_panesAtClose = -1;
void CountPanesAtClose(RuntimeObject* w) { g_panesAtClose = int32_t(AsWindow(w)->view->PaneCount()); }

TEST_F(WindowClosing, CloseEventsRunWhileThePanesExistThenEverythingGoes) {
  WindowDesign d = TwoControls("ClosingWindow");
  ObjectRef w = ObjectRef::Adopt(OpenWindow(d));
  RuntimeObject* c1 = ControlOf(w.get(), "c1");
  ObjectRef keep = ObjectRef::Retain(c1);  // referenced elsewhere: keeps its entry
  w.get()->cls->events[4].handler = EntryAddress(CountPanesAtClose);
  const size_t before = ui::OpenWindowCount();
  trace().clear();
  RuntimeCloseWindow(w.get());
  w.get()->cls->events[4].handler = nullptr;
  EXPECT_EQ(TraceOf("c"), (Strings{"c1 Close", "c2 Close"}));
  EXPECT_EQ(g_panesAtClose, 2);
  EXPECT_EQ(AsWindow(w.get())->view, nullptr);
  EXPECT_EQ(ui::OpenWindowCount(), before - 1);
  EXPECT_EQ(AsControl(c1)->pane, nullptr);
  EXPECT_EQ(ControlOf(w.get(), "c1"), c1);
  EXPECT_EQ(ControlOf(w.get(), "c2"), nullptr);
  EXPECT_EQ(c1->refCount, 1) << "only our reference is left";
}

TEST_F(WindowClosing, OpenAndCloseLeaveNoObjectBehind) {
  WindowDesign d = TwoControls("LeakWindow");
  {
    ObjectRef w = ObjectRef::Adopt(OpenWindow(d));
    RuntimeCloseWindow(w.get());
  }
  const size_t live = LiveObjectCount();
  for (int i = 0; i < 20; ++i) {
    ObjectRef w = ObjectRef::Adopt(OpenWindow(d));
    RuntimeCloseWindow(w.get());
  }
  EXPECT_EQ(LiveObjectCount(), live);
}

// --- Rules ---

TEST(Frames, ProceduresPlacementsAndStyles) {
  struct Case {
    int32_t frame;
    int32_t procedure;
    int32_t placement;
    bool owned, tool, mdi;
  };
  const Case cases[] = {
      {0, 8, 4, false, false, true}, {1, 3, 2, true, false, false},  {2, 2, 2, true, false, false},
      {3, 1, 0, false, true, false}, {4, 4, 2, false, false, false}, {5, 5, 2, false, false, false},
      {6, 6, 4, false, false, true}, {7, 9, 0, false, true, false},  {8, 10, 0, true, false, false},
      {9, 8, 4, false, false, true}, {10, 1, 0, false, true, false}, {11, -1, -1, false, false, false},
      {-1, -1, -1, false, false, false},
  };
  for (const Case& c : cases) {
    const ui::FrameInfo& f = ui::FrameOf(c.frame);
    EXPECT_EQ(f.procedure, c.procedure) << c.frame;
    EXPECT_EQ(f.defaultPlacement, c.placement) << c.frame;
    EXPECT_EQ(f.owned, c.owned) << c.frame;
    EXPECT_EQ(f.toolWindow, c.tool) << c.frame;
    EXPECT_EQ(f.mdiChild, c.mdi) << c.frame;
  }
  using namespace ui;
  EXPECT_EQ(WindowStyle(FrameOf(0), true, true, false), kStyleCaption | kStyleSystemMenu | kStyleThickFrame);
  EXPECT_EQ(WindowStyle(FrameOf(6), false, true, false), kStyleCaption) << "frame 6 has no sizing border";
  EXPECT_EQ(WindowStyle(FrameOf(2), false, false, true),
            kStylePopup | kStyleDialogFrame | kStyleSystemMenu | kStyleMinimizeBox | kStyleMaximizeBox);
}

TEST(Placement, CodesMoveTheBounds) {
  const native::Metrics m{1024, 768, 4, 4, 3, 3, 19, 15, 19, native::Box{0, 0, 1024, 768}};
  const Rect16 b{0, 0, 200, 300};
  struct Case {
    int32_t code;
    int16_t left, top;
  };
  for (const Case& c : {Case{0, 4, 100}, Case{1, 362, 142}, Case{2, 362, 142}, Case{3, 362, 142}, Case{4, 10, 50},
                        Case{5, 0, 0}, Case{-1, 0, 0}}) {
    const Rect16 r = ui::ApplyPlacement(b, c.code, m);
    EXPECT_EQ(r.left, c.left) << c.code;
    EXPECT_EQ(r.top, c.top) << c.code;
    EXPECT_EQ(r.right - r.left, 300) << c.code;
    EXPECT_EQ(r.bottom - r.top, 200) << c.code;
  }
}

TEST(LockedEdges, ControlsMoveOrGrowByExactlyTheSizeChange) {
  const Rect16 b{50, 20, 70, 120};
  struct Case {
    bool left, top, right, bottom;
    int32_t dW, dH;
    Rect16 expected;
  };
  const Case cases[] = {
      {false, false, false, false, 40, 30, {50, 20, 70, 120}},  // locked on no side: stays
      {true, false, true, false, 40, 30, {50, 20, 70, 160}},    // left and right: stretches
      {false, false, true, false, 40, 30, {50, 60, 70, 160}},   // right only: moves
      {false, true, false, true, 40, 30, {50, 20, 100, 120}},   // top and bottom: grows down
      {false, false, false, true, 40, 30, {80, 20, 100, 120}},  // bottom only: moves down
      {true, true, true, true, -40, -10, {50, 20, 60, 80}},     // shrinking
      {true, true, true, true, -500, -500, {50, 20, 50, 20}},   // never a negative size
  };
  for (const Case& c : cases) {
    const Rect16 r = ui::LockedBounds(b, c.left, c.top, c.right, c.bottom, c.dW, c.dH);
    EXPECT_EQ(r.top, c.expected.top);
    EXPECT_EQ(r.left, c.expected.left);
    EXPECT_EQ(r.bottom, c.expected.bottom);
    EXPECT_EQ(r.right, c.expected.right);
  }
}

TEST(SizingLimits, DraggedRectangleKeepsTheContentWithinTheLimits) {
  const ui::SizingFrame f{4, 4, 20, 0, 100, 100};  // client at (100, 100)
  const ui::SizeLimits limits{200, 150, 400, 300};
  struct Case {
    ui::SizingEdge edge;
    native::Box dragged, expected;
  };
  const Case cases[] = {
      // Right edge past the maximum width: right = client left + max + frame.
      {ui::SizingEdge::Right, {96, 76, 900, 400}, {96, 76, 504, 400}},
      // Right edge below the minimum.
      {ui::SizingEdge::Right, {96, 76, 150, 400}, {96, 76, 304, 400}},
      // Left edge too far left: left = right - max - 2 fx.
      {ui::SizingEdge::Left, {0, 76, 504, 400}, {96, 76, 504, 400}},
      // Bottom edge past the maximum height: bottom = client top + max + fy.
      {ui::SizingEdge::Bottom, {96, 76, 400, 900}, {96, 76, 400, 404}},
      // Top edge too low: top = bottom - min - 2 fy - caption.
      {ui::SizingEdge::Top, {96, 300, 400, 404}, {96, 226, 400, 404}},
  };
  for (const Case& c : cases) {
    native::Box r = c.dragged;
    ui::ClampSizingRect(c.edge, limits, f, &r);
    EXPECT_EQ(r.left, c.expected.left) << int(c.edge);
    EXPECT_EQ(r.top, c.expected.top) << int(c.edge);
    EXPECT_EQ(r.right, c.expected.right) << int(c.edge);
    EXPECT_EQ(r.bottom, c.expected.bottom) << int(c.edge);
  }
  native::Box free{0, 0, 5, 5};
  ui::ClampSizingRect(ui::SizingEdge::Right, ui::SizeLimits{0, 0, 0, 0}, f, &free);
  EXPECT_EQ(free.right, 5) << "all four 0: no limits";
}

}  // namespace
}  // namespace ql::test
