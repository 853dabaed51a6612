#include <gtest/gtest.h>

#include "core/unicodecase.h"

namespace ql {
namespace {

TEST(UnicodeCase, SimpleMappingsOfTheBasicPlane) {
  struct Case {
    char16_t unit, upper, lower;
  } cases[] = {
      {u'a', u'A', u'a'},           {u'Z', u'Z', u'z'},           {u'1', u'1', u'1'},
      {u'\u00E9', u'\u00C9', u'\u00E9'}, {u'\u00C9', u'\u00C9', u'\u00E9'}, {u'\u00FF', u'\u0178', u'\u00FF'},
      {u'\u00DF', u'\u00DF', u'\u00DF'},  // no simple upper-case partner
      {u'\u0131', u'I', u'\u0131'},       {u'\u212A', u'\u212A', u'k'},  // Kelvin sign
      {u'\u01C5', u'\u01C4', u'\u01C6'},  // title case
      {u'\u0434', u'\u0414', u'\u0434'},  {u'\u03C3', u'\u03A3', u'\u03C3'}, {u'\u03C2', u'\u03A3', u'\u03C2'},
      {u'\uFF41', u'\uFF21', u'\uFF41'},  {u'\uFF3A', u'\uFF3A', u'\uFF5A'}, {u'\u4E00', u'\u4E00', u'\u4E00'},
      {0xD801, 0xD801, 0xD801},  // a surrogate
  };
  for (const Case& c : cases) {
    EXPECT_EQ(UnicodeToUpper(c.unit), c.upper) << std::hex << int(c.unit);
    EXPECT_EQ(UnicodeToLower(c.unit), c.lower) << std::hex << int(c.unit);
  }
  EXPECT_TRUE(HasCasePartner(u'\u00E9'));
  EXPECT_FALSE(HasCasePartner(u','));
}

TEST(UnicodeCase, EveryLetterRoundTripsThroughItsPartner) {
  int pairs = 0;
  for (uint32_t u = 0; u <= 0xFFFF; ++u) {
    const char16_t c = static_cast<char16_t>(u);
    const char16_t upper = UnicodeToUpper(c);
    if (upper != c && UnicodeToLower(upper) == c) ++pairs;
  }
  // Most pairs are symmetric; the table holds a few more one-way mappings.
  EXPECT_GT(pairs, 1000);
  EXPECT_LE(pairs, UnicodeCasePairCount());
}

}  // namespace
}  // namespace ql
