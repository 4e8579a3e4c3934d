// Indoor air model: three well-mixed compartments fed by water used in the home.
#pragma once

namespace vorn {

struct IndoorAverages {
  double A1, A2, A3;
};

// Average compartment concentrations over the three phases of use, for well
// concentration Cw and the dimensionless Henry coefficient Hd.
IndoorAverages indoorair(double Hd, double DIFFW, double DIFFA, double Cw);

}  // namespace vorn
