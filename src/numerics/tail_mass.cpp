#include "tail_mass.hpp"

#include <boost/math/distributions/normal.hpp>
#include <boost/math/special_functions/gamma.hpp>
#include <cmath>
#include <numbers>

#include "math_policy.hpp"

namespace vorn::numerics {

namespace bm = boost::math;

double normal_density(double z) {
  if (!std::isfinite(z)) return 0;
  return std::exp(-0.5 * z * z) / std::sqrt(2 * std::numbers::pi);
}

double normal_mass(double za, double zb) {
  const bm::normal_distribution<double, MathPolicy> n;
  auto lower = [&](double z) { return std::isfinite(z) ? bm::cdf(n, z) : (z > 0 ? 1.0 : 0.0); };
  auto upper = [&](double z) {
    return std::isfinite(z) ? bm::cdf(bm::complement(n, z)) : (z > 0 ? 0.0 : 1.0);
  };
  return za > 0 ? upper(za) - upper(zb) : lower(zb) - lower(za);
}

double gamma_mass(double a, double ya, double yb) {
  auto p = [&](double y) { return std::isfinite(y) ? bm::gamma_p(a, y, MathPolicy()) : 1.0; };
  auto q = [&](double y) { return std::isfinite(y) ? bm::gamma_q(a, y, MathPolicy()) : 0.0; };
  return ya > a ? q(ya) - q(yb) : p(yb) - p(ya);
}

}  // namespace vorn::numerics
