// Key presses: the KeyDown character of a virtual key, the shortcut name of
// a key press, the shortcut list and its matching.
#include <gtest/gtest.h>

#include "core/string.h"
#include "support/assertion_recorder.h"
#include "ui/keys.h"
#include "ui/menu_hooks.h"
#include "ui/shortcuts.h"

namespace ql::test {
namespace {

using namespace ui;

TEST(KeyCharacter, VirtualKeysBecomeTheirKeyDownCharacter) {
  struct Case {
    uint32_t vk, modifiers;
    uint8_t expected;
  };
  const Case cases[] = {
      {kKeyF1, 0, 200},      {kKeyF24, 0, 223},     {0x60, 0, '0'},          {0x69, 0, '9'},
      {kKeyPrior, 0, 11},    {kKeyNext, 0, 12},     {kKeyEnd, 0, 4},         {kKeyHome, 0, 1},
      {kKeyLeft, 0, 28},     {kKeyRight, 0, 29},    {kKeyUp, 0, 30},         {kKeyDown, 0, 31},
      {kKeyInsert, 0, 5},    {kKeyDelete, 0, 127},  {0x6A, 0, '*'},          {0x6B, 0, '+'},
      {0x6D, 0, '-'},        {0x6F, 0, '/'},        {0x6E, 0, '.'},          {kKeyKeypadEnter, 0, 3},
      {0xBC, 0, ','},        {0xBE, 0, '.'},        {0xBE, kModifierShift, '>'},
      {kKeyBack, 0, 8},      {kKeyTab, 0, 9},       {kKeyReturn, 0, 13},     {kKeyEscape, 0, 27},
      {'A', 0, 'a'},         {'A', kModifierShift, 'A'}, {'1', kModifierShift, '!'}, {' ', 0, ' '},
      {0xE7, 0, 0xE7},  // no character gives it: the key itself
  };
  for (const Case& c : cases) EXPECT_EQ(KeyCharacter(c.vk, c.modifiers), c.expected) << std::hex << c.vk;
}

TEST(KeyCharacter, ModifierKeysGiveAnEmptyStringAndKeypadEnterIsItsOwnKey) {
  for (uint32_t vk : {16u, 17u, 18u, 19u, 20u, 91u, 92u, 93u, 144u, 145u}) {
    EXPECT_TRUE(IsModifierKey(vk)) << vk;
    EXPECT_TRUE(KeyString(MakeKeyEvent(vk, false, 0)).empty()) << vk;
  }
  EXPECT_FALSE(IsModifierKey(21));
  EXPECT_EQ(MakeKeyEvent(kKeyReturn, true, 0).virtualKey, kKeyKeypadEnter);
  EXPECT_EQ(MakeKeyEvent(kKeyReturn, false, 0).virtualKey, kKeyReturn);
  String f1 = KeyString(MakeKeyEvent(kKeyF1, false, 0));
  ASSERT_EQ(f1.length(), 1);
  EXPECT_EQ(uint8_t(f1.text()[0]), 200);
}

TEST(ShortcutNames, AKeyPressIsNamedWithItsModifiers) {
  struct Case {
    uint32_t vk, modifiers;
    const char* name;  // nullptr: none
  };
  const Case cases[] = {
      {'S', kModifierControl, "Ctrl+s"},
      {'S', kModifierControl | kModifierShift, "Ctrl+Shift+s"},
      {'P', kModifierAlt, "Alt+p"},
      {kKeyF1 + 9, kModifierControl, "Ctrl+F10"},
      {kKeyF1 + 23, 0, "F24"},
      {27, 0, "Esc"}, {8, 0, "Bsp"}, {9, kModifierShift, "Shift+Tab"}, {12, 0, "Clr"}, {13, 0, "Enter"},
      {32, 0, "Space"}, {33, 0, "PgUp"}, {34, 0, "PgDn"}, {35, 0, "End"}, {36, 0, "Home"}, {37, 0, "Left"},
      {38, 0, "Up"}, {39, 0, "Right"}, {40, 0, "Down"}, {41, 0, "Select"}, {42, 0, "Print"}, {43, 0, "Execute"},
      {44, 0, "Snapshot"}, {45, 0, "Ins"}, {46, 0, "Del"}, {47, 0, "Help"},
      {'1', kModifierShift, "Shift+1"},  // the character without Shift
      {255, 0, nullptr},
  };
  for (const Case& c : cases) {
    String name = ShortcutNameOfKey(c.vk, c.modifiers);
    if (!c.name) {
      EXPECT_TRUE(name.empty());
      continue;
    }
    EXPECT_EQ(std::string(name.text(), name.length()), c.name) << c.vk;
  }
}

struct Target : ShortcutTarget {
  bool ShortcutAction() override {
    ++actions;
    return acts;
  }
  int actions = 0;
  bool acts = true;
};

int g_menuShortcuts = 0;
const void* g_lastMenuTarget = nullptr;
bool MenuShortcut(const void* target, bool) {
  ++g_menuShortcuts;
  g_lastMenuTarget = target;
  return true;
}

class ShortcutList : public ::testing::Test {
 protected:
  void TearDown() override {
    for (const void* t : {static_cast<const void*>(static_cast<ShortcutTarget*>(&a)),
                          static_cast<const void*>(static_cast<ShortcutTarget*>(&b)), kMenuItem})
      RemoveShortcutsOf(t);
    InstallMenuHooks(MenuHooks{});
  }
  static String S(const char* s) { return NewStringFromCText(s); }
  Target a, b;
  const void* kMenuItem = &g_menuShortcuts;
};

TEST_F(ShortcutList, OneEntryPerTargetAndKindNewestFirst) {
  const size_t before = ShortcutCount();
  String p = S("Alt+P"), q = S("Alt+Q");
  EnterControlShortcut(&a, ShortcutKind::PushButton, p.get());
  EnterControlShortcut(&b, ShortcutKind::StaticText, p.get());
  EnterControlShortcut(&a, ShortcutKind::PushButton, q.get());  // replaces a's entry
  ASSERT_EQ(ShortcutCount(), before + 2);
  EXPECT_EQ(ShortcutAt(0).target, static_cast<ShortcutTarget*>(&a));
  EXPECT_STREQ(StringText(ShortcutAt(0).name), "Alt+Q");
  EXPECT_EQ(ShortcutAt(1).target, static_cast<ShortcutTarget*>(&b));
  EnterControlShortcut(&a, ShortcutKind::TabPanel, p.get());  // another kind: a second entry
  EXPECT_EQ(ShortcutCount(), before + 3);
  RemoveShortcutsOf(&a);
  EXPECT_EQ(ShortcutCount(), before + 1);
}

TEST_F(ShortcutList, ControlShortcutsMustNameAlt) {
  AssertionRecorder recorder;
  String text = S("Ctrl+P");
  EnterControlShortcut(&a, ShortcutKind::PushButton, text.get());
  ASSERT_EQ(recorder.count(), 1u);
  EXPECT_EQ(recorder.reports()[0].source, "win32windows");
  EXPECT_EQ(recorder.reports()[0].line, 1231);
  EXPECT_EQ(recorder.reports()[0].condition, "hasAlt");
  EXPECT_FALSE(FindShortcut(static_cast<ShortcutTarget*>(&a), ShortcutKind::PushButton, nullptr));
}

TEST_F(ShortcutList, MatchingActsOnTheNewestEntryThatActs) {
  String p = S("Alt+P");
  EnterControlShortcut(&a, ShortcutKind::PushButton, p.get());
  EnterControlShortcut(&b, ShortcutKind::PushButton, p.get());
  b.acts = false;
  EXPECT_TRUE(MatchShortcut('P', kModifierAlt, false));
  EXPECT_EQ(b.actions, 1) << "the newest entry is asked first";
  EXPECT_EQ(a.actions, 1) << "and the next one acted";
  EXPECT_FALSE(MatchShortcut('P', kModifierControl, false));
  EXPECT_FALSE(MatchShortcut('Q', kModifierAlt, false));
}

TEST_F(ShortcutList, MenuItemEntriesGoToTheMenusHook) {
  String name = S("Ctrl+Q");
  EnterMenuShortcut(kMenuItem, name.get());
  EXPECT_FALSE(MatchShortcut('Q', kModifierControl, false)) << "no menus layer: nothing acts";
  MenuHooks hooks;
  hooks.menuShortcut = MenuShortcut;
  InstallMenuHooks(hooks);
  g_menuShortcuts = 0;
  EXPECT_TRUE(MatchShortcut('Q', kModifierControl, false));
  EXPECT_EQ(g_menuShortcuts, 1);
  EXPECT_EQ(g_lastMenuTarget, kMenuItem);
}

}  // namespace
}  // namespace ql::test
