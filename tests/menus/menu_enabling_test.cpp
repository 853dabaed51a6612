// Updating the menus before one opens: everything disabled, then enabled
// again by auto-enable, EnableMenu, the focused control and EnableMenuItems;
// the native menus follow.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "menu_fixtures.h"
#include "menu_world.h"
#include "menus/menu_dispatch.h"
#include "native_menu_reader.h"

namespace ql::menus {
namespace {

using test::Append;
using test::DescribeNativeMenu;
using test::MenuLog;
using test::MenuOf;
using test::MenuWorld;
using test::NewActionItem;
using test::NewBar;
using test::NewItem;
using Log = std::vector<std::string>;

// File: Open (a window handler), Recent > Doc, Quit (a QuitMenuItem);
// Edit: Copy (served by the focused control), Paste (nobody), Check (an
// Action of its own), Note (AutoEnable off, an application handler).
struct Bar {
  ObjectRef bar = NewBar();
  ObjectRef file = NewItem("File", "FileMenu");
  ObjectRef open = NewItem("Open", "FileOpen");
  ObjectRef recent = NewItem("Recent", "FileRecent");
  ObjectRef doc = NewItem("Doc", "RecentDoc");
  ObjectRef quit = NewItem("Quit", "FileQuit", "Q", intrinsic::QuitMenuItem);
  ObjectRef edit = NewItem("Edit", "EditMenu");
  ObjectRef copy = NewItem("Copy", "EditCopy");
  ObjectRef paste = NewItem("Paste", "EditPaste");
  ObjectRef check = NewActionItem("Check", "EditCheck", true);
  ObjectRef note = NewItem("Note", "EditNote");
  Bar() {
    for (const ObjectRef* t : {&file, &edit}) Append(bar, *t);
    for (const ObjectRef* i : {&open, &recent, &quit}) Append(file, *i);
    Append(recent, doc);
    for (const ObjectRef* i : {&copy, &paste, &check, &note}) Append(edit, *i);
    RuntimeMenuItemAutoEnableSetter(note.get(), 0, false);
  }
  static bool Enabled(const ObjectRef& item) { return RuntimeMenuItemEnabledGetter(item.get(), 0); }
};

void Populate(MenuWorld& world, Bar& m) {
  world.AddWindowHandler("FileOpen", true);
  world.AddApplicationHandler("EditNote", true);
  world.pane()->enables = {"EditCopy"};
  world.SetWindowMenuBar(m.bar);
}

TEST(MenuEnabling, EachItemIsEnabledOnlyByWhatServesIt) {
  MenuWorld world;
  Bar m;
  Populate(world, m);
  MenuLog().clear();
  UpdateMenus(false);

  EXPECT_EQ(DescribeNativeMenu(MenuOf(m.bar)), "File> | Edit>") << "titles stay enabled on screen";
  EXPECT_EQ(DescribeNativeMenu(MenuOf(m.file)), "Open | ~Recent> | Quit\\tCtrl+Q");
  EXPECT_EQ(DescribeNativeMenu(MenuOf(m.recent)), "~Doc");
  EXPECT_EQ(DescribeNativeMenu(MenuOf(m.edit)), "Copy | ~Paste | Check | ~Note")
      << "Note has a handler but no auto-enable";
  EXPECT_FALSE(Bar::Enabled(m.file)) << "nothing serves the title itself";
  EXPECT_EQ(MenuLog(), (Log{"item EnableMenu Check", "control EnableMenuItems", "window EnableMenuItems",
                            "application EnableMenuItems"}));
}

TEST(MenuEnabling, EnablingStartsAfreshEveryTime) {
  MenuWorld world;
  Bar m;
  Populate(world, m);
  RuntimeMenuItemEnabledSetter(m.paste.get(), 0, true);  // left on by the application
  UpdateMenus(false);
  EXPECT_FALSE(Bar::Enabled(m.paste));
  world.pane()->enables.clear();  // the selection went away
  UpdateMenus(false);
  EXPECT_FALSE(Bar::Enabled(m.copy));
  EXPECT_EQ(DescribeNativeMenu(MenuOf(m.edit)), "~Copy | ~Paste | Check | ~Note");
}

TEST(MenuEnabling, EnableMenuAndEnableMenuItemsHandlersEnableItemsAfterAutoEnable) {
  MenuWorld world;
  Bar m;
  Populate(world, m);
  test::g_onEnableMenu = [&](RuntimeObject*) { RuntimeEnableMenu(m.note.get()); };
  test::g_onWindowEnableMenuItems = [&] { RuntimeEnableMenu(m.paste.get()); };
  test::g_onApplicationEnableMenuItems = [&] { RuntimeMenuItemEnabledSetter(m.recent.get(), 0, true); };
  UpdateMenus(false);
  EXPECT_EQ(DescribeNativeMenu(MenuOf(m.edit)), "Copy | Paste | Check | Note");
  EXPECT_EQ(DescribeNativeMenu(MenuOf(m.file)), "Open | Recent> | Quit\\tCtrl+Q");
  EXPECT_EQ(DescribeNativeMenu(MenuOf(m.recent)), "Doc") << "Enabled True enables the whole subtree";
}

TEST(MenuEnabling, AModalWindowInFrontLeavesOutAutoEnableEnableMenuAndTheApplication) {
  MenuWorld world;
  Bar m;
  Populate(world, m);
  test::g_onWindowEnableMenuItems = [&] { RuntimeEnableMenu(m.paste.get()); };
  MenuLog().clear();
  UpdateMenus(true);
  EXPECT_EQ(DescribeNativeMenu(MenuOf(m.file)), "~Open | ~Recent> | ~Quit\\tCtrl+Q");
  EXPECT_EQ(DescribeNativeMenu(MenuOf(m.edit)), "Copy | Paste | ~Check | ~Note")
      << "only the focused control and the window's own EnableMenuItems";
  EXPECT_EQ(MenuLog(), (Log{"control EnableMenuItems", "window EnableMenuItems"}));
}

TEST(MenuEnabling, AFrontWindowWithoutAMenuBarEnablesNothing) {
  MenuWorld world;
  Bar m;
  world.AddApplicationHandler("EditPaste", true);
  world.SetApplicationMenuBar(m.bar);
  RuntimeMenuItemEnabledSetter(m.bar.get(), 0, false);
  MenuLog().clear();
  UpdateMenus(false);
  EXPECT_FALSE(Bar::Enabled(m.paste)) << "the application's bar is not the window's";
  EXPECT_EQ(MenuLog(), (Log{"control EnableMenuItems", "window EnableMenuItems", "application EnableMenuItems"}));
  // Its commands are still looked up in the application's bar.
  EXPECT_TRUE(MenuCommand(false, test::Imp(m.paste)->commandId()));

  // With no window in front, the application's bar is the one updated.
  world.NothingInFront();
  UpdateMenus(false);
  EXPECT_TRUE(Bar::Enabled(m.paste));
  EXPECT_TRUE(Bar::Enabled(m.check));
  EXPECT_FALSE(Bar::Enabled(m.copy));
}

TEST(MenuEnabling, EnableMenuItemsIsTheUpdateWithoutAModalFront) {
  MenuWorld world;
  Bar m;
  Populate(world, m);
  MenuLog().clear();
  enableMenuItems();
  EXPECT_TRUE(Bar::Enabled(m.open));
  EXPECT_EQ(MenuLog().back(), "application EnableMenuItems");
}

}  // namespace
}  // namespace ql::menus
