#include <gtest/gtest.h>
#include <string.h>

#include <string>

#include "core/basicstr.h"
#include "core/lineends.h"
#include "quillon/entrypoints/strings.h"

namespace ql {
namespace {

constexpr uint32_t kU8 = QL_ENCODING_UTF8;
constexpr uint32_t kL1 = QL_ENCODING_WINLATIN1;
constexpr uint32_t kAscii = QL_ENCODING_ASCII;

String Make(const char* text, uint32_t encoding = kU8) {
  return NewStringFromBytes(text, static_cast<int32_t>(strlen(text)), encoding);
}

std::string Bytes(const String& s) { return std::string(s.text(), static_cast<size_t>(s.length())); }

std::string Field(const char* text, const char* delimiter, int32_t n, uint32_t encoding = kU8) {
  String t = text ? Make(text, encoding) : String(), d = delimiter ? Make(delimiter, encoding) : String();
  String f = String::Adopt(StringNthField(t.get(), d.get(), n));
  if (!f.empty()) {
    EXPECT_EQ(f.encoding(), encoding);
  }
  return Bytes(f);
}

TEST(NthField, FieldsBetweenDelimiters) {
  struct Case {
    const char* text;
    const char* delimiter;
    int32_t n;
    const char* field;
  } cases[] = {
      {"a,b,,c", ",", 1, "a"},       {"a,b,,c", ",", 2, "b"},        {"a,b,,c", ",", 3, ""},
      {"a,b,,c", ",", 4, "c"},       {"a,b,,c", ",", 5, ""},         {"a,b,,c", ",", 0, ""},
      {"a,b,,c", ",", -1, ""},       {"aXbxc", "x", 2, "b"},         {"aXbxc", "X", 3, "c"},
      {"one::two::", "::", 2, "two"}, {"one::two::", "::", 3, ""},    {"abc", ",", 1, "abc"},
      {"abc", ",", 2, ""},           {nullptr, ",", 1, ""},          {"abc", nullptr, 1, ""},
      {",x", ",", 1, ""},            {",x", ",", 2, "x"},
      // UTF-8 delimiters match case partners beyond ASCII.
      {"1\xC3\xA9" "2\xC3\x89" "3", "\xC3\xA9", 3, "3"},
      {"H\xE2\x82\xAC" "E", "\xE2\x82\xAC", 2, "E"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(Field(c.text, c.delimiter, c.n), c.field) << (c.text ? c.text : "nil") << " " << c.n;
}

TEST(NthField, WholeTextIsTheArgumentItself) {
  String t = Make("abc"), d = Make(",");
  String f = String::Adopt(StringNthField(t.get(), d.get(), 1));
  EXPECT_EQ(f.get(), t.get());
}

TEST(NthField, DelimiterIsConvertedToTheTextsEncoding) {
  String t = Make("x\xE9y\xC9z", kL1), d = Make("\xC3\xA9", kU8);  // Latin 1 text, UTF-8 delimiter
  EXPECT_EQ(Bytes(String::Adopt(StringNthField(t.get(), d.get(), 2))), "y");
  EXPECT_EQ(Bytes(String::Adopt(StringNthField(t.get(), d.get(), 3))), "z");  // E9 and C9 are partners
  String wide = NewStringFromWide(u"a;b;c", 5), semicolon = Make(";", kAscii);
  String f = String::Adopt(StringNthField(wide.get(), semicolon.get(), 2));
  EXPECT_EQ(f.encoding(), QL_ENCODING_UTF16);
  ASSERT_EQ(f.length(), 2);
  EXPECT_EQ(WideUnitAt(f.text(), 0), u'b');
}

TEST(CountFields, CountsDelimitersIgnoringCase) {
  struct Case {
    const char* text;
    const char* delimiter;
    int32_t count;
  } cases[] = {
      {"a,b,,c", ",", 4}, {"abc", ",", 1},   {nullptr, ",", 0}, {"abc", nullptr, 1},
      {"aXbxc", "x", 3},  {"aaaa", "aa", 3}, {",", ",", 2},     {"a\xC3\xA9" "b\xC3\x89", "\xC3\xA9", 3},
  };
  for (const Case& c : cases) {
    String t = c.text ? Make(c.text) : String(), d = c.delimiter ? Make(c.delimiter) : String();
    EXPECT_EQ(StringCountFields(t.get(), d.get()), c.count) << (c.text ? c.text : "nil");
  }
  // Text and delimiter in different encodings meet in a common one.
  String latin = Make("1\xE9" "2", kL1), sep = Make("\xC3\x89", kU8);
  EXPECT_EQ(StringCountFields(latin.get(), sep.get()), 2);
}

TEST(Mid, CharactersByEncoding) {
  struct Case {
    const char* text;
    uint32_t encoding;
    int32_t start, count;
    const char* result;
  } cases[] = {
      {"hello", kAscii, 2, 3, "ell"},
      {"hello", kAscii, 0, 2, "h"},
      {"hello", kAscii, -1, 3, "h"},
      {"hello", kAscii, -5, 3, ""},
      {"hello", kAscii, 4, 10, "lo"},
      {"hello", kAscii, 6, 1, ""},
      {"hello", kAscii, 2, 0, ""},
      {"hello", kAscii, 2, -3, ""},
      {"h\xE9llo", kL1, 2, 1, "\xE9"},
      {"h\xC3\xA9llo", kU8, 2, 2, "\xC3\xA9l"},
      {"\xE2\x82\xAC\xC3\xA9x", kU8, 3, 5, "x"},
      {"\xE2\x82\xAC\xC3\xA9x", kU8, 4, 1, ""},
      {"\xE2\x82\xAC\xC3\xA9x", kU8, 0, 2, "\xE2\x82\xAC"},
  };
  for (const Case& c : cases) {
    String s = Make(c.text, c.encoding);
    String m = String::Adopt(StringDBCSMid3(s.get(), c.start, c.count));
    EXPECT_EQ(Bytes(m), c.result) << c.text << " " << c.start << " " << c.count;
    if (!m.empty()) {
      EXPECT_EQ(m.encoding(), c.encoding);
    }
  }
  EXPECT_EQ(StringDBCSMid3(nullptr, 1, 1), nullptr);
}

TEST(Mid, WholeTextIsTheArgumentAndExtremeArgumentsAreSafe) {
  String s = Make("abc", kAscii);
  String whole = String::Adopt(StringDBCSMid3(s.get(), 1, 3));
  EXPECT_EQ(whole.get(), s.get());
  EXPECT_EQ(StringDBCSMid3(s.get(), INT32_MIN, INT32_MAX), nullptr);
  EXPECT_EQ(Bytes(String::Adopt(StringDBCSMid3(s.get(), 2, INT32_MAX))), "bc");
  EXPECT_EQ(StringDBCSMid3(s.get(), INT32_MAX, INT32_MAX), nullptr);
  String u = Make("\xC3\xA9\xC3\xA9", kU8);
  EXPECT_EQ(Bytes(String::Adopt(StringDBCSMid3(u.get(), 2, INT32_MAX))), "\xC3\xA9");
  EXPECT_EQ(StringDBCSMid3(u.get(), INT32_MAX, 1), nullptr);
}

TEST(Mid, Utf16CodeUnits) {
  String s = NewStringFromWide(u"h\u00E9llo", 5);
  String m = String::Adopt(StringDBCSMid3(s.get(), 2, 2));
  EXPECT_EQ(m.encoding(), QL_ENCODING_UTF16);
  ASSERT_EQ(m.length(), 4);
  EXPECT_EQ(WideUnitAt(m.text(), 0), u'\u00E9');
  EXPECT_EQ(WideUnitAt(m.text(), 1), u'l');
  EXPECT_EQ(m.get()->size, 7u);  // the wide layout with two NULs
}

TEST(LenAndAsc, ByEncoding) {
  struct Case {
    const char* text;
    uint32_t encoding;
    int32_t len, asc;
  } cases[] = {
      {"\xC3\xA9", kU8, 1, 0xE9},
      {"\xE2\x82\xAC" "a", kU8, 2, 0x20AC},
      {"\xF0\x9F\x98\x80", kU8, 1, 0x1F600},
      {"\xE9" "a", kU8, 2, 0xE9},  // not UTF-8 after all: the byte itself
      {"abc", kAscii, 3, 'a'},
      {"\xE9t\xE9", kL1, 3, 0xE9},
      {"\xC8", QL_ENCODING_UNDEFINED, 1, 0xC8},
  };
  for (const Case& c : cases) {
    String s = Make(c.text, c.encoding);
    EXPECT_EQ(StringDBCSLen(s.get()), c.len) << c.text;
    EXPECT_EQ(StringDBCSAsc(s.get()), c.asc) << c.text;
  }
  String wide = NewStringFromWide(u"\u20ACx", 2);
  EXPECT_EQ(StringDBCSLen(wide.get()), 2);
  EXPECT_EQ(StringDBCSAsc(wide.get()), 0x20AC);
  EXPECT_EQ(StringDBCSLen(nullptr), 0);
  EXPECT_EQ(StringDBCSAsc(nullptr), 0);
}

TEST(Chr, BytesAndEncoding) {
  struct Case {
    int32_t code;
    const char* bytes;
    int32_t length;
    uint32_t encoding;
  } cases[] = {
      {65, "A", 1, kAscii},
      {0, "\0", 1, kAscii},
      {127, "\x7F", 1, kAscii},
      {200, "\xC8", 1, QL_ENCODING_UNDEFINED},
      {-1, "\xFF", 1, QL_ENCODING_UNDEFINED},
      {0x8140, "\x81\x40", 2, QL_ENCODING_UNDEFINED},
      {256, "\x01\x00", 2, QL_ENCODING_UNDEFINED},
  };
  for (const Case& c : cases) {
    String s = String::Adopt(StringDBCSChr(c.code));
    EXPECT_EQ(Bytes(s), std::string(c.bytes, static_cast<size_t>(c.length))) << c.code;
    EXPECT_EQ(s.encoding(), c.encoding) << c.code;
  }
}

TEST(LineEnds, SharedAsciiStrings) {
  struct Case {
    LineEnd which;
    const char* text;
  } cases[] = {{LineEnd::Macintosh, "\r"}, {LineEnd::Windows, "\r\n"}, {LineEnd::Unix, "\n"}};
  for (const Case& c : cases) {
    RuntimeString* s = LineEndString(c.which);
    EXPECT_STREQ(StringText(s), c.text);
    EXPECT_EQ(StringEncoding(s), kAscii);
    EXPECT_EQ(LineEndString(c.which), s);  // created once
  }
}

}  // namespace
}  // namespace ql
