// Factors shared by the air pathways of the surface step.
#pragma once

#include "vorn/records.hpp"

namespace vorn {

// Dispersion from the unit to the receptor, s/m³ (air concentration per emission rate).
inline double air_dispersion(const WasteUnit& wu) {
  return 0.30449999999999994 / (4 * wu.WU_DISP2 * wu.WU_DISP1);
}
// Exposure factors: risk per (mg/m³) from the slope factor CSFI (kg-day/mg), and hazard per
// (mg/m³) from the reference dose ORDI (mg/kg-day); inhalation, cancer and non-cancer.
inline double air_fci(double csfi) {
  return 3733.3345 * csfi / 27375;
}
inline double air_fni(double ordi) {
  return 2.1e5 / (72 * ordi * 30 * 365);
}
// Soil ingestion: risk and hazard per (mg/kg) of soil from CSFO and ORDO.
inline double air_fcs(double csfo) {
  return 39550 * csfo / 27375 / 1e6;
}
inline double air_fns(double ordo) {
  return 4.2e5 / (15 * ordo * 6 * 365) / 1e6;
}

// Slots of one air pathway.
struct AirSlots {
  double& risk;
  double& cc;
  double& hq;
  double& cn;
};

}  // namespace vorn
