// The solution and dilution arithmetic with the pop-ups' unit factors, shown
// as Str shows it.
#include <gtest/gtest.h>

#include <string>

#include "app/dilution.h"
#include "app/solution.h"
#include "app/units.h"
#include "quillon/entrypoints/strings.h"

namespace titrix {
namespace {

std::string Str(double value) {
  RuntimeString* s = StringStr(value);
  std::string text = s ? std::string(s->text + 1, s->length) : "";
  RuntimeUnlockString(s);
  return text;
}

// Pop-up positions of the solution page.
enum { kMolar = 0, kMillimolar = 1, kMicromolar = 2 };
enum { kLiter = 1, kMilliliter = 2 };
enum { kKilogram = 0, kGram = 1, kMilligram = 2 };

TEST(SolutionCalculation, ModesWithTheirUnits) {
  const struct Case {
    int32_t mode;
    double c, v, m, mw;
    int32_t concUnit, volUnit, massUnit;
    const char* shown;
  } cases[] = {
      // 1 mM × 250 mL of glucose, in grams.
      {kMassMode, 1, 250, 0, 180.1559, kMillimolar, kMilliliter, kGram, "0.045039"},
      {kMassMode, 1, 250, 0, 180.1559, kMillimolar, kMilliliter, kMilligram, "45.03898"},
      {kMassMode, 0, 0, 0, 58.44, kMillimolar, kMilliliter, kGram, "0"},  // empty fields read as 0
      {kMassMode, 2.5, 1, 0, 1e6, kMolar, kLiter, kGram, "2.500000e+6"},
      {kVolumeMode, 1, 0, 1, 1000, kMolar, kLiter, kKilogram, "1"},
      {kVolumeMode, 0, 0, 5, 100, kMolar, kLiter, kGram, "inf"},  // a zero concentration
      {kMolarityMode, 0, 1, 500, 100, kMolar, kLiter, kMilligram, "0.005"},
      {kMolarityMode, 0, 1, 500, 100, kMillimolar, kLiter, kMilligram, "5"},
      {kMolarityMode, 0, 0, 0, 0, kMolar, kLiter, kGram, "-nan"},  // 0 / 0: the machine's NaN carries a sign
  };
  for (const Case& c : cases) {
    const SolutionInputs in{c.c, c.v, c.m, FactorAt(kSolutionConcentrations, c.concUnit),
                            FactorAt(kSolutionVolumes, c.volUnit), FactorAt(kSolutionMasses, c.massUnit)};
    double result = -1;
    ASSERT_TRUE(SolveSolution(c.mode, in, c.mw, result)) << c.shown;
    EXPECT_EQ(Str(result), c.shown) << "mode " << c.mode;
  }
  double untouched = 7;
  EXPECT_FALSE(SolveSolution(3, SolutionInputs{1, 1, 1, 1, 1, 1}, 1, untouched));
  EXPECT_FALSE(SolveSolution(-1, SolutionInputs{1, 1, 1, 1, 1, 1}, 1, untouched));
  EXPECT_EQ(untouched, 7);
}

TEST(UnitFactors, RowsAndFactorsByPosition) {
  EXPECT_EQ(FactorAt(kSolutionConcentrations, 5), 1e-15);
  EXPECT_EQ(FactorAt(kDilutionConcentrations, 0), 1e-15) << "the dilution page lists femtomolar first";
  EXPECT_EQ(FactorAt(kDilutionConcentrations, 5), 1);
  EXPECT_EQ(FactorAt(kSolutionVolumes, 0), 1000);
  EXPECT_EQ(FactorAt(kSolutionMasses, 3), 1e6);
  EXPECT_EQ(FactorAt(kFinalVolumes, 0), 1e-9);
  EXPECT_EQ(FactorAt(kRequiredVolumes, 0), 1e9);
  for (int32_t noRow : {-1, 4, 6, INT32_MIN, INT32_MAX}) {
    EXPECT_EQ(FactorAt(kSolutionVolumes, noRow), 0) << noRow;
    EXPECT_EQ(FactorAt(kSolutionConcentrations, noRow == 4 ? 6 : noRow), 0) << noRow;
  }
}

// Pop-up positions of the dilution page.
enum { kDMicromolar = 3, kDMillimolar = 4, kDMolar = 5 };
enum { kDMilliliter = 2, kDLiter = 3 };

TEST(DilutionCalculation, RequiredVolumeAndTheWeakStockCheck) {
  const struct Case {
    double stock, final, volume;
    int32_t stockUnit, finalUnit, volumeUnit, resultUnit;
    const char* shown;
    bool weak;
  } cases[] = {
      {1, 100, 50, kDMolar, kDMillimolar, kDMilliliter, kDMilliliter, "5", false},
      {1, 100, 50, kDMolar, kDMillimolar, kDMilliliter, kDLiter, "0.005", false},
      {10, 20, 1, kDMillimolar, kDMillimolar, kDMilliliter, kDMilliliter, "2", true},
      {5, 5, 3, kDMicromolar, kDMicromolar, kDLiter, kDLiter, "3", false},  // as strong as the final solution
      {0, 1, 1, kDMolar, kDMolar, kDLiter, kDLiter, "inf", true},
      {0, 0, 1, kDMolar, kDMolar, kDLiter, kDLiter, "-nan", false},         // undefined: no message
      {1, 1, 1, kDMolar, kDMolar, kDLiter, -1, "0", false},                 // no unit selected: factor 0
  };
  for (const Case& c : cases) {
    const DilutionInputs in{c.final,
                            c.volume,
                            c.stock,
                            FactorAt(kDilutionConcentrations, c.finalUnit),
                            FactorAt(kDilutionConcentrations, c.stockUnit),
                            FactorAt(kFinalVolumes, c.volumeUnit),
                            FactorAt(kRequiredVolumes, c.resultUnit)};
    EXPECT_EQ(Str(RequiredVolume(in)), c.shown) << c.stock << " / " << c.final;
    EXPECT_EQ(StockTooWeak(c.stock, in.fS, c.final, in.fF), c.weak) << c.stock << " / " << c.final;
  }
}

}  // namespace
}  // namespace titrix
