// Indoor air model: three well-mixed compartments fed by water used in the home.
#pragma once

namespace vorn {

// Dimensionless Henry coefficient, diffusivities in water and air (cm²/s) and the well
// concentration (mg/L).
struct IndoorInputs {
  double Hd, DIFFW, DIFFA, Cw;
};

// Average compartment concentrations (mg/m³) over the three phases of use.
struct IndoorAverages {
  double A1, A2, A3;
};

IndoorAverages indoorair(double hd, double diffw, double diffa, double cw);
inline IndoorAverages indoorair(const IndoorInputs& in) {
  return indoorair(in.Hd, in.DIFFW, in.DIFFA, in.Cw);
}

}  // namespace vorn
