// The item tree and its native mirror: what the user sees in the native
// menus after each change of the model.
#include "menus/menu_item.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "core/compiled_code.h"
#include "core/object.h"
#include "menu_fixtures.h"
#include "native_menu_reader.h"
#include "support/assertion_recorder.h"

#if !defined(_WIN32)
#include "menus/posix/native_menu_posix.h"
#endif

namespace ql::menus {
namespace {

using test::Append;
using test::DescribeNativeMenu;
using test::MenuOf;
using test::NewBar;
using test::NewItem;
using test::Str;

// A menu bar with File (Open, a separator, Quit) and Edit (Cut, Copy).
struct SmallBar {
  ObjectRef bar = NewBar();
  ObjectRef file = NewItem("&File", "FileMenu");
  ObjectRef open = NewItem("&Open...", "FileOpen", "O");
  ObjectRef line = NewItem("-");
  ObjectRef quit = NewItem("&Quit", "FileQuit", "Q");
  ObjectRef edit = NewItem("&Edit", "EditMenu");
  ObjectRef cut = NewItem("Cu&t", "EditCut", "X");
  ObjectRef copy = NewItem("&Copy", "EditCopy", "C");
  SmallBar() {
    for (const ObjectRef* title : {&file, &edit}) Append(bar, *title);
    for (const ObjectRef* item : {&open, &line, &quit}) Append(file, *item);
    for (const ObjectRef* item : {&cut, &copy}) Append(edit, *item);
  }
};

TEST(MenuTree, ANativeMenuShowsEveryItemWithItsShortcutAfterATab) {
  SmallBar m;
  EXPECT_EQ(DescribeNativeMenu(MenuOf(m.bar)), "&File> | &Edit>");
  EXPECT_EQ(DescribeNativeMenu(MenuOf(m.file)), "&Open...\\tCtrl+O | - | &Quit\\tCtrl+Q");
  EXPECT_EQ(DescribeNativeMenu(MenuOf(m.edit)), "Cu&t\\tCtrl+X | &Copy\\tCtrl+C");

  const std::vector<test::NativeEntryState> bar = test::ReadNativeMenu(MenuOf(m.bar));
  ASSERT_EQ(bar.size(), 2u);
  EXPECT_EQ(bar[0].subMenu, MenuOf(m.file)) << "a title opens its item's own menu";
  const std::vector<test::NativeEntryState> file = test::ReadNativeMenu(MenuOf(m.file));
  ASSERT_EQ(file.size(), 3u);
  EXPECT_EQ(file[0].commandId, test::Imp(m.open)->commandId());
  EXPECT_EQ(file[1].kind, NativeEntryKind::Separator);
  EXPECT_EQ(file[2].commandId, test::Imp(m.quit)->commandId());
}

TEST(MenuTree, TheFirstChildTurnsAnEntryIntoASubMenuAtTheSamePlace) {
  SmallBar m;
  RuntimeMenuItemCheckedSetter(m.line.get(), 0, true);
  RuntimeMenuItemTextSetter(m.line.get(), 0, Str("Recent").get());
  RuntimeMenuItemEnabledSetter(m.line.get(), 0, false);
  const ObjectRef recent = NewItem("notes.txt");
  Append(m.line, recent);
  EXPECT_TRUE(test::Imp(m.line)->isPopup());
  EXPECT_EQ(DescribeNativeMenu(MenuOf(m.file)), "&Open...\\tCtrl+O | ~*Recent> | &Quit\\tCtrl+Q")
      << "same position, greyed and checked as before";
  EXPECT_EQ(test::ReadNativeMenu(MenuOf(m.file))[1].subMenu, MenuOf(m.line));
  EXPECT_EQ(DescribeNativeMenu(MenuOf(m.line)), "notes.txt") << "its own state; the greyed entry keeps it shut";

  RuntimeMenuItemRemoveIndex(m.line.get(), 0);
  EXPECT_TRUE(test::Imp(m.line)->isPopup()) << "an empty sub-menu stays a sub-menu";
  EXPECT_EQ(DescribeNativeMenu(MenuOf(m.line)), "");
  EXPECT_EQ(DescribeNativeMenu(MenuOf(m.file)), "&Open...\\tCtrl+O | ~*Recent> | &Quit\\tCtrl+Q");
}

TEST(MenuTree, InsertAndRemoveKeepTheNativeMenuInStep) {
  struct Case {
    const char* what;
    std::function<void(RuntimeObject* menu, const std::vector<ObjectRef>& items, RuntimeObject* extra)> change;
    const char* shown;
    const char* exception;  // class name, or "" for none
  };
  const Case cases[] = {
      {"append", [](RuntimeObject* m, auto&, RuntimeObject* x) { RuntimeMenuItemAppend(m, x); }, "A | B | C | X", ""},
      {"insert at 0", [](RuntimeObject* m, auto&, RuntimeObject* x) { RuntimeMenuItemInsert(m, 0, x); },
       "X | A | B | C", ""},
      {"insert at 2", [](RuntimeObject* m, auto&, RuntimeObject* x) { RuntimeMenuItemInsert(m, 2, x); },
       "A | B | X | C", ""},
      {"insert at Count", [](RuntimeObject* m, auto&, RuntimeObject* x) { RuntimeMenuItemInsert(m, 3, x); },
       "A | B | C | X", ""},
      {"insert past Count", [](RuntimeObject* m, auto&, RuntimeObject* x) { RuntimeMenuItemInsert(m, 4, x); },
       "A | B | C", "OutOfBoundsException"},
      {"insert at -1", [](RuntimeObject* m, auto&, RuntimeObject* x) { RuntimeMenuItemInsert(m, -1, x); },
       "A | B | C", "OutOfBoundsException"},
      {"insert nil", [](RuntimeObject* m, auto&, RuntimeObject*) { RuntimeMenuItemInsert(m, 1, nullptr); },
       "A | B | C", ""},
      {"append nil", [](RuntimeObject* m, auto&, RuntimeObject*) { RuntimeMenuItemAppend(m, nullptr); }, "A | B | C",
       ""},
      {"remove 1", [](RuntimeObject* m, auto&, RuntimeObject*) { RuntimeMenuItemRemoveIndex(m, 1); }, "A | C", ""},
      {"remove Count", [](RuntimeObject* m, auto&, RuntimeObject*) { RuntimeMenuItemRemoveIndex(m, 3); }, "A | B | C",
       "OutOfBoundsException"},
      {"remove item",
       [](RuntimeObject* m, auto& items, RuntimeObject*) { RuntimeMenuItemRemoveItem(m, items[2].get()); }, "A | B",
       ""},
      {"remove an item not in it", [](RuntimeObject* m, auto&, RuntimeObject* x) { RuntimeMenuItemRemoveItem(m, x); },
       "A | B | C", ""},
      {"move C to the front",
       [](RuntimeObject* m, auto& items, RuntimeObject*) { RuntimeMenuItemInsert(m, 0, items[2].get()); },
       "C | A | B", ""},
      {"move A before C",
       [](RuntimeObject* m, auto& items, RuntimeObject*) { RuntimeMenuItemInsert(m, 2, items[0].get()); },
       "B | A | C", ""},
      {"append A again", [](RuntimeObject* m, auto& items, RuntimeObject*) { RuntimeMenuItemAppend(m, items[0].get()); },
       "B | C | A", ""},
  };
  for (const Case& c : cases) {
    const ObjectRef menu = NewItem("Menu");
    const std::vector<ObjectRef> items = {NewItem("A"), NewItem("B"), NewItem("C")};
    for (const ObjectRef& item : items) Append(menu, item);
    const ObjectRef extra = NewItem("X");
    test::CatchScope scope;
    c.change(menu.get(), items, extra.get());
    const bool raised = scope.Close();
    EXPECT_EQ(DescribeNativeMenu(MenuOf(menu)), c.shown) << c.what;
    EXPECT_EQ(RuntimeMenuItemCount(menu.get()), static_cast<int32_t>(test::ReadNativeMenu(MenuOf(menu)).size()))
        << c.what;
    EXPECT_EQ(raised, *c.exception != '\0') << c.what;
    EXPECT_STREQ(scope.CaughtClassName(), c.exception) << c.what;
  }
}

TEST(MenuTree, AnItemMovesFromTheMenuItSitsIn) {
  SmallBar m;
  Append(m.edit, m.open);
  EXPECT_EQ(DescribeNativeMenu(MenuOf(m.file)), "- | &Quit\\tCtrl+Q");
  EXPECT_EQ(DescribeNativeMenu(MenuOf(m.edit)), "Cu&t\\tCtrl+X | &Copy\\tCtrl+C | &Open...\\tCtrl+O");
  EXPECT_EQ(test::Imp(m.open)->parent(), test::Imp(m.edit));
  EXPECT_EQ(RuntimeMenuItemCount(m.file.get()), 2);
}

TEST(MenuTree, AnItemCannotGoBelowItself) {
  SmallBar m;
  const ObjectRef recent = NewItem("Recent");
  Append(m.open, recent);
  test::AssertionRecorder recorder;
  RuntimeMenuItemAppend(m.open.get(), m.open.get());
  RuntimeMenuItemAppend(recent.get(), m.file.get());
  RuntimeMenuItemInsert(recent.get(), 0, m.bar.get());
  EXPECT_EQ(recorder.count(), 3u);
  EXPECT_TRUE(recorder.Saw("!self->IsWithin(child)"));
  EXPECT_EQ(RuntimeMenuItemCount(recent.get()), 0);
  EXPECT_EQ(DescribeNativeMenu(MenuOf(m.bar)), "&File> | &Edit>");
}

TEST(MenuTree, AChildThatIsNoMenuItemIsReported) {
  const ObjectRef menu = NewItem("Menu");
  const ObjectRef notAnItem = test::NewObjectOf(intrinsic::Object);
  test::AssertionRecorder recorder;
  RuntimeMenuItemAppend(menu.get(), notAnItem.get());
  RuntimeMenuItemInsert(menu.get(), 0, notAnItem.get());
  EXPECT_EQ(recorder.count(), 2u);
  EXPECT_TRUE(recorder.Saw("obj->mImp"));
  EXPECT_EQ(RuntimeMenuItemCount(menu.get()), 0);
}

TEST(MenuTree, TextAndCommandKeyChangeTheShownText) {
  struct Case {
    const char* text;
    const char* key;
    const char* shown;
  };
  const Case cases[] = {
      {"Copy", "C", "&Open...\\tCtrl+O | Copy\\tCtrl+C | &Quit\\tCtrl+Q"},
      {"Copy", "", "&Open...\\tCtrl+O | Copy | &Quit\\tCtrl+Q"},
      {"-", "", "&Open...\\tCtrl+O | - | &Quit\\tCtrl+Q"},
      {"Sa&ve As", "Shift-S", "&Open...\\tCtrl+O | Sa&ve As\\tCtrl+Shift+S | &Quit\\tCtrl+Q"},
      {"", "F5", "&Open...\\tCtrl+O | \\tCtrl+F5 | &Quit\\tCtrl+Q"},
  };
  for (const Case& c : cases) {
    SmallBar m;
    RuntimeMenuItemTextSetter(m.line.get(), 0, Str(c.text).get());
    RuntimeMenuItemCommandKeySetter(m.line.get(), 0, Str(c.key).get());
    EXPECT_EQ(DescribeNativeMenu(MenuOf(m.file)), c.shown) << c.text << " " << c.key;
    EXPECT_EQ(test::Taken(RuntimeMenuItemTextGetter(m.line.get(), 0)), c.text) << "the text itself has no shortcut";
  }
  SmallBar m;
  RuntimeMenuItemTextSetter(m.edit.get(), 0, Str("&Change").get());
  EXPECT_EQ(DescribeNativeMenu(MenuOf(m.bar)), "&File> | &Change>") << "a title keeps its sub-menu";
  EXPECT_EQ(test::ReadNativeMenu(MenuOf(m.bar))[1].subMenu, MenuOf(m.edit));
}

#if !defined(_WIN32)
// Only the entries a change concerns are touched; nothing is rebuilt.
TEST(MenuTree, AChangeTouchesOnlyItsOwnEntry) {
  SmallBar m;
  struct Case {
    const char* what;
    std::function<void()> change;
    std::vector<std::string> operations;
  };
  const Case cases[] = {
      {"text", [&] { RuntimeMenuItemTextSetter(m.quit.get(), 0, Str("E&xit").get()); }, {"update 2 E&xit\tCtrl+Q"}},
      {"check", [&] { RuntimeMenuItemCheckedSetter(m.cut.get(), 0, true); }, {"check 0 1"}},
      {"a separator becomes text", [&] { RuntimeMenuItemTextSetter(m.line.get(), 0, Str("Close").get()); },
       {"update 1 Close", "gray 1 0"}},
      {"the same check again", [&] { RuntimeMenuItemCheckedSetter(m.cut.get(), 0, true); }, {}},
      {"disable", [&] { RuntimeMenuItemEnabledSetter(m.copy.get(), 0, false); }, {"gray 1 1"}},
      {"disable a title", [&] { RuntimeMenuItemEnabledSetter(m.edit.get(), 0, false); },
       {"gray 1 0", "gray 0 1"}},  // the title stays enabled; Copy was greyed already
      {"stored only", [&] { RuntimeMenuItemVisibleSetter(m.cut.get(), 0, false); }, {}},
      {"append", [&] { Append(m.edit, NewItem("Paste")); }, {"insert 2 Paste"}},
  };
  for (const Case& c : cases) {
    StandInOperations().clear();
    c.change();
    EXPECT_EQ(StandInOperations(), c.operations) << c.what;
  }
}
#endif

TEST(MenuTree, DisablingATitleGreysNoTitleButEveryCommandBelowIt) {
  SmallBar m;
  const ObjectRef recent = NewItem("Recent");
  Append(m.open, recent);
  RuntimeMenuItemEnabledSetter(m.file.get(), 0, false);
  EXPECT_EQ(DescribeNativeMenu(MenuOf(m.bar)), "&File> | &Edit>");
  EXPECT_EQ(DescribeNativeMenu(MenuOf(m.file)), "~&Open...\\tCtrl+O> | - | ~&Quit\\tCtrl+Q");
  EXPECT_EQ(DescribeNativeMenu(MenuOf(m.open)), "~Recent");
  for (RuntimeObject* item : {m.file.get(), m.open.get(), recent.get(), m.quit.get()})
    EXPECT_FALSE(RuntimeMenuItemEnabledGetter(item, 0));
  EXPECT_TRUE(RuntimeMenuItemEnabledGetter(m.edit.get(), 0));

  RuntimeEnableMenu(m.file.get());
  EXPECT_EQ(DescribeNativeMenu(MenuOf(m.file)), "&Open...\\tCtrl+O> | - | &Quit\\tCtrl+Q");
  EXPECT_EQ(DescribeNativeMenu(MenuOf(m.open)), "Recent");

  RuntimeMenuItemEnabledSetter(m.bar.get(), 0, false);
  EXPECT_EQ(DescribeNativeMenu(MenuOf(m.bar)), "&File> | &Edit>");
  EXPECT_EQ(DescribeNativeMenu(MenuOf(m.edit)), "~Cu&t\\tCtrl+X | ~&Copy\\tCtrl+C");
}

TEST(MenuTree, StatesSetBeforeInsertionShowOnceInserted) {
  const ObjectRef menu = NewItem("View");
  const ObjectRef grid = NewItem("Grid");
  const ObjectRef rulers = NewItem("Rulers");
  RuntimeMenuItemCheckedSetter(grid.get(), 0, true);
  RuntimeMenuItemEnabledSetter(rulers.get(), 0, false);
  Append(menu, grid);
  Append(menu, rulers);
  EXPECT_EQ(DescribeNativeMenu(MenuOf(menu)), "*Grid | ~Rulers");
  RuntimeMenuItemCheckedSetter(grid.get(), 0, false);
  RuntimeMenuItemCheckedSetter(rulers.get(), 0, true);
  EXPECT_EQ(DescribeNativeMenu(MenuOf(menu)), "Grid | ~*Rulers");
}

TEST(MenuTree, ReleasingTheBarReleasesTheTreeButNotItemsHeldElsewhere) {
  const size_t objectsBefore = LiveObjectCount();
  ObjectRef kept;
  NativeMenu keptMenu = nullptr;
  NativeMenu barMenu = nullptr;
  NativeMenu fileMenu = nullptr;
  {
    SmallBar m;
    Append(m.quit, NewItem("Now"));
    kept = m.quit;
    keptMenu = MenuOf(m.quit);
    barMenu = MenuOf(m.bar);
    fileMenu = MenuOf(m.file);
  }
  EXPECT_EQ(LiveObjectCount(), objectsBefore + 2) << "Quit and its child";
  EXPECT_FALSE(test::NativeMenuAlive(barMenu));
  EXPECT_FALSE(test::NativeMenuAlive(fileMenu));
  ASSERT_TRUE(test::NativeMenuAlive(keptMenu)) << "the sub-menu of an item that lives on";
  EXPECT_EQ(DescribeNativeMenu(keptMenu), "Now");
  EXPECT_EQ(test::Imp(kept)->parent(), nullptr);
  EXPECT_EQ(test::Imp(kept)->commandId(), 0u) << "out of every menu, its identifier went back";

  // Back into a menu, it takes an identifier again.
  const ObjectRef menu = NewItem("Again");
  Append(menu, kept);
  EXPECT_NE(test::Imp(kept)->commandId(), 0u);
  EXPECT_EQ(test::ReadNativeMenu(MenuOf(menu))[0].subMenu, keptMenu);
  kept = ObjectRef();
}

}  // namespace
}  // namespace ql::menus
