// What a run derives from a chemical's values as read, before any pathway uses them.
#pragma once

#include "core/failure.hpp"
#include "vorn/records.hpp"

namespace vorn {

// 5/18: an inhalation reference concentration (mg/m³) turned into a dose (mg/kg-day).
inline constexpr double kOrdiConversion = 0.2777777777777778;
// Concentrations not above 0 are taken as this (mg/L, mg/kg).
inline constexpr double kConcentrationFloor = 1.0E-10;

inline double inhalation_dose(double ordi) {
  return ordi * kOrdiConversion;
}

// ORGANIC must be 0 or 1.
Failure check_organic(const Chemical& c);

// In place, from the values as read: the organic flag checked, CARCTYPE as "C" or "N",
// a missing ECOCHRON as 0, a positive ORDI as a dose, TCLPCONC and TOTC not above 0 as
// the floor (a NaN is kept).
Failure derive_chemical(Chemical& c);

}  // namespace vorn
