// The control framework's object side: stored properties, containers and
// what follows them (position, Visible, Enabled, the tab page), Parent and
// InitialParent, closing a control.
#include <gtest/gtest.h>

#include "core/compiled_code.h"
#include "core/object.h"
#include "core/string.h"
#include "quillon/entrypoints/objects.h"
#include "quillon/entrypoints/windows.h"
#include "ui/control_panes.h"
#include "ui/view_window.h"
#include "ui/window.h"
#include "ui_world.h"

namespace ql::test {
namespace {

using ui::AsControl;
using ui::Pane;
using ui::RuntimeViewWindow;
using Strings = std::vector<std::string>;

// A group box with a field and a button inside it, and a button outside.
WindowDesign GroupWindow(const char* name) {
  WindowDesign d;
  d.className = name;
  d.controls = {
      ControlDesign{.className = "Group", .bounds = {10, 10, 110, 210}, .kind = PaneKind::Group},
      ControlDesign{.className = "Inner", .bounds = {30, 20, 50, 120}, .kind = PaneKind::TextField},
      ControlDesign{.className = "Hidden", .bounds = {60, 20, 80, 120}, .visible = false},
      ControlDesign{.className = "Outside", .bounds = {150, 10, 170, 90}},
  };
  return d;
}

using ControlProperties = UiTest;

TEST_F(ControlProperties, WithoutAPaneTheSettersStore) {
  ObjectRef w = ObjectRef::Adopt(OpenWindow(GroupWindow("StoreWindow")));
  RuntimeObject* cls = ControlOf(w.get(), "Outside");
  ObjectRef c = ObjectRef::Adopt(RuntimeNewObject(cls->cls));  // a control of no window
  ctlPosSetter(c.get(), 0, 15);
  ctlPosSetter(c.get(), 2, 60);
  ctlPosSetter(c.get(), 1, 7);
  ctlPosSetter(c.get(), 3, 22);
  EXPECT_EQ(ctlPosGetter(c.get(), 0), 15);
  EXPECT_EQ(ctlPosGetter(c.get(), 1), 7);
  EXPECT_EQ(ctlPosGetter(c.get(), 2), 60);
  EXPECT_EQ(ctlPosGetter(c.get(), 3), 22);
  ctlPosSetter(c.get(), 0, 100);
  EXPECT_EQ(ctlPosGetter(c.get(), 2), 60) << "Left keeps the width";
  struct Flag {
    bool (*get)(RuntimeObject*, uint32_t);
    void (*set)(RuntimeObject*, uint32_t, bool);
  };
  for (const Flag& f : {Flag{controlVisibleGetter, ControlVisibleSetter}, Flag{controlEnabledGetter, controlEnabledSetter},
                        Flag{controlLockLeftGetter, controlLockLeftSetter}, Flag{controlLockTopGetter, controlLockTopSetter},
                        Flag{controlLockRightGetter, controlLockRightSetter},
                        Flag{controlLockBottomGetter, controlLockBottomSetter},
                        Flag{controlAutoDeactivateGetter, controlAutoDeactivateSetter}}) {
    f.set(c.get(), 0, true);
    EXPECT_TRUE(f.get(c.get(), 0));
    f.set(c.get(), 0, false);
    EXPECT_FALSE(f.get(c.get(), 0));
  }
  ControlTabPanelIndexSetter(c.get(), 0, 2);
  EXPECT_EQ(AsControl(c.get())->tabPanelIndex, 2);
  String tag = NewStringFromCText("tip");
  controlHelpTagSetter(c.get(), 0, tag.get());
  String back = String::Adopt(stringGetter(c.get(), offsetof(ui::ControlObject, helpTag)));
  EXPECT_STREQ(back.text(), "tip");
  ControlParentSetter(c.get(), 0, cls);
  EXPECT_EQ(AsControl(c.get())->parent, nullptr) << "without a pane, nothing";
}

TEST_F(ControlProperties, NilControlRaisesNilObjectException) {
  CatchScope scope;
  EXPECT_EQ(ctlPosGetter(nullptr, 0), 0);
  EXPECT_TRUE(scope.Close());
  EXPECT_STREQ(scope.CaughtClassName(), "NilObjectException");
}

using Containers = UiTest;

TEST_F(Containers, PanesCreatedInsideAGroupBoxBecomeItsChildren) {
  ObjectRef w = ObjectRef::Adopt(OpenWindow(GroupWindow("TreeWindow")));
  Pane* group = PaneOf(w.get(), "Group");
  EXPECT_EQ(PaneOf(w.get(), "Inner")->Parent(), group);
  EXPECT_TRUE(group->Contains(PaneOf(w.get(), "Inner")));
  EXPECT_EQ(PaneOf(w.get(), "Outside")->Parent(), group->Root());
  ObjectRef parent = ObjectRef::Adopt(ControlParentGetter(ControlOf(w.get(), "Inner"), 0));
  EXPECT_EQ(parent.get(), ControlOf(w.get(), "Group"));
  EXPECT_EQ(ControlParentGetter(ControlOf(w.get(), "Outside"), 0), nullptr) << "directly in the window";
}

TEST_F(Containers, MovingAContainerMovesWhatItContainsButResizingDoesNot) {
  ObjectRef w = ObjectRef::Adopt(OpenWindow(GroupWindow("MoveWindow")));
  RuntimeObject* group = ControlOf(w.get(), "Group");
  RuntimeObject* inner = ControlOf(w.get(), "Inner");
  ctlPosSetter(group, 0, 40);  // 30 to the right
  EXPECT_EQ(ctlPosGetter(inner, 0), 50);
  EXPECT_EQ(PaneOf(w.get(), "Inner")->Bounds().left, 50);
  ctlPosSetter(group, 1, 15);  // 5 down
  EXPECT_EQ(ctlPosGetter(inner, 1), 35);
  ctlPosSetter(group, 2, 500);
  EXPECT_EQ(ctlPosGetter(inner, 0), 50);
  EXPECT_EQ(ctlPosGetter(inner, 2), 100) << "Width moves nothing else";
  EXPECT_EQ(ctlPosGetter(ControlOf(w.get(), "Outside"), 0), 10);
}

TEST_F(Containers, HidingAGroupHidesItsContentsShowingShowsTheVisibleOnes) {
  ObjectRef w = ObjectRef::Adopt(OpenWindow(GroupWindow("HideWindow")));
  RuntimeObject* group = ControlOf(w.get(), "Group");
  ControlVisibleSetter(group, 0, false);
  EXPECT_FALSE(PaneOf(w.get(), "Inner")->Showing());
  EXPECT_TRUE(controlVisibleGetter(ControlOf(w.get(), "Inner"), 0)) << "its own Visible still reads true";
  ControlVisibleSetter(group, 0, true);
  EXPECT_TRUE(PaneOf(w.get(), "Inner")->Showing());
  EXPECT_FALSE(PaneOf(w.get(), "Hidden")->Showing()) << "its own Visible is false";
}

TEST_F(Containers, ADisabledContainerDisablesItsContentsWhichStillReadEnabled) {
  ObjectRef w = ObjectRef::Adopt(OpenWindow(GroupWindow("DisableWindow")));
  RuntimeObject* inner = ControlOf(w.get(), "Inner");
  controlEnabledSetter(ControlOf(w.get(), "Group"), 0, false);
  EXPECT_FALSE(PaneOf(w.get(), "Inner")->Enabled());
  EXPECT_TRUE(controlEnabledGetter(inner, 0));
  PaneOf(w.get(), "Inner")->SetEnabled(true);
  EXPECT_FALSE(PaneOf(w.get(), "Inner")->Enabled()) << "enabling under a disabled parent does nothing";
  controlEnabledSetter(ControlOf(w.get(), "Group"), 0, true);
  EXPECT_TRUE(PaneOf(w.get(), "Inner")->Enabled());
}

TEST_F(Containers, ADesignDisabledContainerDisablesPanesMadeInsideIt) {
  WindowDesign d = GroupWindow("DesignDisabledWindow");
  d.controls[0].enabled = false;
  d.controls[0].visible = false;
  ObjectRef w = ObjectRef::Adopt(OpenWindow(d));
  EXPECT_FALSE(PaneOf(w.get(), "Inner")->Enabled());
  EXPECT_FALSE(PaneOf(w.get(), "Inner")->Showing());
  EXPECT_TRUE(PaneOf(w.get(), "Outside")->Enabled());
}

TEST_F(Containers, TabPanelIndexReachesEverythingInside) {
  ObjectRef w = ObjectRef::Adopt(OpenWindow(GroupWindow("PageWindow")));
  ControlTabPanelIndexSetter(ControlOf(w.get(), "Group"), 0, 2);
  for (const char* key : {"Group", "Inner", "Hidden"}) EXPECT_EQ(AsControl(ControlOf(w.get(), key))->tabPanelIndex, 2) << key;
  EXPECT_EQ(PaneOf(w.get(), "Group")->TabPage(), 2);
  EXPECT_EQ(AsControl(ControlOf(w.get(), "Outside"))->tabPanelIndex, 0);
}

TEST_F(Containers, ParentSetterMovesPanesWithinOneWindowOnly) {
  ObjectRef w = ObjectRef::Adopt(OpenWindow(GroupWindow("ParentWindow")));
  RuntimeObject* outside = ControlOf(w.get(), "Outside");
  RuntimeObject* group = ControlOf(w.get(), "Group");
  ControlParentSetter(outside, 0, group);
  EXPECT_EQ(PaneOf(w.get(), "Outside")->Parent(), PaneOf(w.get(), "Group"));
  ControlParentSetter(outside, 0, nullptr);
  EXPECT_EQ(PaneOf(w.get(), "Outside")->Parent(), PaneOf(w.get(), "Group")->Root());

  ObjectRef other = ObjectRef::Adopt(OpenWindow(GroupWindow("OtherParentWindow")));
  CatchScope scope;
  ControlParentSetter(outside, 0, ControlOf(other.get(), "Group"));
  EXPECT_TRUE(scope.Close());
  EXPECT_STREQ(scope.CaughtClassName(), "InvalidParentException");
  EXPECT_EQ(PaneOf(w.get(), "Outside")->Parent(), PaneOf(w.get(), "Group")->Root()) << "nothing changed";
}

TEST_F(Containers, InitialParentMatchesNamesOfControlsAlreadyThere) {
  WindowDesign d;
  d.className = "InitialParentWindow";
  d.controls = {
      ControlDesign{.className = "Early", .name = "Frame1", .bounds = {0, 0, 100, 100}, .kind = PaneKind::Group},
      ControlDesign{.className = "Matched", .bounds = {200, 200, 220, 220}, .initialParent = "frame1"},
      ControlDesign{.className = "Forward", .bounds = {200, 300, 220, 320}, .initialParent = "Later"},
      ControlDesign{.className = "Nowhere", .bounds = {250, 300, 270, 320}, .initialParent = "NoSuchControl"},
      ControlDesign{.className = "LaterClass", .name = "Later", .bounds = {300, 0, 400, 100}, .kind = PaneKind::Group},
  };
  ObjectRef w = ObjectRef::Adopt(OpenWindow(d));
  EXPECT_EQ(AsControl(ControlOf(w.get(), "Matched"))->parent, ControlOf(w.get(), "Early"));
  EXPECT_EQ(PaneOf(w.get(), "Matched")->Parent(), PaneOf(w.get(), "Early")) << "the pane moved under its parent";
  EXPECT_EQ(AsControl(ControlOf(w.get(), "Forward"))->parent, nullptr) << "the later control had no name yet";
  EXPECT_EQ(AsControl(ControlOf(w.get(), "Nowhere"))->parent, nullptr);
}

using ControlClosing = UiTest;

TEST_F(ControlClosing, CloseFiresCloseAndTakesTheContentsWithIt) {
  ObjectRef w = ObjectRef::Adopt(OpenWindow(GroupWindow("CloseControlWindow")));
  RuntimeObject* group = ControlOf(w.get(), "Group");
  ObjectRef keep = ObjectRef::Retain(group);
  RuntimeViewWindow* view = ui::ControlView(group);
  view->SetFocusPane(PaneOf(w.get(), "Inner"));
  trace().clear();
  ControlClose(group);
  EXPECT_EQ(trace(), (Strings{"Group Close", "Inner LostFocus", "Inner Close", "Hidden Close"}));
  EXPECT_EQ(ControlOf(w.get(), "Group"), nullptr);
  EXPECT_EQ(ControlOf(w.get(), "Inner"), nullptr);
  EXPECT_NE(ControlOf(w.get(), "Outside"), nullptr);
  EXPECT_EQ(view->PaneCount(), 1u);
  EXPECT_EQ(AsControl(group)->pane, nullptr);
  EXPECT_EQ(group->refCount, 1);
}

}  // namespace
}  // namespace ql::test
