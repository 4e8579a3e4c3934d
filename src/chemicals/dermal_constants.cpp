#include "chemicals/dermal_constants.hpp"

#include <cmath>

namespace vorn::chemicals {
namespace {

constexpr double kPi = 3.14159265358979323846;

}  // namespace

DermalConstants dermal_constants(double MW, double KPW) {
  DermalConstants d{};
  d.TAU = 0.105 * std::pow(10.0, 0.0056 * MW);
  d.BUNGE = KPW * std::sqrt(MW) / 2.6;
  const double B = d.BUNGE;
  if (B <= 0.6) {
    d.TSTAR = 2.4 * d.TAU;
  } else {
    const double c = (1.0 + 3.0 * B + 3.0 * B * B) / (3.0 * (1.0 + B));
    const double b = 2.0 * (1.0 + B) * (1.0 + B) / kPi - c;
    d.TSTAR = 6.0 * d.TAU * (b - std::sqrt(b * b - c * c));
  }
  return d;
}

}  // namespace vorn::chemicals
