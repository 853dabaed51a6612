// The MenuBar properties of the application and of windows, and a window's
// menu bar on its native window.
#include <gtest/gtest.h>

#include "core/compiled_code.h"
#include "menu_fixtures.h"
#include "menu_world.h"
#include "menus/menu_bars.h"
#include "startup/application.h"
#include "support/assertion_recorder.h"
#include "ui/menu_hooks.h"
#include "ui/view_window.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include "menus/posix/native_menu_posix.h"
#endif

namespace ql::menus {
namespace {

using test::NewBar;
using test::NewItem;
using test::Str;

NativeMenu MenuShownBy(RuntimeObject* window) {
  void* handle = ui::NativeHandleOf(ui::ViewOfWindow(window));
#if defined(_WIN32)
  return GetMenu(static_cast<HWND>(handle));
#else
  return StandInWindowMenu(handle);
#endif
}

TEST(MenuBars, TheApplicationKeepsOneReferenceToItsBar) {
  test::MenuWorld world;
  ObjectRef first = NewBar();
  const ObjectRef second = NewBar();
  AppMenuBarSetter(world.app(), 0, first.get());
  EXPECT_EQ(first.get()->refCount, 2);
  const ObjectRef read = ObjectRef::Adopt(AppMenuBarGetter(world.app(), 0));
  EXPECT_EQ(read.get(), first.get());
  AppMenuBarSetter(world.app(), 0, second.get());
  EXPECT_EQ(first.get()->refCount, 2) << "ours and read's";
  EXPECT_EQ(second.get()->refCount, 2);

  test::AssertionRecorder recorder;
  AppMenuBarSetter(nullptr, 0, first.get());
  EXPECT_EQ(AppMenuBarGetter(nullptr, 0), nullptr);
  ASSERT_EQ(recorder.count(), 2u);
  EXPECT_EQ(recorder.reports()[0].line, 1221);
  EXPECT_EQ(recorder.reports()[1].line, 1197);

  recorder.Clear();
  const ObjectRef other = test::NewObjectOf(intrinsic::Object);  // smaller than an Application
  AppMenuBarSetter(other.get(), 0, first.get());
  EXPECT_EQ(AppMenuBarGetter(other.get(), 0), nullptr);
  EXPECT_EQ(recorder.count(), 2u) << "refused as no application";
  EXPECT_EQ(first.get()->refCount, 2);
}

TEST(MenuBars, AWindowShowsTheBarItIsGiven) {
  test::MenuWorld world;
  const ObjectRef bar = NewBar();
  const ObjectRef file = NewItem("&File");
  test::Append(bar, file);
  WindowMenuBarSetter(world.window(), 0, bar.get());
  EXPECT_EQ(MenuShownBy(world.window()), test::MenuOf(bar));
  const ObjectRef read = ObjectRef::Adopt(WindowMenuBarGetter(world.window(), 0));
  EXPECT_EQ(read.get(), bar.get());
  EXPECT_EQ(RuntimeMenuReference(Str("nothing").get()), nullptr);

  const ObjectRef other = NewBar();
  WindowMenuBarSetter(world.window(), 0, other.get());
  EXPECT_EQ(MenuShownBy(world.window()), test::MenuOf(other));
}

TEST(MenuBars, TheHookPutsTheBarOfANewViewOnItsWindow) {
  test::MenuWorld world;
  const ObjectRef bar = NewBar();
  world.SetWindowMenuBar(bar);  // stored while the view already exists, as the Layout event does
  EXPECT_EQ(MenuShownBy(world.window()), nullptr);
  AttachMenuBar(world.window());
  EXPECT_EQ(MenuShownBy(world.window()), test::MenuOf(bar));
}

TEST(MenuBars, MenuReferenceLooksInTheFrontWindowsBar) {
  test::MenuWorld world;
  const ObjectRef bar = NewBar();
  const ObjectRef edit = NewItem("Edit", "EditMenu");
  const ObjectRef copy = NewItem("Copy", "EditCopy");
  test::Append(bar, edit);
  test::Append(edit, copy);
  world.SetWindowMenuBar(bar);
  EXPECT_EQ(ObjectRef::Adopt(RuntimeMenuReference(Str("editcopy").get())).get(), copy.get());
  world.NothingInFront();
  EXPECT_EQ(RuntimeMenuReference(Str("EditCopy").get()), nullptr);
}

TEST(MenuBars, MisuseOfTheWindowsBarIsReported) {
  test::MenuWorld world;
  const ObjectRef bar = NewBar();
  const ObjectRef notAnItem = test::NewObjectOf(intrinsic::Object);
  test::AssertionRecorder recorder;
  WindowMenuBarSetter(nullptr, 0, bar.get());
  EXPECT_EQ(WindowMenuBarGetter(nullptr, 0), nullptr);
  WindowMenuBarSetter(notAnItem.get(), 0, bar.get());  // too small to be a window
  WindowMenuBarSetter(world.window(), 0, nullptr);
  WindowMenuBarSetter(world.window(), 0, notAnItem.get());
  ASSERT_EQ(recorder.count(), 5u);
  for (size_t i = 0; i < 3; ++i) EXPECT_EQ(recorder.reports()[i].condition, "window");
  EXPECT_EQ(recorder.reports()[3].condition, "newMenuBar");
  EXPECT_EQ(recorder.reports()[4].condition, "newMenuBar");
  EXPECT_EQ(ui::AsWindow(world.window())->menuBar, nullptr);

  ResetApplicationState();
  recorder.Clear();
  WindowMenuBarSetter(world.window(), 0, bar.get());
  ASSERT_EQ(recorder.count(), 1u);
  EXPECT_EQ(recorder.reports()[0].condition, "gApplicationObject");
  EXPECT_EQ(recorder.reports()[0].message, "You don't have an application object and we're expecting one");
  EXPECT_EQ(ui::AsWindow(world.window())->menuBar, nullptr);
}

}  // namespace
}  // namespace ql::menus
