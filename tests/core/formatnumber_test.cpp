#include <gtest/gtest.h>
#include <math.h>
#include <stdio.h>
#include <string.h>

#include <random>
#include <string>

#include "core/formatnumber.h"
#include "quillon/entrypoints/strings.h"

namespace ql {
namespace {

std::string Str(double value) {
  String s = String::Adopt(StringStr(value));
  EXPECT_TRUE(s.empty() || s.encoding() == QL_ENCODING_ASCII);
  return std::string(s.text(), static_cast<size_t>(s.length()));
}

TEST(FormatNumber, StrResults) {
  struct Case {
    double value;
    const char* text;
  } cases[] = {
      {0, "0"},
      {-0.0, "0"},
      {123.456, "123.456"},
      {0.5, "0.5"},
      {1.0 / 3, "0.3333333"},
      {2.0 / 3, "0.6666667"},
      {1234567.8, "1.234568e+6"},
      {1000000, "1000000"},
      {1000001, "1.000001e+6"},
      {999999.99, "1000000"},
      {0.00001, "0.00001"},
      {0.000009, "9.000000e-06"},
      {0.000001234, "1.234000e-06"},
      {-42, "-42"},
      {-0.25, "-0.25"},
      {1e300, "1.000000e+300"},
      {1e10, "1.000000e+10"},
      {-1234567.8, "-1.234568e+6"},
      {12345.678, "12345.68"},
      {1.5e-300, "1.500000e-300"},
      {INFINITY, "inf"},
      {-INFINITY, "-inf"},
      {NAN, "nan"},
  };
  for (const Case& c : cases) EXPECT_EQ(Str(c.value), c.text) << c.text;
}

std::string Text(const String& s) { return std::string(s.text(), static_cast<size_t>(s.length())); }

TEST(FormatNumber, FixedAndExponentForms) {
  struct Case {
    double value;
    NumberForm form;
    int digits;
    const char* text;
  } cases[] = {
      {1234567.8, NumberForm::Fixed, 7, "1234568"},
      {1e20, NumberForm::Fixed, 7, "100000000000000000000"},
      {-0.00000001, NumberForm::Fixed, 7, "0"},
      {INFINITY, NumberForm::Fixed, 7, "inf"},
      {42, NumberForm::Exponent, 3, "4.20e+1"},
      {5, NumberForm::Exponent, 1, "5e+0"},
      {0.1, NumberForm::Automatic, 15, "0.1"},
      {1.0 / 3, NumberForm::Automatic, 0, "0.3"},  // one digit at least
      // Ties and near-ties through the choice of decimals: the digits are
      // those of the binary value, also where the C library still writes them.
      {0.125, NumberForm::Fixed, 2, "0.12"},  // a tie goes to even
      {1.005, NumberForm::Fixed, 3, "1"},     // 1.00499999999999989...
      {2.675, NumberForm::Exponent, 3, "2.67e+0"},
      {9.995, NumberForm::Automatic, 3, "9.99"},
      {9.9999996, NumberForm::Automatic, 7, "10"},
      {5e-324, NumberForm::Exponent, 3, "4.94e-324"},  // beyond the fast conversion
      {1.5e19, NumberForm::Fixed, 20, "15000000000000000000"},
  };
  for (const Case& c : cases) EXPECT_EQ(Text(FormatNumber(c.value, c.form, c.digits)), c.text) << c.text;
}

// The exponent form against the C library's %.*e over values of every
// magnitude and every count of digits a double holds.
TEST(FormatNumber, ExponentFormMatchesPrintf) {
  std::mt19937_64 random(20261211);
  int mismatches = 0;
  for (int i = 0; i < 20000 && mismatches < 5; ++i) {
    uint64_t bits = random();
    double value;
    memcpy(&value, &bits, sizeof value);
    if (!isfinite(value)) continue;
    const int digits = 1 + i % 17;
    char expected[512];
    snprintf(expected, sizeof expected, "%.*e", digits - 1, value == 0 ? 0.0 : value);
    if (char* e = strstr(expected, "e+0")) memmove(e + 2, e + 3, strlen(e + 3) + 1);
    const std::string text = Text(FormatNumber(value, NumberForm::Exponent, digits));
    if (text != expected) {
      ++mismatches;
      ADD_FAILURE() << "bits " << std::hex << bits << std::dec << ", " << digits << " digits: " << text
                    << " instead of " << expected;
    }
  }
}

TEST(FormatNumber, LargestFixedTextFits) {
  String s = FormatNumber(-1.7976931348623157e308, NumberForm::Fixed, 100);
  EXPECT_EQ(s.length(), 310);
  EXPECT_EQ(s.text()[0], '-');
}

}  // namespace
}  // namespace ql
