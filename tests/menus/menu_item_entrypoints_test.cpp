// MenuItem's exported properties and methods as the image calls them.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "core/compiled_code.h"
#include "core/object.h"
#include "menu_fixtures.h"
#include "menus/menu_events.h"
#include "native_menu_reader.h"
#include "quillon/entrypoints/strings.h"
#include "support/assertion_recorder.h"

namespace ql::menus {
namespace {

using test::Append;
using test::NewBar;
using test::NewItem;
using test::Str;
using test::Taken;

TEST(MenuItemProperties, DefaultsAndStoredValues) {
  const ObjectRef item = test::NewObjectOf(intrinsic::MenuItem);
  RuntimeObject* o = item.get();
  EXPECT_EQ(Taken(RuntimeMenuItemNameGetter(o, 0)), "");
  EXPECT_EQ(RuntimeMenuItemIndexGetter(o, 0), -1);
  EXPECT_EQ(RuntimeMenuItemTagGetter(o, 0), nullptr);
  EXPECT_EQ(RuntimeMenuItemBalloonHelpGetter(o, 0), nullptr);
  EXPECT_EQ(RuntimeMenuItemDisabledHelpGetter(o, 0), nullptr);
  EXPECT_EQ(RuntimeMenuItemTextGetter(o, 0), nullptr);
  EXPECT_EQ(RuntimeMenuItemCommandKeyGetter(o, 0), nullptr);
  EXPECT_FALSE(RuntimeMenuItemCheckedGetter(o, 0));
  EXPECT_TRUE(RuntimeMenuItemEnabledGetter(o, 0));
  EXPECT_TRUE(RuntimeMenuItemVisibleGetter(o, 0));
  EXPECT_FALSE(RuntimeMenuItemBoldGetter(o, 0));
  EXPECT_FALSE(RuntimeMenuItemItalicsGetter(o, 0));
  EXPECT_FALSE(RuntimeMenuItemUnderlineGetter(o, 0));
  EXPECT_TRUE(RuntimeMenuItemAutoEnableGetter(o, 0));
  EXPECT_EQ(RuntimeMenuItemCount(o), 0);

  struct StringCase {
    void (*set)(RuntimeObject*, uint32_t, RuntimeString*);
    RuntimeString* (*get)(RuntimeObject*, uint32_t);
    const char* value;
  };
  const StringCase strings[] = {
      {RuntimeMenuItemNameSetter, RuntimeMenuItemNameGetter, "EditCopy"},
      {RuntimeMenuItemTextSetter, RuntimeMenuItemTextGetter, "&Copy"},
      {RuntimeMenuItemCommandKeySetter, RuntimeMenuItemCommandKeyGetter, "Shift-C"},
      {RuntimeMenuItemBalloonHelpSetter, RuntimeMenuItemBalloonHelpGetter, "Copies the selection"},
      {RuntimeMenuItemDisabledHelpSetter, RuntimeMenuItemDisabledHelpGetter, "Nothing is selected"},
  };
  for (const StringCase& c : strings) {
    c.set(o, 0, Str(c.value).get());
    EXPECT_EQ(Taken(c.get(o, 0)), c.value);
  }

  struct BoolCase {
    void (*set)(RuntimeObject*, uint32_t, bool);
    bool (*get)(RuntimeObject*, uint32_t);
  };
  const BoolCase flags[] = {
      {RuntimeMenuItemCheckedSetter, RuntimeMenuItemCheckedGetter},
      {RuntimeMenuItemEnabledSetter, RuntimeMenuItemEnabledGetter},
      {RuntimeMenuItemVisibleSetter, RuntimeMenuItemVisibleGetter},
      {RuntimeMenuItemBoldSetter, RuntimeMenuItemBoldGetter},
      {RuntimeMenuItemItalicsSetter, RuntimeMenuItemItalicsGetter},
      {RuntimeMenuItemUnderlineSetter, RuntimeMenuItemUnderlineGetter},
      {RuntimeMenuItemAutoEnableSetter, RuntimeMenuItemAutoEnableGetter},
  };
  for (const BoolCase& c : flags) {
    const bool original = c.get(o, 0);
    c.set(o, 0, !original);
    EXPECT_EQ(c.get(o, 0), !original);
    c.set(o, 0, original);
    EXPECT_EQ(c.get(o, 0), original);
  }

  RuntimeMenuItemIndexSetter(o, 0, 3);
  EXPECT_EQ(RuntimeMenuItemIndexGetter(o, 0), 3);
}

TEST(MenuItemProperties, TagKeepsOneReference) {
  const ObjectRef item = NewItem("Tagged");
  ObjectRef tag = test::NewObjectOf(intrinsic::Object);
  RuntimeMenuItemTagSetter(item.get(), 0, tag.get());
  EXPECT_EQ(tag.get()->refCount, 2);
  const ObjectRef read = ObjectRef::Adopt(RuntimeMenuItemTagGetter(item.get(), 0));
  EXPECT_EQ(read.get(), tag.get());
  EXPECT_EQ(tag.get()->refCount, 3);
  RuntimeMenuItemTagSetter(item.get(), 0, nullptr);
  EXPECT_EQ(tag.get()->refCount, 2);
}

TEST(MenuItemEntryPoints, ANilItemRaisesNilObjectException) {
  const ObjectRef child = NewItem("Child");
  RuntimeObject* c = child.get();
  const std::function<void()> calls[] = {
      [] { RuntimeMenuItemNameSetter(nullptr, 0, nullptr); },
      [] { RuntimeUnlockString(RuntimeMenuItemNameGetter(nullptr, 0)); },
      [] { RuntimeMenuItemIndexGetter(nullptr, 0); },
      [] { RuntimeMenuItemTextSetter(nullptr, 0, nullptr); },
      [] { RuntimeMenuItemCheckedSetter(nullptr, 0, true); },
      [] { RuntimeMenuItemEnabledGetter(nullptr, 0); },
      [] { RuntimeMenuItemCommandKeySetter(nullptr, 0, nullptr); },
      [] { RuntimeMenuItemAutoEnableSetter(nullptr, 0, false); },
      [] { RuntimeMenuItemTagSetter(nullptr, 0, nullptr); },
      [] { RuntimeMenuItemDefaultConstructor(nullptr); },
      [] { RuntimeEnableMenu(nullptr); },
      [] { RuntimeCloseMenuItem(nullptr); },
      [] { RuntimeUnlockObject(RuntimeMenuItemItem(nullptr, 0)); },
      [] { RuntimeMenuItemCount(nullptr); },
      [] { RuntimeUnlockObject(RuntimeMenuItemChild(nullptr, nullptr)); },
      [c] { RuntimeMenuItemAppend(nullptr, c); },
      [c] { RuntimeMenuItemInsert(nullptr, 0, c); },
      [] { RuntimeMenuItemRemoveIndex(nullptr, 0); },
      [c] { RuntimeMenuItemRemoveItem(nullptr, c); },
  };
  for (size_t i = 0; i < sizeof calls / sizeof calls[0]; ++i) {
    test::CatchScope scope;
    calls[i]();
    ASSERT_TRUE(scope.Close()) << "call " << i;
    EXPECT_STREQ(scope.CaughtClassName(), "NilObjectException") << "call " << i;
  }
  // _Lookup answers nil without raising.
  test::CatchScope scope;
  EXPECT_EQ(RuntimeMenuItemLookup(nullptr, Str("Child").get()), nullptr);
  EXPECT_EQ(RuntimeMenuItemLookupArray(nullptr, Str("Child").get(), 0), nullptr);
  EXPECT_EQ(RuntimeMenuItemLookup(c, nullptr), nullptr);
  EXPECT_FALSE(scope.Close());
}

TEST(MenuItemEntryPoints, AReceiverThatIsNoMenuItemIsReported) {
  const ObjectRef notAnItem = test::NewObjectOf(intrinsic::Object);
  test::AssertionRecorder recorder;
  RuntimeMenuItemTextSetter(notAnItem.get(), 0, Str("x").get());
  EXPECT_EQ(RuntimeMenuItemCount(notAnItem.get()), 0);
  EXPECT_FALSE(RuntimeMenuItemEnabledGetter(notAnItem.get(), 0));
  ASSERT_EQ(recorder.count(), 3u);
  EXPECT_EQ(recorder.reports()[0].source, "menubar");
  EXPECT_EQ(recorder.reports()[0].condition, "self->mImp");
}

TEST(MenuItemEntryPoints, ItemCountAndChild) {
  const ObjectRef menu = NewItem("Edit");
  const ObjectRef cut = NewItem("Cut", "EditCut");
  const ObjectRef copy = NewItem("Copy", "EditCopy");
  const ObjectRef again = NewItem("Copy again", "editcopy");
  for (const ObjectRef* item : {&cut, &copy, &again}) Append(menu, *item);
  EXPECT_EQ(RuntimeMenuItemCount(menu.get()), 3);
  EXPECT_EQ(ObjectRef::Adopt(RuntimeMenuItemItem(menu.get(), 1)).get(), copy.get());
  EXPECT_EQ(ObjectRef::Adopt(RuntimeMenuItemChild(menu.get(), Str("EDITCOPY").get())).get(), copy.get())
      << "the first of that name, in any case";
  EXPECT_EQ(RuntimeMenuItemChild(menu.get(), Str("EditPaste").get()), nullptr);
  for (const int32_t index : {-1, 3}) {
    test::CatchScope scope;
    EXPECT_EQ(RuntimeMenuItemItem(menu.get(), index), nullptr);
    EXPECT_TRUE(scope.Close());
    EXPECT_STREQ(scope.CaughtClassName(), "OutOfBoundsException");
  }
}

TEST(MenuItemEntryPoints, LookupFindsItemsAtAnyDepthByNameAndIndex) {
  // Bar > File > Recent > {Doc 0, Doc 1, Doc 3}, Bar > Window > Doc (-1)
  const ObjectRef bar = NewBar();
  const ObjectRef file = NewItem("File", "FileMenu");
  const ObjectRef recent = NewItem("Recent", "FileRecent");
  const ObjectRef window = NewItem("Window", "WindowMenu");
  const ObjectRef plain = NewItem("Plain doc", "Doc");
  Append(bar, file);
  Append(file, recent);
  Append(bar, window);
  Append(window, plain);
  ObjectRef docs[3];
  const int32_t indices[3] = {0, 1, 3};
  for (int i = 0; i < 3; ++i) {
    docs[i] = NewItem("doc", "Doc");
    RuntimeMenuItemIndexSetter(docs[i].get(), 0, indices[i]);
    Append(recent, docs[i]);
  }
  struct Case {
    const char* name;
    int32_t index;  // -2: the one-argument form
    RuntimeObject* found;
  };
  const Case cases[] = {
      {"FileMenu", -2, file.get()},
      {"filerecent", -2, recent.get()},
      {"Doc", -2, plain.get()},  // Recent's members have an index: only the Window item has -1
      {"Doc", -1, plain.get()},
      {"Doc", 0, docs[0].get()},
      {"Doc", 3, docs[2].get()},
      {"Doc", 2, nullptr},
      {"WindowMenu", 0, nullptr},
      {"Nothing", -2, nullptr},
  };
  for (const Case& c : cases) {
    const ObjectRef found = ObjectRef::Adopt(c.index == -2 ? RuntimeMenuItemLookup(bar.get(), Str(c.name).get())
                                                           : RuntimeMenuItemLookupArray(bar.get(), Str(c.name).get(),
                                                                                        c.index));
    EXPECT_EQ(found.get(), c.found) << c.name << " " << c.index;
  }
  EXPECT_EQ(RuntimeMenuItemLookup(file.get(), Str("FileMenu").get()), nullptr) << "the item itself is not searched";
}

TEST(MenuItemEntryPoints, InstallCloneAddsAMemberAfterItsArray) {
  struct Case {
    const char* what;
    std::vector<std::pair<const char*, int32_t>> window;  // name, Index of the Window menu's items
    int32_t position;                                      // where the clone lands, -1 nowhere
    int32_t index;
  };
  const Case cases[] = {
      {"a run in the middle", {{"Tile", -1}, {"Doc", 0}, {"Doc", 4}, {"Doc", 1}, {"Zoom", -1}}, 4, 5},
      {"a run at the end", {{"Tile", -1}, {"Doc", 0}, {"Doc", 1}}, 3, 2},
      {"a single item", {{"Doc", -1}, {"Zoom", -1}}, 1, 0},
      {"no item of that name", {{"Tile", -1}}, -1, 0},
  };
  for (const Case& c : cases) {
    const ObjectRef bar = NewBar();
    const ObjectRef file = NewItem("File");
    const ObjectRef window = NewItem("Window");
    Append(bar, file);
    Append(bar, window);
    Append(file, NewItem("Open", "Open"));
    for (const auto& [name, index] : c.window) {
      const ObjectRef member = NewItem(name, name);
      RuntimeMenuItemIndexSetter(member.get(), 0, index);
      Append(window, member);
    }
    const ObjectRef clone = NewItem("New doc", "doc");
    MenuBarInstallClone(bar.get(), clone.get());
    if (c.position < 0) {
      EXPECT_EQ(test::Imp(clone)->parent(), nullptr) << c.what;
      continue;
    }
    EXPECT_EQ(test::Imp(clone)->parent(), test::Imp(window)) << c.what;
    EXPECT_EQ(test::Imp(window)->PositionOf(test::Imp(clone)), c.position) << c.what;
    EXPECT_EQ(RuntimeMenuItemIndexGetter(clone.get(), 0), c.index) << c.what;
  }

  test::AssertionRecorder recorder;
  const ObjectRef bar = NewBar();
  MenuBarInstallClone(nullptr, bar.get());
  MenuBarInstallClone(bar.get(), nullptr);
  EXPECT_TRUE(recorder.Saw("menuBar"));
  EXPECT_TRUE(recorder.Saw("installThis"));
}

TEST(MenuItemEntryPoints, CloseTakesTheItemOutOfItsMenu) {
  const ObjectRef bar = NewBar();
  const ObjectRef file = NewItem("File");
  const ObjectRef open = NewItem("Open");
  const ObjectRef quit = NewItem("Quit");
  Append(bar, file);
  Append(file, open);
  Append(file, quit);
  RuntimeCloseMenuItem(open.get());
  EXPECT_EQ(test::DescribeNativeMenu(test::MenuOf(file)), "Quit");
  EXPECT_EQ(test::Imp(open)->parent(), nullptr);
  RuntimeCloseMenuItem(open.get());  // in no menu: nothing
  RuntimeCloseMenuItem(bar.get());
  EXPECT_EQ(RuntimeMenuItemCount(file.get()), 1);
}

TEST(MenuClasses, TablesInTheirFixedOrder) {
  RuntimeClass* item = ClassOf(intrinsic::MenuItem);
  ASSERT_NE(item, nullptr);
  const char* properties[] = {"Name%s",        "Index%i",   "Tag%o<Variant>", "BalloonHelp%s", "DisabledBalloonHelp%s",
                              "Text%s",        "Checked%b", "Enabled%b",      "Visible%b",     "CommandKey%s",
                              "_Bold%b",       "_Italic%b", "_Underline%b",   "AutoEnable%b"};
  ASSERT_EQ(item->propertyCount, 14);
  for (int i = 0; i < 14; ++i) EXPECT_EQ(test::Std(item->properties[i].signature), properties[i]) << i;
  EXPECT_EQ(item->eventCount, 2);
  EXPECT_EQ(item->instanceSize, sizeof(MenuItemObject));

  for (ObjectDefinition* d : {&intrinsic::MenuBar, &intrinsic::QuitMenuItem, &intrinsic::PrefsMenuItem,
                              &intrinsic::AppleMenuItem}) {
    RuntimeClass* cls = ClassOf(*d);
    ASSERT_NE(cls, nullptr);
    EXPECT_EQ(cls->super, item);
    EXPECT_EQ(cls->instanceSize, sizeof(MenuItemObject));
    EXPECT_EQ(cls->propertyCount, 14);
  }
  EXPECT_EQ(ClassOf(intrinsic::QuitMenuItem)->eventCount, 3) << "its own Action after MenuItem's two";
  EXPECT_EQ(ClassOf(intrinsic::PrefsMenuItem)->eventCount, 3);
  EXPECT_EQ(ClassOf(intrinsic::AppleMenuItem)->eventCount, 2);

  RuntimeClass* handler = ClassOf(intrinsic::MenuHandler);
  ASSERT_NE(handler, nullptr);
  EXPECT_EQ(handler->super, nullptr);
  EXPECT_EQ(handler->instanceSize, kObjectHeaderSize);
  EXPECT_EQ(handler->eventCount, 1);
  EXPECT_EQ(RuntimeLookupClass(Str("_menuhandler").get()), handler);
}

// The image's subclass of PrefsMenuItem implements the class's own Action.
int g_prefsActions = 0;
bool CountPrefsAction(RuntimeObject*) {
  ++g_prefsActions;
  return false;
}

TEST(MenuClasses, APrefsItemReportsEveryChoiceHandled) {
  const ObjectRef plain = NewItem("Preferences...", nullptr, nullptr, intrinsic::PrefsMenuItem);
  EXPECT_TRUE(Implements(plain.get(), MenuItemEvent::Action));
  EXPECT_TRUE(FireAction(plain.get()));

  RuntimeClass* super = ClassOf(intrinsic::PrefsMenuItem);
  RuntimeClass* cls = test::NewTestClass(super, super->methodCount, super->interfaceCount, super->eventCount,
                                         super->staticMethodCount, super->propertyCount);
  cls->instanceSize = super->instanceSize;
  cls->events[static_cast<int>(MenuItemEvent::OwnAction)].handler = EntryAddress(CountPrefsAction);
  const ObjectRef item = ObjectRef::Adopt(RuntimeNewObject(cls));
  g_prefsActions = 0;
  EXPECT_TRUE(FireAction(item.get())) << "True although its own Action said False";
  EXPECT_EQ(g_prefsActions, 1);
}

TEST(MenuClasses, OnlyMenuBarsOwnANativeMenuBarFromTheStart) {
  const ObjectRef bar = NewBar();
  const ObjectRef item = NewItem("Item");
  EXPECT_TRUE(test::NativeMenuAlive(test::MenuOf(bar)));
  EXPECT_EQ(test::MenuOf(item), nullptr) << "a plain item gets its menu with its first child";
}

}  // namespace
}  // namespace ql::menus
