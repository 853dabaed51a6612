#include <gtest/gtest.h>
#include <string.h>

#include "core/string.h"
#include "quillon/entrypoints/strings.h"

namespace ql {
namespace {

String Make(const char* bytes, uint32_t encoding) {
  return NewStringFromBytes(bytes, static_cast<int32_t>(strlen(bytes)), encoding);
}

struct Side {
  const char* text;  // nullptr: nil
  uint32_t encoding;
  String Get() const { return text ? Make(text, encoding) : String(); }
};

constexpr uint32_t kU8 = QL_ENCODING_UTF8;
constexpr uint32_t kL1 = QL_ENCODING_WINLATIN1;
constexpr uint32_t kAscii = QL_ENCODING_ASCII;

TEST(StringCompare, LanguageComparison) {
  struct Case {
    Side a, b;
    int32_t result;
  } cases[] = {
      {{"abc", kU8}, {"ABC", kU8}, 0},
      {{"abc", kU8}, {"abd", kU8}, -1},
      {{"abd", kU8}, {"abc", kU8}, 1},
      {{"ab", kU8}, {"abc", kU8}, -1},
      {{"abc", kU8}, {"ab", kU8}, 1},
      {{nullptr, kU8}, {"a", kU8}, -1},
      {{"a", kU8}, {nullptr, kU8}, 1},
      {{nullptr, kU8}, {nullptr, kU8}, 0},
      // Case partners beyond ASCII, and bytes against code points.
      {{"\xC3\xA9t\xC3\xA9", kU8}, {"\xC3\x89T\xC3\x89", kU8}, 0},
      {{"\xD0\xB4", kU8}, {"\xD0\x94", kU8}, 0},  // Cyrillic de
      {{"z", kU8}, {"\xC3\xA9", kU8}, -1},
      // Letters whose upper case is ASCII are two bytes against one: the
      // text used up first is less, even at the same byte length.
      {{"\xC5\xBF" "a", kU8}, {"SAB", kU8}, -1},  // long s
      {{"IAB", kU8}, {"\xC4\xB1" "a", kU8}, 1},   // dotless i
      {{"\xC5\xBF\xC5\xBF", kU8}, {"SSX", kU8}, -1},
      {{"\xE0\x81\xB4r", kU8}, {"True", kAscii}, -1},  // an overlong "t" and "r" are not "True"
      {{"\xC5\xBF", kU8}, {"S", kU8}, 1},  // both used up: the longer in bytes is greater
      // Letters compare on their upper-case forms: "_" (5F) lies above "A" (41).
      {{"a", kU8}, {"_", kU8}, -1},
      // ASCII and UTF-8 meet as UTF-8; Latin 1 is transcoded first.
      {{"ABC", kAscii}, {"abc", kU8}, 0},
      {{"caf\xE9", kL1}, {"CAF\xC3\x89", kU8}, 0},
      // Other encodings: the locale's order with case ignored.
      {{"abc", kL1}, {"ABC", kL1}, 0},
      {{"a", kL1}, {"B", kL1}, -1},
      {{"B", kAscii}, {"a", kAscii}, 1},
      {{"\xE9", kL1}, {"\xC9", kL1}, 0},
      {{"ab", kL1}, {"AB ", kL1}, -1},
  };
  for (const Case& c : cases) {
    String a = c.a.Get(), b = c.b.Get();
    EXPECT_EQ(RuntimeStringCompare(a.get(), b.get()), c.result)
        << (c.a.text ? c.a.text : "nil") << " / " << (c.b.text ? c.b.text : "nil");
  }
}

TEST(StringCompare, SameRecordIsEqual) {
  String s = Make("x", kU8);
  EXPECT_EQ(RuntimeStringCompare(s.get(), s.get()), 0);
  EXPECT_EQ(s.get()->refCount, 1);
}

TEST(StringCompare, Utf16ComparesCodeUnitsIgnoringCase) {
  struct Case {
    const char16_t* a;
    const char16_t* b;
    int32_t result;
  } cases[] = {
      {u"abc", u"ABC", 0}, {u"abc", u"abd", -1}, {u"ab", u"abc", -1}, {u"\u00E9", u"\u00C9", 0}, {u"b", u"A", 1},
  };
  for (const Case& c : cases) {
    const int32_t n = static_cast<int32_t>(std::char_traits<char16_t>::length(c.a));
    const int32_t m = static_cast<int32_t>(std::char_traits<char16_t>::length(c.b));
    String a = NewStringFromWide(c.a, n), b = NewStringFromWide(c.b, m);
    EXPECT_EQ(RuntimeStringCompare(a.get(), b.get()), c.result);
  }
  // ASCII text meets UTF-16 text as UTF-16.
  String wide = NewStringFromWide(u"Hello", 5);
  EXPECT_EQ(RuntimeStringCompare(Make("hello", kAscii).get(), wide.get()), 0);
}

TEST(StringCompare, NamesAndBinaryReconcileFirst) {
  struct Case {
    Side a, b;
    int names, binary;
  } cases[] = {
      {{"listbox", kAscii}, {"LISTBOX", kAscii}, 0, 1},
      {{"\x8A", QL_ENCODING_UNDEFINED}, {"\x80", QL_ENCODING_UNDEFINED}, 0, 1},
      {{"\x8E", kAscii}, {"E", kAscii}, 1, 1},
      {{"abc", kU8}, {"abd", kU8}, -1, -1},
      {{"ab", kU8}, {"abc", kU8}, -1, -1},
      {{nullptr, kU8}, {nullptr, kU8}, 0, 0},
      {{nullptr, kU8}, {"a", kU8}, -1, -1},
      // Latin 1 against UTF-8: compared after transcoding.
      {{"caf\xE9", kL1}, {"caf\xC3\xA9", kU8}, 0, 0},
      // An undefined encoding compares the raw bytes.
      {{"caf\xE9", QL_ENCODING_UNDEFINED}, {"caf\xC3\xA9", kU8}, 1, 1},
  };
  for (const Case& c : cases) {
    String a = c.a.Get(), b = c.b.Get();
    const char* label = c.a.text ? c.a.text : "nil";
    EXPECT_EQ(CompareNames(a.get(), b.get()), c.names) << label;
    EXPECT_EQ(CompareBinary(a.get(), b.get()), c.binary) << label;
    EXPECT_EQ(CompareNames(b.get(), a.get()), -c.names) << label;
  }
}

}  // namespace
}  // namespace ql
