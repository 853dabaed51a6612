// The solution page's arithmetic: mass = concentration × volume × M.W., solved
// for the quantity the mode selects, in double precision and in exactly this
// order of operations.
#pragma once

#include <stdint.h>

namespace titrix {

// The inputs, read once per press.
struct SolutionInputs {
  double concentration;  // c, in its unit
  double volume;         // v, in its unit
  double mass;           // m, in its unit
  double fC;             // mol/L per concentration unit
  double fV;             // litres per volume unit
  double fM;             // mass units per gram
};

// The quantities, by calculate_what.ListIndex.
enum : int32_t { kMassMode = 0, kVolumeMode = 1, kMolarityMode = 2 };

// The computed quantity for `mode` with molecular weight `mw`, in its unit;
// false for a mode that computes nothing.
inline bool SolveSolution(int32_t mode, const SolutionInputs& in, double mw, double& result) {
  if (mode == kMassMode) {
    const double t1 = in.concentration * in.fC;
    const double t2 = mw * t1;
    const double t3 = in.volume * in.fV;
    const double t4 = t2 * t3;
    result = t4 * in.fM;
  } else if (mode == kVolumeMode) {
    const double g = in.mass / in.fM;
    const double t2 = mw * in.concentration;
    const double t3 = t2 * in.fC;
    const double t4 = g / t3;
    result = t4 / in.fV;
  } else if (mode == kMolarityMode) {
    const double g = in.mass / in.fM;
    const double t2 = mw * in.volume;
    const double t3 = t2 * in.fV;
    const double t4 = g / t3;
    result = t4 / in.fC;
  } else {
    return false;
  }
  return true;
}

}  // namespace titrix
