// The dilution page's arithmetic: stock concentration × required volume =
// final concentration × final volume, in double precision and in exactly
// this order of operations.
#pragma once

namespace titrix {

struct DilutionInputs {
  double finalConcentration;  // F, in its unit
  double finalVolume;         // V, in its unit
  double stockConcentration;  // S, in its unit
  double fF;                  // mol/L per final concentration unit
  double fS;                  // mol/L per stock concentration unit
  double fV;                  // litres per final volume unit
  double fR;                  // required volume units per litre
};

// The volume of stock to make up to the final volume, in its unit.
inline double RequiredVolume(const DilutionInputs& in) {
  const double t1 = in.finalConcentration * in.fF;
  const double t2 = t1 * in.finalVolume;
  const double t3 = t2 * in.fV;
  const double t4 = in.fR * t3;
  const double t5 = in.stockConcentration * in.fS;
  return t4 / t5;
}

// A stock weaker than the final solution cannot make it (false when either
// side is undefined).
inline bool StockTooWeak(double stock, double fS, double final, double fF) { return stock * fS < final * fF; }

}  // namespace titrix
