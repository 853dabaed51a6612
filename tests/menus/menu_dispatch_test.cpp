// Choosing an item: who is offered the choice, in which order, with which
// Index; commands by identifier; quitting.
#include "menus/menu_dispatch.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/compiled_code.h"
#include "menu_fixtures.h"
#include "menu_world.h"
#include "menus/menu_events.h"
#include "menus/menus_layer.h"
#include "support/assertion_recorder.h"

namespace ql::menus {
namespace {

using test::Append;
using test::MenuLog;
using test::MenuWorld;
using test::NewBar;
using test::NewItem;
using Log = std::vector<std::string>;

enum class Answer { None, True, False };

TEST(MenuDispatch, TheChoiceGoesToHandlersInOrderThenTheItemThenTheControl) {
  struct Case {
    const char* what;
    Answer control, window, application, action;
    bool controlServes;
    int32_t index;
    Log log;
    bool handled;
  };
  const Case cases[] = {
      {"the control's handler first", Answer::True, Answer::True, Answer::True, Answer::True, true, -1,
       {"control EditCopy -1"}, true},
      {"then the window's", Answer::False, Answer::True, Answer::True, Answer::True, true, -1,
       {"control EditCopy -1", "window EditCopy -1"}, true},
      {"the window's True stops the application's", Answer::None, Answer::True, Answer::True, Answer::None, false, -1,
       {"window EditCopy -1"}, true},
      {"the window's False lets the application's run", Answer::None, Answer::False, Answer::True, Answer::None, false,
       -1, {"window EditCopy -1", "application EditCopy -1"}, true},
      {"then the item's Action", Answer::None, Answer::None, Answer::False, Answer::True, true, -1,
       {"application EditCopy -1", "item Action Copy"}, true},
      {"then the control's built-in command", Answer::None, Answer::None, Answer::None, Answer::False, true, -1,
       {"item Action Copy", "control command EditCopy"}, true},
      {"nobody", Answer::None, Answer::None, Answer::None, Answer::False, false, -1,
       {"item Action Copy", "control command EditCopy"}, false},
      {"a plain item", Answer::None, Answer::None, Answer::None, Answer::None, false, -1,
       {"control command EditCopy"}, false},
      {"handlers get the item's Index", Answer::False, Answer::False, Answer::True, Answer::None, false, 3,
       {"control EditCopy 3", "window EditCopy 3", "application EditCopy 3"}, true},
  };
  for (const Case& c : cases) {
    MenuWorld world;
    if (c.control != Answer::None) world.AddControlHandler("EditCopy", c.control == Answer::True);
    if (c.window != Answer::None) world.AddWindowHandler("EditCopy", c.window == Answer::True);
    if (c.application != Answer::None) world.AddApplicationHandler("EditCopy", c.application == Answer::True);
    if (c.controlServes) world.pane()->serves.insert("EditCopy");
    const ObjectRef item = c.action == Answer::None ? NewItem("Copy", "EditCopy")
                                                    : test::NewActionItem("Copy", "EditCopy", c.action == Answer::True);
    RuntimeMenuItemIndexSetter(item.get(), 0, c.index);
    MenuLog().clear();
    EXPECT_EQ(RuntimeMenuItemClick(item.get()), c.handled) << c.what;
    EXPECT_EQ(MenuLog(), c.log) << c.what;
  }
}

TEST(MenuDispatch, HandlersAreFoundByNameInAnyCase) {
  MenuWorld world;
  world.AddWindowHandler("editcopy", true);
  const ObjectRef item = NewItem("Copy", "EditCopy");
  EXPECT_TRUE(RuntimeMenuItemClick(item.get()));
  EXPECT_EQ(MenuLog(), (Log{"window editcopy -1"}));
}

TEST(MenuDispatch, WithoutTheFocusTheControlIsLeftOut) {
  MenuWorld world;
  world.AddControlHandler("EditCopy", true);
  world.AddApplicationHandler("EditCopy", false);
  world.pane()->serves.insert("EditCopy");
  world.Unfocus();
  const ObjectRef item = NewItem("Copy", "EditCopy");
  MenuLog().clear();
  EXPECT_FALSE(RuntimeMenuItemClick(item.get()));
  EXPECT_EQ(MenuLog(), (Log{"application EditCopy -1"}));
}

TEST(MenuDispatch, WithNoWindowInFrontOnlyTheApplicationAndTheItemAreAsked) {
  MenuWorld world;
  world.AddControlHandler("EditCopy", true);
  world.AddWindowHandler("EditCopy", true);
  world.AddApplicationHandler("EditCopy", false);
  world.NothingInFront();
  const ObjectRef item = test::NewActionItem("Copy", "EditCopy", false);
  MenuLog().clear();
  EXPECT_FALSE(RuntimeMenuItemClick(item.get()));
  EXPECT_EQ(MenuLog(), (Log{"application EditCopy -1", "item Action Copy"})) << "the focus went with the window";
}

TEST(MenuDispatch, ClickOnNilOrOnNoItem) {
  test::CatchScope scope;
  EXPECT_FALSE(RuntimeMenuItemClick(nullptr));
  EXPECT_TRUE(scope.Close());
  EXPECT_STREQ(scope.CaughtClassName(), "NilObjectException");
  const ObjectRef notAnItem = test::NewObjectOf(intrinsic::Object);
  test::AssertionRecorder recorder;
  EXPECT_FALSE(RuntimeMenuItemClick(notAnItem.get()));
  EXPECT_TRUE(recorder.Saw("menu->mImp"));
}

// A bar with Edit > Copy on the window, and Help > About on the application.
struct TwoBars {
  ObjectRef windowBar = NewBar();
  ObjectRef edit = NewItem("Edit");
  ObjectRef copy = test::NewActionItem("Copy", "EditCopy", true);
  ObjectRef appBar = NewBar();
  ObjectRef help = NewItem("Help");
  ObjectRef about = test::NewActionItem("About", "HelpAbout", true);
  TwoBars() {
    Append(windowBar, edit);
    Append(edit, copy);
    Append(appBar, help);
    Append(help, about);
  }
  uint32_t Id(const ObjectRef& item) const { return test::Imp(item)->commandId(); }
};

TEST(MenuDispatch, ACommandIsLookedUpInTheMenuBarInForce) {
  MenuWorld world;
  TwoBars bars;
  world.SetApplicationMenuBar(bars.appBar);
  struct Case {
    const char* what;
    bool windowHasBar;
    bool windowInFront;
    uint32_t id;
    Log log;
  };
  const Case cases[] = {
      {"the front window's bar", true, true, bars.Id(bars.copy), {"item Action Copy"}},
      {"not the application's while the window has one", true, true, bars.Id(bars.about), {}},
      {"a window without a bar: the application's", false, true, bars.Id(bars.about), {"item Action About"}},
      {"no window in front: the application's", true, false, bars.Id(bars.about), {"item Action About"}},
      {"an unknown identifier", true, true, 65000, {}},
      {"identifier 0", false, true, 0, {}},
  };
  for (const Case& c : cases) {
    world.SetWindowMenuBar(c.windowHasBar ? bars.windowBar : ObjectRef());
    if (!c.windowInFront) world.NothingInFront();
    MenuLog().clear();
    const bool handled = MenuCommand(false, c.id);
    EXPECT_EQ(MenuLog(), c.log) << c.what;
    EXPECT_EQ(handled, c.log.size() == 1 && c.log[0].rfind("item Action", 0) == 0) << c.what;
  }
}

// The application's subclass of QuitMenuItem, whose own Action answers True.
bool KeepRunning(RuntimeObject*) {
  MenuLog().push_back("quit item Action");
  return true;
}

TEST(MenuDispatch, AQuitItemQuitsUnlessItsOwnActionSaysTrue) {
  for (const bool ownActionKeepsRunning : {false, true}) {
    MenuWorld world;
    RuntimeClass* quitClass = ClassOf(intrinsic::QuitMenuItem);
    RuntimeClass* cls = quitClass;
    if (ownActionKeepsRunning) {
      cls = test::NewTestClass(quitClass, quitClass->methodCount, quitClass->interfaceCount, quitClass->eventCount,
                               quitClass->staticMethodCount, quitClass->propertyCount);
      cls->instanceSize = quitClass->instanceSize;
      cls->events[static_cast<int>(MenuItemEvent::OwnAction)].handler = EntryAddress(KeepRunning);
    }
    const ObjectRef quit = ObjectRef::Adopt(RuntimeNewObject(cls));
    MenuLog().clear();
    test::CatchScope scope;
    EXPECT_TRUE(RuntimeMenuItemClick(quit.get())) << "a quit item always handles the choice";
    const bool raised = scope.Close();
    if (ownActionKeepsRunning) {
      EXPECT_FALSE(raised) << "no quit";
      EXPECT_EQ(MenuLog(), (Log{"quit item Action"}));
    } else {
      EXPECT_TRUE(raised);
      EXPECT_STREQ(scope.CaughtClassName(), "EndException") << "Quit unwinds to the loop";
    }
  }
}

}  // namespace
}  // namespace ql::menus
