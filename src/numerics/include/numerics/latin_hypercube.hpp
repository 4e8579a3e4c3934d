#pragma once

#include <cstdint>

namespace vorn::numerics {

// Latin hypercube sampling without a table per parameter: realization r of N (numbered
// 1..N) falls in stratum pi_p(r - 1) of parameter p, pi_p a keyed pseudo-random
// permutation of 0..N-1. Any realization is computed alone, in constant memory.

// The stratum (0..N-1) of realization `realization` (1..N) for `parameter`. Over
// r = 1..N it takes every value in 0..N-1 exactly once.
std::uint64_t lhs_stratum(std::uint64_t seed, std::uint64_t n, std::uint64_t realization,
                          std::uint32_t parameter);

// (stratum + u) / N with u = uniform(seed, realization, parameter); strictly inside (0, 1)
// and, up to rounding at its edges, inside the stratum.
double lhs_uniform(std::uint64_t seed, std::uint64_t n, std::uint64_t realization,
                   std::uint32_t parameter);

}  // namespace vorn::numerics
