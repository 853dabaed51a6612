#include <gtest/gtest.h>
#include <string.h>

#include <string>

#include "core/string.h"
#include "quillon/entrypoints/strings.h"

namespace ql {
namespace {

std::string Bytes(const String& s) { return std::string(s.text(), static_cast<size_t>(s.length())); }

String Make(const char* bytes, uint32_t encoding) {
  return NewStringFromBytes(bytes, static_cast<int32_t>(strlen(bytes)), encoding);
}

TEST(StringConcat, EmptySideGivesTheOtherStringItself) {
  String s = Make("abc", QL_ENCODING_UTF8);
  RuntimeString* r = RuntimeAddString(nullptr, s.get());
  EXPECT_EQ(r, s.get());
  EXPECT_EQ(s.get()->refCount, 2);
  RuntimeUnlockString(r);
  r = RuntimeAddString(s.get(), nullptr);
  EXPECT_EQ(r, s.get());
  RuntimeUnlockString(r);
  EXPECT_EQ(s.get()->refCount, 1);
  EXPECT_EQ(RuntimeAddString(nullptr, nullptr), nullptr);
}

TEST(StringConcat, ResultEncodingAndBytes) {
  struct Case {
    const char* left;
    uint32_t leftEncoding;
    const char* right;
    uint32_t rightEncoding;
    const char* bytes;
    uint32_t encoding;
  } cases[] = {
      {"ab", QL_ENCODING_ASCII, "cd", QL_ENCODING_ASCII, "abcd", QL_ENCODING_ASCII},
      // ASCII text is valid UTF-8: nothing is transcoded.
      {"ab", QL_ENCODING_ASCII, "\xC3\xA9", QL_ENCODING_UTF8, "ab\xC3\xA9", QL_ENCODING_UTF8},
      {"\xC3\xA9", QL_ENCODING_UTF8, "ab", QL_ENCODING_ASCII, "\xC3\xA9" "ab", QL_ENCODING_UTF8},
      // Windows Latin 1 is transcoded to UTF-8.
      {"caf\xE9", QL_ENCODING_WINLATIN1, "!\xC3\xA9", QL_ENCODING_UTF8, "caf\xC3\xA9!\xC3\xA9", QL_ENCODING_UTF8},
      {"x", QL_ENCODING_UTF8, "\x80", QL_ENCODING_WINLATIN1, "x\xE2\x82\xAC", QL_ENCODING_UTF8},
      // ASCII joins a single-byte encoding without change.
      {"ab", QL_ENCODING_ASCII, "\xE9", QL_ENCODING_WINLATIN1, "ab\xE9", QL_ENCODING_WINLATIN1},
      // An unknown encoding gives raw bytes and stays unknown.
      {"\xE9", QL_ENCODING_UNDEFINED, "\xC3\xA9", QL_ENCODING_UTF8, "\xE9\xC3\xA9", QL_ENCODING_UNDEFINED},
  };
  for (const Case& c : cases) {
    String l = Make(c.left, c.leftEncoding), r = Make(c.right, c.rightEncoding);
    String joined = String::Adopt(RuntimeAddString(l.get(), r.get()));
    EXPECT_EQ(Bytes(joined), c.bytes) << c.left << " + " << c.right;
    EXPECT_EQ(joined.encoding(), c.encoding) << c.left << " + " << c.right;
    EXPECT_EQ(joined.get()->size, static_cast<uint32_t>(joined.length()) + 2);
    EXPECT_EQ(joined.get()->refCount, 1);
  }
}

TEST(StringConcat, Utf16WithUtf8GivesUtf8AndWideWithWideKeepsTheWideLayout) {
  String wide = NewStringFromWide(u"h\u00E9", 2);
  String utf8 = Make("!", QL_ENCODING_UTF8);
  String joined = ConcatStrings(wide.get(), utf8.get());
  EXPECT_EQ(Bytes(joined), "h\xC3\xA9!");
  EXPECT_EQ(joined.encoding(), QL_ENCODING_UTF8);

  String both = ConcatStrings(wide.get(), wide.get());
  ASSERT_EQ(both.length(), 8);
  EXPECT_EQ(both.encoding(), QL_ENCODING_UTF16);
  EXPECT_EQ(both.get()->size, 11u);
  EXPECT_EQ(both.get()->text[9], 0);
  EXPECT_EQ(both.get()->text[10], 0);
  EXPECT_EQ(WideUnitAt(both.text(), 3), u'\u00E9');

  // ASCII text is not UTF-16: reconciled to UTF-16 by transcoding.
  String ascii = Make("ok", QL_ENCODING_ASCII);
  String mixed = ConcatStrings(ascii.get(), wide.get());
  EXPECT_EQ(mixed.encoding(), QL_ENCODING_UTF16);
  ASSERT_EQ(mixed.length(), 8);
  EXPECT_EQ(WideUnitAt(mixed.text(), 0), u'o');
  EXPECT_EQ(WideUnitAt(mixed.text(), 2), u'h');
}

TEST(StringConcat, LongResultStores255InItsLengthByte) {
  std::string half(150, 'q');
  String a = Make(half.c_str(), QL_ENCODING_ASCII);
  String joined = ConcatStrings(a.get(), a.get());
  EXPECT_EQ(joined.length(), 300);
  EXPECT_EQ(static_cast<uint8_t>(joined.get()->text[0]), 255);
  EXPECT_EQ(joined.text()[300], 0);
}

TEST(StringAppendByte, EncodingFollowsTheByte) {
  struct Case {
    const char* text;  // nullptr: nil
    uint32_t encoding;
    uint8_t byte;
    uint32_t result;
  } cases[] = {
      {nullptr, QL_ENCODING_ASCII, 'a', QL_ENCODING_ASCII},
      {"ab", QL_ENCODING_ASCII, 'c', QL_ENCODING_ASCII},
      {"ab", QL_ENCODING_UTF8, 'c', QL_ENCODING_UTF8},
      {"ab", QL_ENCODING_WINLATIN1, 'c', QL_ENCODING_WINLATIN1},
      {"ab", QL_ENCODING_ASCII, 0xE9, QL_ENCODING_UNDEFINED},
      {"ab", QL_ENCODING_UTF8, 0x80, QL_ENCODING_UNDEFINED},
      {nullptr, QL_ENCODING_ASCII, 0xC8, QL_ENCODING_UNDEFINED},
  };
  for (const Case& c : cases) {
    String s = c.text ? Make(c.text, c.encoding) : String();
    String r = AppendByte(s.get(), c.byte);
    const std::string expected = std::string(c.text ? c.text : "") + static_cast<char>(c.byte);
    EXPECT_EQ(Bytes(r), expected);
    EXPECT_EQ(r.encoding(), c.result) << (c.text ? c.text : "nil") << " + " << int(c.byte);
  }
}

}  // namespace
}  // namespace ql
