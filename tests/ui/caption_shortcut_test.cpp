#include "ui/caption_shortcut.h"

#include <gtest/gtest.h>

#include <string>

namespace ql::ui {
namespace {

std::string NameOf(const char* caption, uint32_t encoding = QL_ENCODING_UTF8) {
  String text = NewStringFromBytes(caption, static_cast<int32_t>(strlen(caption)), encoding);
  String name = CaptionShortcutName(text.get());
  return std::string(name.text(), static_cast<size_t>(name.length()));
}

TEST(CaptionShortcut, TheLastSingleAmpersandMarksTheKeyInUpperCase) {
  struct Case {
    const char* caption;
    const char* name;  // "" for none
  } const cases[] = {
      {"&Calculate", "Alt+C"},
      {"C&alculate", "Alt+A"},
      {"&Save &as", "Alt+A"},          // the last single one counts
      {"Fish && &chips", "Alt+C"},
      {"Fish && chips", ""},           // only doubled: none
      {"&&Save", ""},
      {"&&&Save", "Alt+S"},            // "&&" then a marker
      {"Save&", ""},                   // a marker needs a character
      {"&Save&", "Alt+S"},
      {"", ""},
      {"No marker", ""},
      {"&1st", "Alt+1"},
      {"Caf\xC3\xA9 &\xC3\xA9t\xC3\xA9", "Alt+\xC3\xA9"},  // a whole UTF-8 character
  };
  for (const Case& c : cases) EXPECT_EQ(NameOf(c.caption), c.name) << c.caption;
}

TEST(CaptionShortcut, ReadsWideAndSystemEncodedCaptions) {
  const char16_t units[] = u"&ok";
  String wide = NewStringFromWide(units, 3);
  String name = CaptionShortcutName(wide.get());
  EXPECT_EQ(std::string(name.text(), static_cast<size_t>(name.length())), "Alt+O");
  EXPECT_EQ(NameOf("&quit", QL_ENCODING_WINLATIN1), "Alt+Q");
}

TEST(CaptionShortcut, OffsetPointsAtTheMarkedCharacter) {
  EXPECT_EQ(CaptionShortcutOffset("ab&c", 4), 3);
  EXPECT_EQ(CaptionShortcutOffset("a&&b", 4), -1);
  EXPECT_EQ(CaptionShortcutOffset("&", 1), -1);
}

}  // namespace
}  // namespace ql::ui
