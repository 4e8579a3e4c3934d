// The dermal constants of an organic chemical from its molecular weight and skin
// permeability, by the standard dermal-assessment relations.
#pragma once

namespace vorn::chemicals {

struct DermalConstants {
  double TAU;    // lag time, h: 0.105 × 10^(0.0056 MW)
  double BUNGE;  // B = KPW √MW / 2.6
  double TSTAR;  // time to steady state, h: 2.4 τ for B ≤ 0.6, else 6 τ (b − √(b² − c²))
};

// MW in g/mol, KPW in cm/h, both positive.
DermalConstants dermal_constants(double MW, double KPW);

inline constexpr const char* kDermalRule =
    "tau = 0.105 x 10^(0.0056 MW); B = KPW sqrt(MW) / 2.6; t* = 2.4 tau for B <= 0.6, "
    "else 6 tau (b - sqrt(b^2 - c^2)) with c = (1 + 3B + 3B^2) / (3 (1 + B)), "
    "b = 2 (1 + B)^2 / pi - c";

}  // namespace vorn::chemicals
