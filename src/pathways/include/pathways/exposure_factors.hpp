// Exposure factors: the risk per unit concentration from a slope factor (kg-day/mg), and the
// hazard quotient per unit concentration from a reference dose (mg/kg-day). Each is written as
// its pathway writes it; where two pathways write one factor in two spellings, the results
// differ in the last bit, and each pathway keeps its own.
#pragma once

namespace vorn {

// The time a cancer risk is averaged over: a lifetime of 75 years, in days.
inline constexpr double kCancerAveragingDays = 27375;  // d

// Inhalation, cancer: risk per mg/m³ of air (the unit's air and the indoor air alike).
inline double inhalation_fci(double csfi) {
  return 3733.3345 * csfi / kCancerAveragingDays;
}
// Inhalation, non-cancer: hazard per mg/m³, the air pathways' spelling...
inline double air_fni(double ordi) {
  return 2.1e5 / (72 * ordi * 30 * 365);
}
// ... and the indoor air's, whose last bit differs from air_fni's.
inline double indoor_fni(double ordi) {
  return 2.1e5 / (788400 * ordi);
}
// Drinking water, cancer: risk per mg/L (surface water and groundwater alike).
inline double drinking_fcw(double csfo) {
  return 374.5 * csfo / kCancerAveragingDays;
}
// Drinking water, non-cancer: hazard per mg/L, the surface water's spelling...
inline double surface_water_fnw(double ordo) {
  return 21000 / (72 * ordo * 30 * 365);
}
// ... and the groundwater's, whose last bit differs from surface_water_fnw's.
inline double groundwater_fnw(double ordo) {
  return 21000 / (788400 * ordo);
}
// Soil ingestion: risk and hazard per mg/kg of soil.
inline double soil_fcs(double csfo) {
  return 39550 * csfo / kCancerAveragingDays / 1e6;
}
inline double soil_fns(double ordo) {
  return 4.2e5 / (15 * ordo * 6 * 365) / 1e6;
}

}  // namespace vorn
