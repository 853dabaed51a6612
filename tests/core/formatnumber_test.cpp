#include <gtest/gtest.h>
#include <math.h>

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
  };
  for (const Case& c : cases) {
    String s = FormatNumber(c.value, c.form, c.digits);
    EXPECT_EQ(std::string(s.text(), static_cast<size_t>(s.length())), c.text) << c.text;
  }
}

TEST(FormatNumber, LargestFixedTextFits) {
  String s = FormatNumber(-1.7976931348623157e308, NumberForm::Fixed, 100);
  EXPECT_EQ(s.length(), 310);
  EXPECT_EQ(s.text()[0], '-');
}

}  // namespace
}  // namespace ql
