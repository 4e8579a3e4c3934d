// Probabilities between two bounds, each through the tail that keeps the digits: what the
// moments of truncated families are made of.
#pragma once

namespace vorn::numerics {

// The standard normal density; 0 at the infinities.
double normal_density(double z);
// P(za < Z < zb) for a standard normal Z.
double normal_mass(double za, double zb);
// The regularized incomplete gamma integral of shape a over (ya, yb).
double gamma_mass(double a, double ya, double yb);

}  // namespace vorn::numerics
