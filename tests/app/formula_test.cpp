// The formula scan against a stand-in element table, with the runtime's own
// Str, Val, Mid, Len and Asc.
#include "app/formula.h"

#include <gtest/gtest.h>
#include <stdio.h>
#include <string.h>

#include <chrono>
#include <string>
#include <vector>

#include "core/string.h"

namespace titrix {
namespace {

using quillon::String;

String Make(const std::string& text) {
  return String::Adopt(ql::NewStringFromBytes(text.data(), static_cast<int32_t>(text.size()), QL_ENCODING_UTF8).release());
}

std::string Bytes(const String& s) { return s.empty() ? "" : std::string(s.get()->text + 1, s.get()->length); }

// The element table and the page around the scan.
struct Table {
  std::vector<std::pair<std::string, std::string>> rows;  // symbol, weight cell
  std::vector<std::string> sums;                          // the sum after each symbol
  int parentheses = 0;
  long served = 0;
  long stopAfterServes = -1;  // Serve answers false from then on

  int32_t Rows() { return static_cast<int32_t>(rows.size()); }
  String Symbol(int32_t row) { return Make(rows[row].first); }
  String Weight(int32_t row) { return Make(rows[row].second); }
  bool Serve() {
    ++served;
    return stopAfterServes < 0 || served <= stopAfterServes;
  }
  void RefuseParentheses() { ++parentheses; }
  bool SymbolRead(const String& sum) {
    sums.push_back(Bytes(sum));
    return true;
  }
};

Table Elements() {
  Table t;
  t.rows = {{"H", "1.00794"}, {"C", "12.011"}, {"N", "14.007"}, {"O", "15.9994"},
            {"Na", "22.98976928"}, {"Cl", "35.45"}, {"Ca", "40.078"}, {"Ho", "164.930329"}};
  return t;
}

// Str's text of a number from 1 up to 1e6: seven significant digits, fixed,
// trailing zeros dropped (the C library's formatting, independent of the runtime).
std::string SevenDigits(double x) {
  int integerDigits = 0;
  for (double a = x; a >= 1; a /= 10) ++integerDigits;
  char text[64];
  snprintf(text, sizeof text, "%.*f", 7 - integerDigits, x);
  std::string s = text;
  if (s.find('.') != std::string::npos) {
    s.erase(s.find_last_not_of('0') + 1);
    if (s.back() == '.') s.pop_back();
  }
  return s;
}

TEST(FormulaScan, SumsAfterEverySymbol) {
  const struct Case {
    const char* formula;
    std::vector<std::string> sums;  // after each symbol; the last one stands
  } cases[] = {
      {"H2O", {"2.01588", "18.01528"}},
      {"NaCl", {"22.98977", "58.43977"}},  // each sum rounded to seven digits before the next atom
      {"C6H12O6", {"72.066", "84.16128", "180.1577"}},
      {"C12", {"144.132"}},
      // Lower-case letters extend the symbol wherever they follow it.
      {"C6a", {"240.468"}},
      {"h2o", {"329.8606"}},  // the symbol "ho", matched ignoring case: holmium twice
      // A leading number is a symbol of its own that matches nothing.
      {"2H2O", {"", "2.01588", "18.01528"}},
      // "C 6H": C with the count 6, then "6" and H; the space is never looked up.
      {"C 6H", {"72.066", "72.066", "73.07394"}},
      {"C0", {""}},
      {"Xx", {""}},
      {"", {}},
  };
  for (const Case& c : cases) {
    Table t = Elements();
    const FormulaSum sum = ScanFormula(Make(c.formula), t);
    EXPECT_TRUE(sum.finished) << c.formula;
    EXPECT_EQ(t.sums, c.sums) << c.formula;
    EXPECT_EQ(Bytes(sum.weight), c.sums.empty() ? "" : c.sums.back()) << c.formula;
    EXPECT_EQ(t.parentheses, 0) << c.formula;
  }
}

TEST(FormulaScan, ParenthesesAreRefusedOnceAndTheLastCharacterIsRead) {
  Table t = Elements();
  const FormulaSum sum = ScanFormula(Make("(CH2O)6"), t);
  EXPECT_EQ(t.parentheses, 1);
  EXPECT_EQ(t.sums, std::vector<std::string>{""}) << "only the symbol 6, which matches nothing";
  EXPECT_TRUE(sum.finished);

  Table after = Elements();
  ScanFormula(Make("NaCl(OH)2"), after);
  EXPECT_EQ(after.parentheses, 1);
  EXPECT_EQ(after.sums, (std::vector<std::string>{"22.98977", "58.43977", "58.43977"}));
}

TEST(FormulaScan, EveryRowOfAMatchingSymbolAdds) {
  Table t;
  t.rows = {{"C", "12"}, {"c", "1"}, {"", ""}, {"C", "not a number"}};
  ScanFormula(Make("C2"), t);
  EXPECT_EQ(t.sums, std::vector<std::string>{"26"});
}

TEST(FormulaScan, EachAtomIsRoundedBeforeTheNext) {
  // Above 100 the sums of hydrogen keep four decimals, so the rounding of
  // every single sum shows in the result.
  Table t = Elements();
  ScanFormula(Make("H250"), t);
  std::string expected;
  double sum = 0;
  for (int k = 0; k < 250; ++k) {
    expected = SevenDigits(1.00794 + sum);
    sum = strtod(expected.c_str(), nullptr);
  }
  ASSERT_EQ(t.sums.size(), 1u);
  EXPECT_EQ(t.sums[0], expected);
  EXPECT_NE(expected, SevenDigits(1.00794 * 250)) << "the case must tell the two ways apart";
}

TEST(FormulaScan, HugeCountsAreMultipliedAndRoundedOnce) {
  const struct Case {
    const char* formula;
    const char* sum;
  } cases[] = {
      {"C3000001", "3.603301e+7"},
      {"C2147483647", "2.579343e+10"},
      {"C2147483648", "2.579343e+10"},
      {"H99999999999999999999", "1.007940e+20"},
      {"O3000001H", "4.799822e+7"},
  };
  for (const Case& c : cases) {
    Table t = Elements();
    const auto start = std::chrono::steady_clock::now();
    ScanFormula(Make(c.formula), t);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(100)) << c.formula;
    ASSERT_FALSE(t.sums.empty()) << c.formula;
    EXPECT_EQ(t.sums.back(), c.sum) << c.formula;
  }
}

TEST(FormulaScan, CountsUpToTheSwitchAreStillAddedOneByOne) {
  Table t = Elements();
  ScanFormula(Make("C3000000"), t);
  EXPECT_GE(t.served, kAtomsAddedOneByOne) << "a background task after every atom";
  ASSERT_EQ(t.sums.size(), 1u);
  EXPECT_NE(t.sums[0], "3.603300e+7") << "one rounding per atom, not one multiplication";
}

TEST(FormulaScan, AHostThatStopsEndsTheScan) {
  for (long stopAfter : {0L, 1L, 5L, 20L}) {
    Table t = Elements();
    t.stopAfterServes = stopAfter;
    const FormulaSum sum = ScanFormula(Make("C6H12O6"), t);
    EXPECT_FALSE(sum.finished) << stopAfter;
    EXPECT_LT(t.sums.size(), 3u) << stopAfter;
  }
  Table t = Elements();
  t.stopAfterServes = 10;
  ScanFormula(Make("C900000"), t);
  EXPECT_LT(t.served, 100) << "the repeated addition stops too";
}

}  // namespace
}  // namespace titrix
