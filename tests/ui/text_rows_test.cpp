#include "ui/text_rows.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace ql::ui {
namespace {

std::vector<std::string> Rows(const std::string& text, NulSeparates nul = NulSeparates::No) {
  String s = NewStringFromBytes(text.data(), static_cast<int32_t>(text.size()), QL_ENCODING_UTF8);
  std::vector<std::string> out;
  for (const String& row : SplitRows(s.get(), nul)) out.emplace_back(row.text(), static_cast<size_t>(row.length()));
  return out;
}

using Strings = std::vector<std::string>;

TEST(TextRows, EveryLineEndSeparatesAndATrailingOneAddsNoRow) {
  struct Case {
    std::string text;
    Strings rows;
  } const cases[] = {
      {"Solutions\r\nDilutions", {"Solutions", "Dilutions"}},
      {"Solutions\r\nDilutions\r\n", {"Solutions", "Dilutions"}},
      {"a\nb\rc", {"a", "b", "c"}},
      {"a\n\rb", {"a", "", "b"}},  // LF then CR: two line ends
      {"a\r\n\r\nb", {"a", "", "b"}},
      {"\r\na", {"", "a"}},
      {"\r\n", {""}},
      {"", {}},
      {"one", {"one"}},
  };
  for (const Case& c : cases) EXPECT_EQ(Rows(c.text), c.rows) << c.text;
}

TEST(TextRows, NulSeparatesOnlyWhenAsked) {
  const std::string text("Solutions\0Dilutions", 19);
  EXPECT_EQ(Rows(text, NulSeparates::Yes), (Strings{"Solutions", "Dilutions"}));
  EXPECT_EQ(Rows(text, NulSeparates::No), (Strings{text}));
  EXPECT_EQ(Rows(std::string("a\0\0b\r\n", 6), NulSeparates::Yes), (Strings{"a", "", "b"}));
}

TEST(TextRows, WideTextIsReadAsUTF8) {
  const char16_t units[] = u"kg\r\ng";
  String wide = NewStringFromWide(units, 5);
  std::vector<String> rows = SplitRows(wide.get());
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0].encoding(), QL_ENCODING_UTF8);
  EXPECT_EQ(std::string(rows[1].text()), "g");
}

}  // namespace
}  // namespace ql::ui
