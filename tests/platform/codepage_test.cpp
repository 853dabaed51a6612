#include <gtest/gtest.h>

#include <string>

#include "platform/codepage.h"

namespace ql::platform {
namespace {

std::u16string Decode(uint32_t codePage, const std::string& bytes) {
  const int32_t n = MultiByteToWide(codePage, bytes.data(), static_cast<int32_t>(bytes.size()), nullptr, 0);
  std::u16string out(static_cast<size_t>(n), u'\0');
  if (n > 0) {
    EXPECT_EQ(MultiByteToWide(codePage, bytes.data(), static_cast<int32_t>(bytes.size()), out.data(), n), n);
  }
  return out;
}

std::string Encode(uint32_t codePage, const std::u16string& units) {
  const int32_t n = WideToMultiByte(codePage, units.data(), static_cast<int32_t>(units.size()), nullptr, 0);
  std::string out(static_cast<size_t>(n), '\0');
  if (n > 0) {
    EXPECT_EQ(WideToMultiByte(codePage, units.data(), static_cast<int32_t>(units.size()), out.data(), n), n);
  }
  return out;
}

// The same answers on every platform.
TEST(CodePage, DecodeToUtf16) {
  struct Case {
    uint32_t codePage;
    std::string bytes;
    std::u16string units;
  } cases[] = {
      {1252, "caf\xE9", u"caf\u00E9"},
      {1252, "\x80\x8A\x9F\xFF", u"\u20AC\u0160\u0178\u00FF"},
      // The five bytes 1252 leaves undefined.
      {1252, "\x81\x8D\x8F\x90\x9D", u"\u0081\u008D\u008F\u0090\u009D"},
      {65001, "h\xC3\xA9\xE2\x82\xAC", u"h\u00E9\u20AC"},
      {65001, "\xF0\x9F\x98\x80", u"\U0001F600"},
      {65001, "a\xFF" "b", u"a\uFFFD" "b"},
      {65001, "\xC0\xAF", u"\uFFFD\uFFFD"},   // overlong
      {932, "\x93\xFA\x96\x7B", u"\u65E5\u672C"},
#if !defined(_WIN32)  // the Japanese encodings of the system (wine has them only in part)
      {51932, "\xC6\xFC\xCB\xDC", u"\u65E5\u672C"},
      {50220, "\x1B$BF|K\\\x1B(B", u"\u65E5\u672C"},
#endif
      {437, "\x82", u"\u00E9"},
      {1251, "\xC4", u"\u0414"},
  };
  for (const Case& c : cases) EXPECT_EQ(Decode(c.codePage, c.bytes), c.units) << c.codePage << " " << c.bytes;
}

TEST(CodePage, EncodeFromUtf16) {
  struct Case {
    uint32_t codePage;
    std::u16string units;
    std::string bytes;
  } cases[] = {
      {1252, u"caf\u00E9", "caf\xE9"},
      {1252, u"\u20AC\u0081", "\x80\x81"},
      {1252, u"\u263A", "?"},
      {1252, u"a\U0001F600" "b", "a??b"},
      {65001, u"h\u00E9\u20AC", "h\xC3\xA9\xE2\x82\xAC"},
      {65001, u"\U0001F600", "\xF0\x9F\x98\x80"},
      {65001, u"\xD800", "\xEF\xBF\xBD"},  // a lone surrogate
      {932, u"\u65E5\u672C", "\x93\xFA\x96\x7B"},
#if !defined(_WIN32)
      {51932, u"\u65E5\u672C", "\xC6\xFC\xCB\xDC"},
      {50220, u"\u65E5\u672C", "\x1B$BF|K\\\x1B(B"},
#endif
      {1251, u"\u0414", "\xC4"},
  };
  for (const Case& c : cases) EXPECT_EQ(Encode(c.codePage, c.units), c.bytes) << c.codePage << " " << c.bytes;
}

TEST(CodePage, Utf16IsUsedAsItIs) {
  const char bytes[] = "h\0i\0";
  char16_t units[2];
  EXPECT_EQ(MultiByteToWide(kCodePageUTF16, bytes, 4, units, 2), 2);
  EXPECT_EQ(units[1], u'i');
  char back[4];
  EXPECT_EQ(WideToMultiByte(kCodePageUTF16, units, 2, back, 4), 4);
  EXPECT_EQ(std::string(back, 4), std::string(bytes, 4));
}

TEST(CodePage, TooSmallBufferOrNothingToConvertFails) {
  char16_t units[2];
  EXPECT_EQ(MultiByteToWide(1252, "abc", 3, units, 2), 0);
  EXPECT_EQ(MultiByteToWide(1252, "abc", 0, units, 2), 0);
  char bytes[1];
  EXPECT_EQ(WideToMultiByte(65001, u"\u00E9", 1, bytes, 1), 0);
  EXPECT_EQ(MultiByteToWide(12345, "abc", 3, nullptr, 0), 0);
}

TEST(CodePage, Validity) {
  struct Case {
    uint32_t codePage;
    bool valid;
  } cases[] = {{1252, true}, {65001, true}, {1200, true}, {932, true}, {950, true},
               {1250, true}, {437, true},   {0, false},   {12345, false}};
  for (const Case& c : cases) EXPECT_EQ(IsValidCodePage(c.codePage), c.valid) << c.codePage;
}

}  // namespace
}  // namespace ql::platform
