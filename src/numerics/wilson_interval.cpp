#include "numerics/wilson_interval.hpp"

#include <algorithm>
#include <cmath>

namespace vorn::numerics {

ShareInterval wilson_interval(std::uint64_t k, std::uint64_t n) {
  if (n == 0) return {};
  const double nd = static_cast<double>(n), p = static_cast<double>(k) / nd;
  const double z2 = kNormal975 * kNormal975;
  const double scale = 1 + z2 / nd;
  const double centre = (p + z2 / (2 * nd)) / scale;
  const double half = kNormal975 * std::sqrt(p * (1 - p) / nd + z2 / (4 * nd * nd)) / scale;
  return {k == 0 ? 0.0 : std::max(centre - half, 0.0), k == n ? 1.0 : std::min(centre + half, 1.0)};
}

}  // namespace vorn::numerics
