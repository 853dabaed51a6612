#include <gtest/gtest.h>
#include <string.h>

#include <string>

#include "core/stringsearch.h"

namespace ql {
namespace {

String Make(const char* text, uint32_t encoding = QL_ENCODING_UTF8) {
  return NewStringFromBytes(text, static_cast<int32_t>(strlen(text)), encoding);
}

std::string Bytes(const String& s) { return std::string(s.text(), static_cast<size_t>(s.length())); }

TEST(StringSearch, FindIgnoringCase) {
  struct Case {
    int32_t start;
    const char* text;  // nullptr: nil
    const char* pattern;
    uint32_t encoding;
    int32_t position;
  } cases[] = {
      {1, "Hello World", "world", QL_ENCODING_UTF8, 7},
      {1, "abcabc", "BC", QL_ENCODING_ASCII, 2},
      {3, "abcabc", "bc", QL_ENCODING_ASCII, 5},
      {0, "abcabc", "bc", QL_ENCODING_ASCII, 2},
      {6, "abcabc", "bc", QL_ENCODING_ASCII, 0},
      {9, "abc", "c", QL_ENCODING_ASCII, 0},
      {1, "abc", "abcd", QL_ENCODING_ASCII, 0},
      {4, "abc", nullptr, QL_ENCODING_ASCII, 4},
      {1, nullptr, "a", QL_ENCODING_ASCII, 0},
      {1, "caf\xC3\x89!", "\xC3\xA9", QL_ENCODING_UTF8, 4},
      // Different letters that share a byte after the system's case map.
      {1, "\xC4\x8A", "\xC4\x9A", QL_ENCODING_UTF8, 0},
      {1, "caf\xC9", "\xE9", QL_ENCODING_WINLATIN1, 4},
      {1, "\x9A", "\x8A", QL_ENCODING_WINLATIN1, 1},
  };
  for (const Case& c : cases) {
    String t = c.text ? Make(c.text, c.encoding) : String(), p = c.pattern ? Make(c.pattern, c.encoding) : String();
    EXPECT_EQ(FindIgnoringCase(c.start, t.get(), p.get()), c.position) << (c.text ? c.text : "nil") << " " << c.start;
  }
}

TEST(StringSearch, MatchLengthFollowsTheText) {
  // U+0131 (dotless i, 2 bytes) has the upper-case partner I (1 byte).
  String text = Make("x\xC4\xB1y"), pattern = Make("I");
  const TextMatch m = FindText(text.get(), pattern.get(), 0, Match::IgnoringCase);
  EXPECT_EQ(m.offset, 1);
  EXPECT_EQ(m.length, 2);
}

TEST(StringSearch, Utf16AndMixedEncodings) {
  String wide = NewStringFromWide(u"Gr\u00FC\u00DFe", 5);
  String pattern = Make("\xC3\x9C", QL_ENCODING_UTF8);  // U+00DC
  // UTF-16 meets UTF-8 as UTF-8: the position counts bytes of that text.
  EXPECT_EQ(FindIgnoringCase(1, wide.get(), pattern.get()), 3);
  String widePattern = NewStringFromWide(u"\u00DC", 1);
  EXPECT_EQ(FindIgnoringCase(1, wide.get(), widePattern.get()), 5);
  String latin = Make("ab\xE9", QL_ENCODING_WINLATIN1);
  String utf8 = Make("\xC3\x89", QL_ENCODING_UTF8);
  EXPECT_EQ(FindIgnoringCase(1, latin.get(), utf8.get()), 3);
}

TEST(StringSearch, ByteSubstring) {
  String s = Make("abcdef", QL_ENCODING_ASCII);
  struct Case {
    int32_t start, count;
    const char* result;
  } cases[] = {{0, 3, "abc"}, {4, 10, "ef"}, {6, 1, ""}, {-2, 3, "a"}, {2, 0, ""}, {INT32_MAX, INT32_MAX, ""}};
  for (const Case& c : cases) EXPECT_EQ(Bytes(ByteSubstring(s.get(), c.start, c.count)), c.result) << c.start;
  EXPECT_EQ(ByteSubstring(s.get(), 0, 6).get(), s.get());
  EXPECT_EQ(ByteSubstring(s.get(), 1, 2).encoding(), QL_ENCODING_ASCII);
}

TEST(StringSearch, ReplaceAll) {
  struct Case {
    const char* text;
    const char* pattern;
    const char* replacement;  // nullptr: nil
    Match match;
    const char* result;
  } cases[] = {
      {"a.b.c", ".", "", Match::Exact, "abc"},
      {"a.b.c", ".", nullptr, Match::Exact, "abc"},
      {"a,b", ",", ".", Match::Exact, "a.b"},
      {"aXbxc", "x", "-", Match::IgnoringCase, "a-b-c"},
      {"aXbxc", "x", "-", Match::Exact, "aXb-c"},
      {"aaa", "aa", "b", Match::Exact, "ba"},
      {"abc", "z", "y", Match::Exact, "abc"},
      {"..", ".", nullptr, Match::Exact, ""},
  };
  for (const Case& c : cases) {
    String t = Make(c.text), p = Make(c.pattern), r = c.replacement ? Make(c.replacement) : String();
    EXPECT_EQ(Bytes(ReplaceAll(t.get(), p.get(), r.get(), c.match)), c.result) << c.text << " " << c.pattern;
  }
  String t = Make("same");
  EXPECT_EQ(ReplaceAll(t.get(), nullptr, nullptr, Match::Exact).get(), t.get());
}

}  // namespace
}  // namespace ql
