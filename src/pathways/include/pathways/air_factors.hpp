// What the air pathways of the surface step share: the dispersion to the receptor and the
// slots of a pathway.
#pragma once

#include "vorn/records.hpp"

namespace vorn {

// Dispersion from the unit to the receptor, s/m³ (air concentration per emission rate).
inline double air_dispersion(const WasteUnit& wu) {
  return 0.30449999999999994 / (4 * wu.WU_DISP2 * wu.WU_DISP1);
}
// Slots of one air pathway.
struct AirSlots {
  double& risk;
  double& cc;
  double& hq;
  double& cn;
};

}  // namespace vorn
