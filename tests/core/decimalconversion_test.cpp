#include "core/decimalconversion.h"

#include <gtest/gtest.h>
#include <math.h>
#include <stdio.h>

#include <random>
#include <string>

namespace ql {
namespace {

enum class Form { Fixed, Exponent };

bool Write(Form form, double value, int decimals, char (&text)[kDecimalTextCapacity]) {
  return form == Form::Fixed ? WriteFixed(value, decimals, text) : WriteExponent(value, decimals, text);
}

// Checks a conversion against the C library's; false when it declines the value.
bool Matches(Form form, double value, int decimals, int* failures) {
  char text[kDecimalTextCapacity];
  if (!Write(form, value, decimals, text)) return false;
  char expected[512];
  snprintf(expected, sizeof expected, form == Form::Fixed ? "%.*f" : "%.*e", decimals, value);
  if (std::string(expected) != text && ++*failures <= 5) {
    ADD_FAILURE() << (form == Form::Fixed ? "%." : "%.") << decimals << (form == Form::Fixed ? "f" : "e") << " of "
                  << std::hexfloat << value << ": " << text << " instead of " << expected;
  }
  return true;
}

TEST(DecimalConversion, Table) {
  struct Case {
    Form form;
    double value;
    int decimals;
    const char* text;
  } cases[] = {
      {Form::Fixed, 0, 3, "0.000"},
      {Form::Fixed, -0.0, 2, "-0.00"},  // printf's sign of zero
      {Form::Fixed, -0.001, 2, "-0.00"},
      {Form::Fixed, 0.125, 2, "0.12"},  // ties go to even
      {Form::Fixed, 0.375, 2, "0.38"},
      {Form::Fixed, 2.5, 0, "2"},
      {Form::Fixed, 3.5, 0, "4"},
      {Form::Fixed, 0.15, 1, "0.1"},  // 0.1499999999999999944...
      {Form::Fixed, 1.005, 2, "1.00"},
      {Form::Fixed, 999999.99, 1, "1000000.0"},
      {Form::Fixed, 5e-324, 13, "0.0000000000000"},
      {Form::Fixed, 9.2233720368547e18, 0, "9223372036854700032"},
      {Form::Exponent, 0, 6, "0.000000e+00"},
      {Form::Exponent, -0.0, 0, "-0e+00"},
      {Form::Exponent, 125, 1, "1.2e+02"},  // a tie in whole numbers
      {Form::Exponent, 135, 1, "1.4e+02"},
      {Form::Exponent, 1.25, 1, "1.2e+00"},
      {Form::Exponent, 12011012.011, 6, "1.201101e+07"},
      {Form::Exponent, 9.9999996e6, 6, "1.000000e+07"},  // rounds up to the next power
      {Form::Exponent, 999999.95, 6, "9.999999e+05"},    // 999999.94999999995...
      {Form::Exponent, 1e-7, 6, "1.000000e-07"},
      {Form::Exponent, -1.5e17, 17, "-1.50000000000000000e+17"},
      {Form::Exponent, 99999999999999.98, 17, "9.99999999999999844e+13"},  // just below a power of ten
  };
  for (const Case& c : cases) {
    char text[kDecimalTextCapacity];
    ASSERT_TRUE(Write(c.form, c.value, c.decimals, text)) << c.text;
    EXPECT_STREQ(text, c.text);
  }
}

TEST(DecimalConversion, DeclinesWhatItCannotWrite) {
  struct Case {
    Form form;
    double value;
    int decimals;
  } cases[] = {
      {Form::Fixed, INFINITY, 2},     {Form::Fixed, NAN, 1},       {Form::Fixed, 1.0, 18},
      {Form::Fixed, 1.0, -1},         {Form::Fixed, 9.3e18, 0},    {Form::Fixed, 1e6, 17},
      {Form::Exponent, -INFINITY, 6}, {Form::Exponent, NAN, 6},    {Form::Exponent, 1.0, 18},
      {Form::Exponent, 1e19, 6},      {Form::Exponent, 1e-22, 6},   {Form::Exponent, 5e-324, 0},
  };
  for (const Case& c : cases) {
    char text[kDecimalTextCapacity] = "untouched";
    EXPECT_FALSE(Write(c.form, c.value, c.decimals, text)) << c.value << " " << c.decimals;
    EXPECT_STREQ(text, "untouched");
  }
}

// Values of every size and bit pattern, and exact ties, against printf for
// every number of decimals taken.
TEST(DecimalConversion, MatchesPrintf) {
  std::mt19937_64 random(20261211);
  int failures = 0, fixed = 0, exponent = 0;
  for (int i = 0; i < 200000; ++i) {
    // A random mantissa at a random binary exponent from 2^-60 to 2^64.
    double value = ldexp(static_cast<double>(random() >> 11), static_cast<int>(random() % 125) - 113);
    if (i % 2) value = -value;
    fixed += Matches(Form::Fixed, value, i % (kMostFixedDecimals + 1), &failures);
    exponent += Matches(Form::Exponent, value, i % (kMostExponentDecimals + 1), &failures);
    // odd / 2^(d+1) lies halfway between two values of d decimals.
    const int d = i % (kMostFixedDecimals + 1);
    EXPECT_TRUE(Matches(Form::Fixed, ldexp(static_cast<double>(random() >> 40 | 1), -(d + 1)), d, &failures));
    // A whole number ending in 5 followed by zeros lies halfway in the exponent form.
    const int places = 1 + i % 12;
    const double tie = static_cast<double>((random() >> 44) * 10 + 5) * pow(10, places - 1);
    Matches(Form::Exponent, tie, static_cast<int>(floor(log10(tie))) - places, &failures);
  }
  EXPECT_EQ(failures, 0);
  EXPECT_GT(fixed, 100000);  // most of the range is the converters'
  EXPECT_GT(exponent, 100000);
}

// What Str writes, from 10^-7 to 10^15 with 7 significant digits.
TEST(DecimalConversion, TakesEveryValueStrWrites) {
  std::mt19937_64 random(7);
  int failures = 0;
  for (int i = 0; i < 100000; ++i) {
    const double unit = 0.1 + 0.9 * ldexp(static_cast<double>(random() >> 11), -53);  // in [0.1, 1)
    const double value = unit * pow(10, static_cast<int>(random() % 22) - 6);
    const bool exponent = value > 1000000.0 || value < 0.00001;
    int integerDigits = 0;
    for (double m = value; m >= 1; m /= 10) ++integerDigits;
    const bool taken = exponent ? Matches(Form::Exponent, value, 6, &failures)
                                : Matches(Form::Fixed, value, 7 - integerDigits, &failures);
    EXPECT_TRUE(taken) << value;
  }
  EXPECT_EQ(failures, 0);
}

}  // namespace
}  // namespace ql
