#include <gtest/gtest.h>
#include <string.h>

#include <string>

#include "core/string.h"

namespace ql {
namespace {

std::string Bytes(const String& s) { return std::string(s.text(), static_cast<size_t>(s.length())); }

String Make(const char* bytes, uint32_t encoding) {
  return NewStringFromBytes(bytes, static_cast<int32_t>(strlen(bytes)), encoding);
}

constexpr uint32_t kShiftJIS = 0x0A01;
constexpr uint32_t kWideVariant = 0x0103;  // a Unicode value other than UTF-8 and UTF-16

TEST(TextEncoding, Combine) {
  struct Case {
    uint32_t a, b;
    Force force;
    uint32_t result;
  } cases[] = {
      {QL_ENCODING_WINLATIN1, QL_ENCODING_WINLATIN1, Force::No, QL_ENCODING_WINLATIN1},
      {QL_ENCODING_ASCII, QL_ENCODING_UTF8, Force::No, QL_ENCODING_UTF8},
      {QL_ENCODING_UTF8, QL_ENCODING_ASCII, Force::No, QL_ENCODING_UTF8},
      {QL_ENCODING_ASCII, QL_ENCODING_WINLATIN1, Force::No, QL_ENCODING_WINLATIN1},
      {kShiftJIS, QL_ENCODING_ASCII, Force::No, kShiftJIS},
      {QL_ENCODING_ASCII, QL_ENCODING_UTF16, Force::No, QL_ENCODING_UNDEFINED},
      {QL_ENCODING_WINLATIN1, QL_ENCODING_UTF8, Force::No, QL_ENCODING_UNDEFINED},
      {QL_ENCODING_WINLATIN1, QL_ENCODING_UTF8, Force::Yes, QL_ENCODING_UTF8},
      {QL_ENCODING_ASCII, QL_ENCODING_UTF16, Force::Yes, QL_ENCODING_UTF16},
      {QL_ENCODING_UTF8, QL_ENCODING_UTF16, Force::Yes, QL_ENCODING_UTF8},
      {QL_ENCODING_WINLATIN1, kShiftJIS, Force::Yes, QL_ENCODING_UTF8},
  };
  for (const Case& c : cases)
    EXPECT_EQ(CombineEncodings(c.a, c.b, c.force), c.result) << std::hex << c.a << " " << c.b;
}

TEST(TextEncoding, CodePageMap) {
  struct Case {
    uint32_t encoding, codePage;
  } cases[] = {
      {QL_ENCODING_ASCII, 1252},  {QL_ENCODING_WINLATIN1, 1252}, {QL_ENCODING_UNDEFINED, 1252},
      {QL_ENCODING_UTF8, 65001},  {QL_ENCODING_UTF16, 1200},     {kWideVariant, 1200},
      {0x08000101, 1200},         {kShiftJIS, 932},              {0x0423, 950},
      {0x0501, 1250},             {0x0400, 437},                 {0x7777, 0},
  };
  for (const Case& c : cases) EXPECT_EQ(CodePageForEncoding(c.encoding), c.codePage) << std::hex << c.encoding;
}

TEST(TextEncoding, SystemEncodingOfAnEnglishSystemIsWindowsLatin1) {
  EXPECT_EQ(SystemEncoding(), QL_ENCODING_WINLATIN1);
}

TEST(TextEncoding, Conversions) {
  struct Case {
    const char* bytes;
    uint32_t from, to;
    const char* result;
  } cases[] = {
      {"caf\xE9", QL_ENCODING_WINLATIN1, QL_ENCODING_UTF8, "caf\xC3\xA9"},
      {"\x80\x9F", QL_ENCODING_WINLATIN1, QL_ENCODING_UTF8, "\xE2\x82\xAC\xC5\xB8"},
      {"\x81", QL_ENCODING_UNDEFINED, QL_ENCODING_UTF8, "\xC2\x81"},
      {"caf\xC3\xA9", QL_ENCODING_UTF8, QL_ENCODING_WINLATIN1, "caf\xE9"},
      {"\x93\xFA\x96\x7B", kShiftJIS, QL_ENCODING_UTF8, "\xE6\x97\xA5\xE6\x9C\xAC"},
      {"\xE6\x97\xA5", QL_ENCODING_UTF8, kShiftJIS, "\x93\xFA"},
      // A character Windows Latin 1 lacks becomes the default character.
      {"\xE2\x98\xBA", QL_ENCODING_UTF8, QL_ENCODING_WINLATIN1, "?"},
      // 7-bit text is copied and relabelled.
      {"plain", QL_ENCODING_WINLATIN1, QL_ENCODING_UTF8, "plain"},
      {"\xE9", QL_ENCODING_ASCII, QL_ENCODING_WINLATIN1, "\xE9"},
      {"h\xC3\xA9", QL_ENCODING_UTF8, QL_ENCODING_UTF16, nullptr},
  };
  for (const Case& c : cases) {
    String s = Make(c.bytes, c.from);
    String r = ConvertString(s.get(), c.to);
    if (c.to == QL_ENCODING_UTF16) {
      ASSERT_EQ(r.length(), 4);
      EXPECT_EQ(WideUnitAt(r.text(), 1), u'\u00E9');
    } else {
      EXPECT_EQ(Bytes(r), c.result) << c.bytes;
    }
    EXPECT_EQ(r.encoding(), c.to);
  }
}

TEST(TextEncoding, Utf16SourceIsAlwaysTranscoded) {
  // The bytes of UTF-16 "ab" have no high byte, yet are not UTF-8 text.
  String wide = NewStringFromWide(u"ab", 2);
  String r = ConvertToUTF8(wide.get());
  EXPECT_EQ(Bytes(r), "ab");
  EXPECT_EQ(r.encoding(), QL_ENCODING_UTF8);
  String back = ConvertToUTF16(r.get());
  EXPECT_EQ(back.length(), 4);
  EXPECT_EQ(back.get()->size, 7u);  // the wide layout
  EXPECT_EQ(WideUnitAt(back.text(), 1), u'b');
}

TEST(TextEncoding, ConversionCacheReusesTheLastResult) {
  String s = Make("na\xEFve", QL_ENCODING_WINLATIN1);
  String first = ConvertToUTF8(s.get());
  String second = ConvertToUTF8(s.get());
  EXPECT_EQ(first.get(), second.get());
  // Another target is a new conversion that replaces the entry.
  String wide = ConvertToUTF16(s.get());
  EXPECT_NE(wide.get(), first.get());
  String third = ConvertToUTF8(s.get());
  EXPECT_NE(third.get(), first.get());
  EXPECT_EQ(Bytes(third), Bytes(first));
}

TEST(TextEncoding, ConversionCacheHoldsItsSourceAlive) {
  RuntimeString* raw;
  String result;
  {
    String s = Make("\xE9t\xE9", QL_ENCODING_WINLATIN1);
    raw = s.get();
    result = ConvertToUTF8(s.get());
  }
  // The source record cannot be freed and reused while the cache names it.
  EXPECT_EQ(raw->refCount, 1);
  EXPECT_EQ(Bytes(result), "\xC3\xA9t\xC3\xA9");
  String other = Make("\xE8", QL_ENCODING_WINLATIN1);
  ConvertToUTF8(other.get());  // replaces the entry and releases raw
}

TEST(TextEncoding, SameOrUndefinedTargetGivesTheStringItself) {
  String s = Make("x\xE9", QL_ENCODING_WINLATIN1);
  EXPECT_EQ(ConvertString(s.get(), QL_ENCODING_WINLATIN1).get(), s.get());
  EXPECT_EQ(ConvertString(s.get(), QL_ENCODING_UNDEFINED).get(), s.get());
  EXPECT_TRUE(ConvertToUTF8(nullptr).empty());
}

TEST(TextEncoding, FailedConversionGivesNil) {
  String s = Make("x\xE9", QL_ENCODING_WINLATIN1);
  EXPECT_TRUE(ConvertString(s.get(), 0x7777).empty());  // no code page
}

TEST(TextEncoding, Reconcile) {
  struct Case {
    const char* a;  // nullptr: nil
    uint32_t ea;
    const char* b;
    uint32_t eb;
    uint32_t result;
    const char* aAfter;
    const char* bAfter;
  } cases[] = {
      {nullptr, 0, nullptr, 0, QL_ENCODING_ASCII, "", ""},
      {nullptr, 0, "\xE9", QL_ENCODING_WINLATIN1, QL_ENCODING_WINLATIN1, "", "\xE9"},
      {"\xE9", QL_ENCODING_WINLATIN1, nullptr, 0, QL_ENCODING_WINLATIN1, "\xE9", ""},
      {"a", QL_ENCODING_UTF8, "b", QL_ENCODING_UTF8, QL_ENCODING_UTF8, "a", "b"},
      {"\xE9", QL_ENCODING_UNDEFINED, "b", QL_ENCODING_UTF8, QL_ENCODING_UNDEFINED, "\xE9", "b"},
      {"a", QL_ENCODING_ASCII, "\xC3\xA9", QL_ENCODING_UTF8, QL_ENCODING_UTF8, "a", "\xC3\xA9"},
      {"\xE9", QL_ENCODING_WINLATIN1, "\xC3\xA9", QL_ENCODING_UTF8, QL_ENCODING_UTF8, "\xC3\xA9", "\xC3\xA9"},
      {"\xE9", QL_ENCODING_WINLATIN1, "\xE9", kShiftJIS, QL_ENCODING_UTF8, "\xC3\xA9", nullptr},
      // A conversion that fails leaves both strings as they were.
      {"\xE9", QL_ENCODING_WINLATIN1, "\xE9", 0x7777, QL_ENCODING_UNDEFINED, "\xE9", "\xE9"},
  };
  for (const Case& c : cases) {
    String a = c.a ? Make(c.a, c.ea) : String(), b = c.b ? Make(c.b, c.eb) : String();
    EXPECT_EQ(ReconcileStrings(a, b), c.result) << std::hex << c.ea << " " << c.eb;
    EXPECT_EQ(Bytes(a), c.aAfter);
    if (c.bAfter) {
      EXPECT_EQ(Bytes(b), c.bAfter);
    }
  }
}

TEST(TextEncoding, SevenBit) {
  EXPECT_TRUE(IsSevenBit(nullptr));
  EXPECT_TRUE(IsSevenBit(Make("plain text", QL_ENCODING_UTF8).get()));
  EXPECT_FALSE(IsSevenBit(Make("caf\xC3\xA9", QL_ENCODING_UTF8).get()));
}

}  // namespace
}  // namespace ql
