// Windows only: the real messages of a runtime window reach the menus layer
// (WM_INITMENU updates the menus, WM_COMMAND chooses the item, a WM_KEYDOWN
// with Ctrl held runs an item's shortcut in the key pre-translation), and
// the native state read back with GetMenuState shows the result.
#if defined(_WIN32)
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "menu_fixtures.h"
#include "menu_world.h"
#include "menus/menus_layer.h"
#include "native_menu_reader.h"
#include "startup/mainloop.h"
#include "ui/menu_hooks.h"
#include "ui/view_window.h"
#include "ui/window_layer.h"

namespace ql::menus {
namespace {

using test::Append;
using test::MenuLog;
using test::NewActionItem;
using test::NewBar;
using test::NewItem;
using Log = std::vector<std::string>;

// Holds the keys down while it lives, as the user does.
class KeysHeld {
 public:
  explicit KeysHeld(std::vector<BYTE> keys) : keys_(std::move(keys)) {
    for (BYTE k : keys_) keybd_event(k, 0, 0, 0);
  }
  ~KeysHeld() {
    for (auto k = keys_.rbegin(); k != keys_.rend(); ++k) keybd_event(*k, 0, KEYEVENTF_KEYUP, 0);
  }

 private:
  std::vector<BYTE> keys_;
};

struct MessageWorld {
  MessageWorld() {
    ui::InstallWindowLayer();
    InstallMenuLayer();
    for (const ObjectRef* t : {&file, &edit}) Append(bar, *t);
    Append(file, quitLike);
    for (const ObjectRef* i : {&copy, &paste, &line, &check}) Append(edit, *i);
    world.AddWindowHandler("EditCopy", true);
    WindowMenuBarSetter(world.window(), 0, bar.get());
  }
  HWND Window() const { return static_cast<HWND>(ui::NativeHandleOf(ui::ViewOfWindow(world.window()))); }
  bool PreTranslate(UINT message, WPARAM key) const {
    LoopMessage m{Window(), message, key, 1, 0, 0, 0};
    return AskHook(CurrentWindowLayerHooks().preTranslateKey, m);
  }

  test::MenuWorld world;
  ObjectRef bar = NewBar();
  ObjectRef file = NewItem("&File", "FileMenu");
  ObjectRef quitLike = NewActionItem("E&xit", "FileExit", true);
  ObjectRef edit = NewItem("&Edit", "EditMenu");
  ObjectRef copy = NewItem("&Copy", "EditCopy", "C");
  ObjectRef paste = NewItem("&Paste", "EditPaste", "V");
  ObjectRef line = NewItem("-");
  ObjectRef check = NewActionItem("Chec&k", "EditCheck", true);
};

TEST(MenuMessages, TheBarIsOnTheWindowAndInitMenuUpdatesIt) {
  MessageWorld m;
  EXPECT_EQ(GetMenu(m.Window()), static_cast<HMENU>(test::MenuOf(m.bar)));
  RuntimeMenuItemEnabledSetter(m.paste.get(), 0, true);
  MenuLog().clear();
  SendMessageW(m.Window(), WM_INITMENU, reinterpret_cast<WPARAM>(GetMenu(m.Window())), 0);
  EXPECT_EQ(test::DescribeNativeMenu(test::MenuOf(m.edit)), "&Copy\\tCtrl+C | ~&Paste\\tCtrl+V | - | Chec&k");
  const HMENU editMenu = static_cast<HMENU>(test::MenuOf(m.edit));
  EXPECT_TRUE(GetMenuState(editMenu, test::Imp(m.paste)->commandId(), MF_BYCOMMAND) & MF_GRAYED);
  EXPECT_FALSE(GetMenuState(editMenu, test::Imp(m.copy)->commandId(), MF_BYCOMMAND) & MF_GRAYED);
  EXPECT_EQ(MenuLog().back(), "application EnableMenuItems");
}

TEST(MenuMessages, WmCommandChoosesTheItemOfItsIdentifier) {
  MessageWorld m;
  struct Case {
    uint32_t id;
    Log log;
  };
  const Case cases[] = {
      {test::Imp(m.copy)->commandId(), {"window EditCopy -1"}},
      {test::Imp(m.check)->commandId(), {"item Action Chec&k"}},
      {test::Imp(m.quitLike)->commandId(), {"item Action E&xit"}},
      {40000, {}},
  };
  for (const Case& c : cases) {
    MenuLog().clear();
    SendMessageW(m.Window(), WM_COMMAND, c.id, 0);
    EXPECT_EQ(MenuLog(), c.log) << c.id;
  }
}

TEST(MenuMessages, CtrlAndALetterRunTheItemsShortcutUnlessItIsGreyed) {
  MessageWorld m;
  {
    KeysHeld ctrl({VK_CONTROL});
    MenuLog().clear();
    EXPECT_TRUE(m.PreTranslate(WM_KEYDOWN, 'C'));
    EXPECT_EQ(MenuLog().back(), "window EditCopy -1");
    MenuLog().clear();
    EXPECT_FALSE(m.PreTranslate(WM_KEYDOWN, 'V')) << "Paste is greyed: the key goes on";
    for (const std::string& line : MenuLog()) EXPECT_EQ(line.find("EditPaste"), std::string::npos);
  }
  MenuLog().clear();
  EXPECT_FALSE(m.PreTranslate(WM_KEYDOWN, 'C')) << "without Ctrl no shortcut";
  EXPECT_TRUE(MenuLog().empty());
}

TEST(MenuMessages, AltAndAMnemonicAreLeftToTheSystem) {
  MessageWorld m;
  KeysHeld alt({VK_MENU});
  EXPECT_FALSE(m.PreTranslate(WM_SYSKEYDOWN, 'F')) << "the window's default processing opens &File";
}

// Destroying a window destroys the menu on it: the close sequence takes the
// bar off first, without its frame change reaching the dying view.
TEST(MenuMessages, ClosingTheWindowLeavesItsMenuBarWhole) {
  ObjectRef bar;
  HWND window = nullptr;
  {
    MessageWorld m;
    bar = m.bar;
    window = m.Window();
    ASSERT_EQ(GetMenu(window), static_cast<HMENU>(test::MenuOf(bar)));
  }  // the world closes its window with the bar still on it
  EXPECT_FALSE(IsWindow(window));
  const HMENU menu = static_cast<HMENU>(test::MenuOf(bar));
  ASSERT_TRUE(IsMenu(menu));
  EXPECT_EQ(test::DescribeNativeMenu(menu), "&File> | &Edit>");
}

}  // namespace
}  // namespace ql::menus
#endif
