// Indoor air model: three well-mixed compartments fed by water used in the home.
#pragma once

#include "indoor/indoor_model.hpp"

namespace vorn {

// Average compartment concentrations over the three phases of use, for well
// concentration cw (mg/L) and the dimensionless Henry coefficient hd.
inline IndoorAverages indoorair(double hd, double diffw, double diffa, double cw) {
  return indoor_model(IndoorInputs{hd, diffw, diffa, cw});
}
inline IndoorAverages indoorair(const IndoorInputs& in) {
  return indoor_model(in);
}

}  // namespace vorn
