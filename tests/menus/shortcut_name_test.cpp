#include "menus/shortcut_name.h"

#include <gtest/gtest.h>

#include "menu_fixtures.h"

namespace ql::menus {
namespace {

using test::Std;

TEST(ShortcutName, ComesFromTheCommandKey) {
  struct Case {
    const char* commandKey;
    const char* name;
  };
  const Case cases[] = {
      {"S", "Ctrl+S"},
      {"s", "Ctrl+s"},  // key presses are named in lower case; matching ignores case
      {"Shift-S", "Ctrl+Shift+S"},
      {"Shift+S", "Ctrl+Shift+S"},
      {"Shft-S", "Ctrl+Shift+S"},
      {"Option+F4", "Ctrl+Alt+F4"},
      {"Alt-F4", "Ctrl+Alt+F4"},
      {"F10", "Ctrl+F10"},
      {"Control-Q", "Ctrl+Q"},
      {"Ctrl+Q", "Ctrl+Q"},
      {"Command-Q", "Ctrl+Q"},
      {"cOmMaNd-q", "Ctrl+q"},
      // Modifiers in any order give the one canonical order.
      {"Option-Shift-Z", "Ctrl+Shift+Alt+Z"},
      {"Alt+Ctrl+Shift+Z", "Ctrl+Shift+Alt+Z"},
      // A command key ending in a separator names the minus key.
      {"Shift--", "Ctrl+Shift+-"},
      {"Shift+-", "Ctrl+Shift+-"},
      {"Shift-", "Ctrl+Shift+-"},
      {"-", "Ctrl+-"},
      {"+", "Ctrl+-"},
      // The last field is a modifier word too, and still the key.
      {"Shift", "Ctrl+Shift+Shift"},
      {"Alt", "Ctrl+Alt+Alt"},
      // Unknown words are not modifiers.
      {"Hyper-K", "Ctrl+K"},
      {",", "Ctrl+,"},
  };
  for (const Case& c : cases) {
    const String name = ShortcutNameOfCommandKey(test::Str(c.commandKey).get());
    EXPECT_EQ(Std(name.get()), c.name) << c.commandKey;
  }
}

TEST(ShortcutName, AnEmptyCommandKeyHasNone) {
  EXPECT_TRUE(ShortcutNameOfCommandKey(nullptr).empty());
}

TEST(ShortcutName, KeysOutsideAsciiAndWideCommandKeys) {
  const char accented[] = "Shift-\xC3\xA9";  // é in UTF-8
  const String utf8 = NewStringFromBytes(accented, sizeof accented - 1, QL_ENCODING_UTF8);
  const String name = ShortcutNameOfCommandKey(utf8.get());
  EXPECT_EQ(Std(name.get()), "Ctrl+Shift+\xC3\xA9");
  EXPECT_EQ(name.encoding(), static_cast<uint32_t>(QL_ENCODING_UTF8));

  const char16_t wide[] = u"Option-Q";
  const String utf16 = NewStringFromWide(wide, 8);
  EXPECT_EQ(Std(ShortcutNameOfCommandKey(utf16.get()).get()), "Ctrl+Alt+Q");
}

}  // namespace
}  // namespace ql::menus
