// The unit pop-ups of both pages: each row's text and its factor, in the
// order the rows are added, so a ListIndex selects both. A ListIndex that is
// no row (no selection) gives the factor 0.
#pragma once

#include <stddef.h>
#include <stdint.h>

#include "quillon/static_string.h"

namespace titrix {

struct Unit {
  RuntimeString* name;  // the row's text
  double factor;
};

template <size_t N>
constexpr double FactorAt(const Unit (&units)[N], int32_t listIndex) {
  return listIndex >= 0 && static_cast<size_t>(listIndex) < N ? units[listIndex].factor : 0;
}

// --- Solutions ---
// Concentration: mol/L per unit.
constexpr Unit kSolutionConcentrations[] = {
    {QL_STR("molar"), 1},          {QL_STR("millimolar"), 0.001}, {QL_STR("micromolar"), 1e-6},
    {QL_STR("nanomolar"), 1e-9},   {QL_STR("picomolar"), 1e-12},  {QL_STR("femtomolar"), 1e-15},
};
// Volume: litres per unit.
constexpr Unit kSolutionVolumes[] = {
    {QL_STR("kiloliter"), 1000}, {QL_STR("liter"), 1}, {QL_STR("milliliter"), 0.001}, {QL_STR("microliter"), 1e-6},
};
// Mass: units per gram (the other way round).
constexpr Unit kSolutionMasses[] = {
    {QL_STR("kilogram"), 0.001}, {QL_STR("gram"), 1}, {QL_STR("milligram"), 1000}, {QL_STR("microgram"), 1e6},
};

// --- Dilutions: the smallest unit first ---
// Stock and final concentration: mol/L per unit.
constexpr Unit kDilutionConcentrations[] = {
    {QL_STR("femtomolar"), 1e-15}, {QL_STR("picomolar"), 1e-12}, {QL_STR("nanomolar"), 1e-9},
    {QL_STR("micromolar"), 1e-6},  {QL_STR("millimolar"), 0.001}, {QL_STR("molar"), 1},
};
// Final volume: litres per unit.
constexpr Unit kFinalVolumes[] = {
    {QL_STR("nanoliter"), 1e-9}, {QL_STR("microliter"), 1e-6}, {QL_STR("milliliter"), 0.001}, {QL_STR("liter"), 1},
};
// Required volume: units per litre (the same rows).
constexpr Unit kRequiredVolumes[] = {
    {QL_STR("nanoliter"), 1e9}, {QL_STR("microliter"), 1e6}, {QL_STR("milliliter"), 1000}, {QL_STR("liter"), 1},
};

}  // namespace titrix
