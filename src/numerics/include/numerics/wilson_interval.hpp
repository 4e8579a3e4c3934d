// The Wilson score interval of a binomial share: the shares t that a score test at the
// normal's 97.5th percentile z does not reject, |p - t| <= z sqrt(t (1 - t) / n). It keeps
// within [0, 1], is near its level for small counts and shares near 0 or 1, and needs only
// arithmetic and a square root, so every platform computes the same bits.
#pragma once

#include <cstdint>

namespace vorn::numerics {

inline constexpr double kNormal975 = 1.959963984540054;  // the 95 % interval's z

struct ShareInterval {
  double lower = 0.0, upper = 1.0;
};

// Of k successes in n trials (k <= n); [0, 1] when n is 0. The bounds are 0 exactly when k
// is 0 and 1 exactly when k is n.
ShareInterval wilson_interval(std::uint64_t k, std::uint64_t n);

}  // namespace vorn::numerics
