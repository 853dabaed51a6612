#include <gtest/gtest.h>
#include <math.h>
#include <string.h>

#include "core/parsenumber.h"
#include "quillon/entrypoints/strings.h"

namespace ql {
namespace {

String Make(const char* text, uint32_t encoding = QL_ENCODING_UTF8) {
  return NewStringFromBytes(text, static_cast<int32_t>(strlen(text)), encoding);
}

TEST(ParseNumber, ValResults) {
  struct Case {
    const char* text;
    double value;
  } cases[] = {
      {"&hFF", 255},       {"&HFFFFFFFF", -1},  {"&b101", 5},         {"&o17", 15},     {"&x1", 0},
      {"&", 0},            {"&h", 0},           {"&h1_0", 16},        {"&o19", 1},      {"&hff", 255},
      {"&h1G", 32},        {"&h100000001", 1},  {"  12.5abc", 12.5},  {"1,234.5", 1},   {"-3e2", -300},
      {"+4", 4},           {"--4", 0},          {"+-4", 0},           {".5", 0.5},      {"1.", 1},
      {"1e", 1},           {"1e+", 1},          {"2E3", 2000},        {"abc", 0},       {"", 0},
      {"\t\n 7", 7},       {"0x10", 0},         {"1e400", HUGE_VAL},  {"-1e400", -HUGE_VAL},
      {"1e-400", 0},       {"0.000e999", 0},    {"12345678901234567890", 12345678901234567890.0},
  };
  for (const Case& c : cases) {
    String s = Make(c.text);
    EXPECT_EQ(StringVal(s.get()), c.value) << c.text;
  }
  EXPECT_EQ(StringVal(nullptr), 0);
}

TEST(ParseNumber, InfinityAndNaNAreRead) {
  String inf = Make("inf"), nan = Make("nan");
  EXPECT_EQ(StringVal(inf.get()), HUGE_VAL);
  EXPECT_TRUE(isnan(StringVal(nan.get())));
}

TEST(ParseNumber, Utf16TextIsReadAsUtf8) {
  String wide = NewStringFromWide(u"&h1F", 4);
  EXPECT_EQ(StringVal(wide.get()), 31);
  String decimal = NewStringFromWide(u" 2.5", 4);
  EXPECT_EQ(StringVal(decimal.get()), 2.5);
}

TEST(ParseNumber, LocaleSeparators) {
  const platform::LocaleSeparators european = {",", "."};
  const platform::LocaleSeparators us = {".", ","};
  const platform::LocaleSeparators none = {"", ""};
  const platform::LocaleSeparators nbsp = {",", "\xA0"};  // as the system's code page gives it
  struct Case {
    const char* text;
    uint32_t encoding;
    const platform::LocaleSeparators* separators;
    double value;
  } cases[] = {
      {"1.234,5", QL_ENCODING_UTF8, &european, 1234.5},
      {"1,234.5", QL_ENCODING_UTF8, &us, 1234.5},
      {"1,234.5", QL_ENCODING_UTF8, &none, 1},
      {"12,5", QL_ENCODING_ASCII, &european, 12.5},
      {"1\xC2\xA0" "234,5", QL_ENCODING_UTF8, &nbsp, 1234.5},
      {"1\xA0" "234,5", QL_ENCODING_WINLATIN1, &nbsp, 1234.5},
  };
  for (const Case& c : cases) {
    String s = Make(c.text, c.encoding);
    EXPECT_EQ(ParseLocaleNumber(s.get(), *c.separators), c.value) << c.text;
  }
  EXPECT_EQ(ParseLocaleNumber(nullptr, us), 0);
  String wide = NewStringFromWide(u"3.5", 3);
  EXPECT_EQ(ParseLocaleNumber(wide.get(), us), 3.5);
}

TEST(ParseNumber, CDblUsesTheUserSeparators) {
  // The test systems use the US separators.
  String s = Make("1,234.5");
  EXPECT_EQ(runCDbl(s.get()), 1234.5);
  EXPECT_EQ(runCDbl(nullptr), 0);
}

}  // namespace
}  // namespace ql
